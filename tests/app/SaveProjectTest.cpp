#include "AppFixture.h"

#include "app/Main.h"

#include <QFile>

namespace {
const QByteArray ProjectText = "[Application]\nMaximised=0\n\n[AppWindow]\nTop=40\nLeft=50\nWidth=800\n"
                               "Height=600\n\n[Workspace]\nTargetWordCount=1000\nBoldBaseType=1\nSize=0\n\n"
                               "[Theme]\nName=Book.ini\n\n[Extra]\nOwner=someone else\n";
} // namespace

/// What the window does around the store's save: its placement, and the mark of unsaved changes.
class SaveProject : public AppFixture {
protected:
    void SetUp() override
    {
        StartProgram();
        WriteProject("Novel.nodex", ProjectText);
        WriteCard("Storm", 0, 2, 400, 150);
        ASSERT_TRUE(Main().OpenProject(Projects.Path("Novel.nodex")));
    }
};

TEST_F(SaveProject, SavingWhileMaximisedKeepsTheEarlierBounds)
{
    Main().showMaximized();
    Main().SaveProject();
    const QByteArray project = Projects.Read("Novel.nodex");
    EXPECT_TRUE(project.contains("[Application]\nMaximised=1\n")) << project.toStdString();
    EXPECT_TRUE(project.contains("[AppWindow]\nTop=40\nLeft=50\nWidth=800\nHeight=600\n")) << project.toStdString();
}

TEST_F(SaveProject, ProjectFileThatCannotBeWrittenKeepsTheChangesMarked)
{
    QFile::setPermissions(Projects.Path("Novel.nodex"), QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
    const QByteArray stormBefore = Projects.Read("Storm.ndx");
    MoveCard("Storm", 600, 300);
    Main().Project().TargetWordCount = 5000;
    MakeAChange();

    Main().SaveProject();

    ASSERT_EQ(Dialogs.History().size(), 1);
    EXPECT_EQ(Dialogs.History()[0].kind, ScriptedDialogs::Kind::Warning);
    EXPECT_EQ(Dialogs.History()[0].text, "Error writing project file.");
    EXPECT_TRUE(Dialogs.History()[0].reason.contains("read-only")) << "the reason stands beneath";
    EXPECT_EQ(Projects.Read("Novel.nodex"), ProjectText);
    EXPECT_EQ(Projects.Read("Storm.ndx"), stormBefore) << "cards are not written after the project failed";
    EXPECT_FALSE(Main().Project().ProjectOnDisk);
    EXPECT_TRUE(Main().ProjectModified());
    EXPECT_TRUE(Main().windowTitle().endsWith(" *"));
}
