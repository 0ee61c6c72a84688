#include "AppFixture.h"
#include "SmallDisk.h"

#include "app/Main.h"
#include "canvas/CanvasScene.h"
#include "canvas/Nodex.h"

#include <QDir>
#include <QFile>

#include <sys/file.h>
#include <sys/stat.h>

namespace {
const QByteArray ProjectText = "[Application]\nMaximised=0\n\n[AppWindow]\nTop=40\nLeft=50\nWidth=800\n"
                               "Height=600\n\n[Workspace]\nTargetWordCount=1000\nBoldBaseType=1\nSize=0\n\n"
                               "[Theme]\nName=Book.ini\n\n[Extra]\nOwner=someone else\n";
const QByteArray EditorPlacement = "[EditWindow]\nMaximised=0\nTop=12\nLeft=34\nWidth=560\nHeight=780\n";

void MakeReadOnly(const QString& path)
{
    QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
}
} // namespace

class SaveProject : public AppFixture {
protected:
    void SetUp() override
    {
        StartProgram();
        WriteProject("Novel.nodex", ProjectText);
        WriteCard("Harbour", "[StateData]\nType=1\nState=0\n\n[Position]\nLeft=200\nTop=150\n\n"
                             "[Description]\nText=Boats\n\n[LinkTo]\nName=Nowhere\n\n" + EditorPlacement);
        WriteCard("Storm", 0, 2, 400, 150);
        ASSERT_TRUE(Main().OpenProject(Projects.Path("Novel.nodex")));
    }
};

TEST_F(SaveProject, RoundTripWritesCardsAndKeepsForeignKeys)
{
    MoveCard("Harbour", 240, 170);
    Main().SaveProject();

    EXPECT_TRUE(Dialogs.History().isEmpty());
    EXPECT_FALSE(Main().ProjectModified());
    EXPECT_TRUE(Main().Project().ProjectOnDisk);
    EXPECT_TRUE(Projects.Exists("Text Files"));

    const QByteArray harbour = Projects.Read("Harbour.ndx");
    EXPECT_TRUE(harbour.contains("Left=240\nTop=170\n")) << harbour.toStdString();
    EXPECT_TRUE(harbour.contains(EditorPlacement)) << harbour.toStdString();
    EXPECT_TRUE(harbour.contains("[LinkTo]\nName=\n")) << "an unresolved link is dropped";
    EXPECT_TRUE(Projects.Read("Storm.ndx").contains("State=2"));
    EXPECT_TRUE(Projects.Read("Novel.nodex").contains("[Extra]\nOwner=someone else\n"));
}

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
    MakeReadOnly(Projects.Path("Novel.nodex"));
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

TEST_F(SaveProject, OneCardThatCannotBeWrittenDoesNotStopTheOthers)
{
    MakeReadOnly(Projects.Path("Harbour.ndx"));
    MoveCard("Storm", 600, 300);

    Main().SaveProject();

    ASSERT_EQ(Dialogs.Texts(), QStringList{"Error writing nodex file."});
    EXPECT_TRUE(Projects.Read("Storm.ndx").contains("Left=600"));
    EXPECT_TRUE(Main().Project().ProjectOnDisk);
    EXPECT_TRUE(Main().ProjectModified()) << "the card that failed still has unsaved changes";
}

TEST_F(SaveProject, MissingFolderThatCannotBeMadeWritesNothing)
{
    Main().Project().ProjectFolder = Projects.Path("no/such/") ;
    MakeAChange();
    Main().SaveProject();

    EXPECT_EQ(Dialogs.Texts(), QStringList{"Error writing project file."});
    EXPECT_FALSE(QDir(Projects.Path("no")).exists());
    EXPECT_TRUE(Main().ProjectModified());
    EXPECT_TRUE(Main().Project().ProjectOnDisk) << "flags are unchanged";
}

TEST_F(SaveProject, OnlyFilesWhoseContentChangedAreReplaced)
{
    Main().SaveProject();
    const auto identity = [&](const QString& name) {
        struct stat status {};
        stat(QFile::encodeName(Projects.Path(name)).constData(), &status);
        return std::pair{status.st_ino, status.st_mtim.tv_nsec};
    };
    const auto projectBefore = identity("Novel.nodex");
    const auto harbourBefore = identity("Harbour.ndx");
    const auto stormBefore = identity("Storm.ndx");

    MoveCard("Storm", 420, 170);
    Main().SaveProject();
    EXPECT_NE(identity("Storm.ndx"), stormBefore);
    EXPECT_TRUE(Projects.Read("Storm.ndx").contains("Left=420\nTop=170\n"));
    EXPECT_EQ(identity("Harbour.ndx"), harbourBefore) << "an unchanged card file is not touched";
    EXPECT_EQ(identity("Novel.nodex"), projectBefore) << "nor is an unchanged project file";

    // A card file removed behind the program's back is written again.
    QFile::remove(Projects.Path("Harbour.ndx"));
    Main().SaveProject();
    EXPECT_TRUE(Projects.Read("Harbour.ndx").contains("Left=200\nTop=150\n"));
    EXPECT_TRUE(Dialogs.History().isEmpty());
}

