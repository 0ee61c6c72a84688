#include "AppFixture.h"
#include "CardFileText.h"

#include "app/Main.h"
#include "canvas/CanvasScene.h"

#include <QDir>
#include <QFile>
#include <QStatusBar>

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

TEST_F(SaveProject, AFolderRenamedWhileOpenIsNeverMadeAgainAndTheProjectGoesWhereTheWriterSays)
{
    Projects.Write("Book/Book.nodex", "[Theme]\nName=Book.ini\n");
    Projects.Write("Book/Lamp.ndx", CardFileText(0, 0, 100, 100, "Sea"));
    Projects.Write("Book/Sea.ndx", CardFileText(0, 0, 300, 100));
    Projects.Write("Book/Text Files/Lamp.txt", "Calm\r\n");
    ASSERT_TRUE(Main().OpenProject(Projects.Path("Book/Book.nodex")));
    MoveCard("Sea", 500, 300);
    const QByteArray storm = Projects.Read("Storm.ndx");
    // Re-cased, which on this file system is another name.
    ASSERT_TRUE(QDir(Projects.Path()).rename("Book", "book"));

    Dialogs.ExpectOkCancel(false);
    Main().Menus().mnuSaveProject->trigger();
    EXPECT_TRUE(Dialogs.LastText().contains("was renamed, moved or removed")) << Dialogs.LastText().toStdString();
    EXPECT_TRUE(Dialogs.LastText().contains("Save As"));
    EXPECT_FALSE(QFileInfo::exists(Projects.Path("Book"))) << "nothing is written at the old path";
    EXPECT_EQ(CardNames(), (QStringList{"Lamp", "Sea"}));
    EXPECT_TRUE(Main().ProjectModified());

    // Save As into the folder of another project: a folder of its own, the texts come along,
    // and the lock leaves the moved folder.
    Dialogs.ExpectOkCancel(true);
    Dialogs.ExpectSaveFileName(Projects.Path("Novel B"));
    Main().Menus().mnuSaveProject->trigger();
    EXPECT_EQ(Main().Project().ProjectFolder, Projects.Path("Novel B/"));
    EXPECT_TRUE(Projects.Read("Novel B/Sea.ndx").contains("Left=500"));
    EXPECT_TRUE(Projects.Read("Novel B/Lamp.ndx").contains("Name=Sea"));
    EXPECT_EQ(Projects.Read("Novel B/Text Files/Lamp.txt"), "Calm\r\n");
    EXPECT_EQ(Main().statusBar()->currentMessage(), "Saved in the new folder 'Novel B'");
    EXPECT_FALSE(Projects.Exists("book/.~lock.Book.nodex"));
    EXPECT_FALSE(QFileInfo::exists(Projects.Path("Book")));
    EXPECT_FALSE(Main().ProjectModified());

    // The project beside it still has its own card only, byte for byte.
    EXPECT_EQ(Projects.Read("Novel.nodex"), ProjectText);
    EXPECT_EQ(Projects.Read("Storm.ndx"), storm);
    ASSERT_TRUE(Main().OpenProject(Projects.Path("Novel.nodex")));
    EXPECT_EQ(CardNames(), QStringList{"Storm"});
}