TEST_F(SaveProject, ACardFileLinkedFromOutsideTheProjectIsNeverWrittenThrough)
{
    TempFolder elsewhere;
    const QByteArray diary = "[StateData]\nType=6\n[Position]\nLeft=300\nTop=300\n";
    ASSERT_TRUE(QFile::link(elsewhere.Write("Diary.ndx", diary), Projects.Path("Diary.ndx")));
    ASSERT_TRUE(Main().OpenProject(Projects.Path("Novel.nodex")));
    ASSERT_EQ(Card("Diary")->Type(), 7) << "it is shown like any card";

    MoveCard("Diary", 500, 500);
    Main().SaveProject();
    ASSERT_EQ(Dialogs.Texts(), QStringList{"Error writing nodex file."});
    EXPECT_TRUE(Dialogs.History()[0].reason.contains("symbolic link")) << Dialogs.History()[0].reason.toStdString();
    EXPECT_EQ(elsewhere.Read("Diary.ndx"), diary);
    EXPECT_TRUE(Main().ProjectModified());
}

TEST_F(SaveProject, EveryCardKeepsToItsOwnFile)
{
    // "A.ndx.bak" is a card of its own, not a second card "A".
    WriteCard("A", 0, 0, 100, 400);
    WriteCard("A.ndx.bak", 0, 0, 300, 400);
    ASSERT_TRUE(Main().OpenProject(Projects.Path("Novel.nodex")));
    MoveCard("A", 110, 410);
    MoveCard("A.ndx.bak", 310, 410);
    Main().SaveProject();
    EXPECT_TRUE(Projects.Read("A.ndx").contains("Left=110\nTop=410"));
    EXPECT_TRUE(Projects.Read("A.ndx.bak.ndx").contains("Left=310\nTop=410"));
}

TEST_F(SaveProject, LeftoversOfKilledWritesGoAndEverythingElseStays)
{
    const QStringList leftovers{".Storm.ndx.nodex-tmp", ".Novel.nodex.nodex-tmp", "Text Files/.Storm.txt.nodex-tmp"};
    // Names a writer or another program may have made, however much they look like ours.
    const QStringList kept{"Storm.ndx.xKqTzP", "Storm.ndx.backup", "Storm.ndx.nodex-tmp", ".Storm.ndx.nodex-tmp.bak",
                           "Text Files/Storm.txt.AbCDeF", ".Held.ndx.nodex-tmp"};
    for (const QString& name : leftovers + kept)
        Projects.Write(name, "[StateData]\nType=1\n");
    // A write in progress in another copy of the program holds its temporary file.
    QFile held(Projects.Path(".Held.ndx.nodex-tmp"));
    ASSERT_TRUE(held.open(QIODevice::ReadOnly));
    ASSERT_EQ(flock(held.handle(), LOCK_EX), 0);

    ASSERT_TRUE(Main().OpenProject(Projects.Path("Novel.nodex")));
    EXPECT_EQ(CardNames(), (QStringList{"Harbour", "Storm"}));
    for (const QString& name : leftovers)
        EXPECT_FALSE(Projects.Exists(name)) << name.toStdString();
    for (const QString& name : kept)
        EXPECT_TRUE(Projects.Exists(name)) << name.toStdString();
}

TEST_F(SaveProject, AFullDiskKeepsTheOldFilesAndTheChangesMarked)
{
    const QString disk = Projects.MakeFolder("disk");
    SmallDisk small(disk, 64 * 1024);
    if (!small.Mounted())
        GTEST_SKIP() << "a small file system can only be mounted by the superuser";
    Projects.Write("disk/Tale.nodex", ProjectText);
    Projects.Write("disk/Storm.ndx", "[Description]\nText=" + QByteArray(200, 's') + "\n");
    ASSERT_TRUE(Main().OpenProject(Projects.Path("disk/Tale.nodex")));
    Main().SaveProject();
    const QByteArray project = Projects.Read("disk/Tale.nodex");
    const QByteArray storm = Projects.Read("disk/Storm.ndx");

    small.Fill();
    MoveCard("Storm", 600, 300);
    Main().Project().TargetWordCount = 777;
    MakeAChange();
    Main().SaveProject();

    ASSERT_EQ(Dialogs.Texts(), QStringList{"Error writing project file."});
    EXPECT_TRUE(Dialogs.History()[0].reason.contains("No space left on device"));
    EXPECT_EQ(Projects.Read("disk/Tale.nodex"), project);
    EXPECT_EQ(Projects.Read("disk/Storm.ndx"), storm);
    EXPECT_TRUE(Main().ProjectModified());
}

TEST_F(SaveProject, ACardFileReplacedByAFifoFailsItsWriteWithoutWaiting)
{
    ASSERT_TRUE(QFile::remove(Projects.Path("Storm.ndx")));
    ASSERT_EQ(mkfifo(QFile::encodeName(Projects.Path("Storm.ndx")).constData(), 0644), 0);
    MoveCard("Storm", 600, 300);
    Main().SaveProject();
    ASSERT_EQ(Dialogs.Texts(), QStringList{"Error writing nodex file."});
    EXPECT_TRUE(Dialogs.History()[0].reason.contains("not a regular file"));
    EXPECT_TRUE(Main().ProjectModified());
}
