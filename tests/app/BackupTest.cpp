#include "AppFixture.h"
#include "app/Main.h"
#include "backup/AutomaticBackup.h"
#include "canvas/CanvasState.h"
#include "canvas/Nodex.h"
#include "platform/FileSteps.h"
#include "platform/NativeName.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QStatusBar>

namespace {
const QByteArray OtherProject = "[Theme]\nName=Book.ini\n";
const QString CopyOk = "Nodexs copied. Reopen other project to see changes.";
const QString CopyNotOk = "Some nodexs/text files not copied due to duplicate names.";
const QString CopyFailed = "Some nodexs/text files could not be copied.";
const QString Cafe = PathFromNative("Caf\xE9");
} // namespace

/// The open project "Novel" with a linked card, a card with a text, the Compilation card and a
/// card whose name is not UTF-8; and another project, "Other", beside it. The File menu backs
/// the project up and copies cards into another; leaving the project backs it up by itself, on a
/// clock the test moves on by hand.
class BackupTest : public AppFixture {
protected:
    void SetUp() override
    {
        StartProgram();
        WriteProject("Novel.nodex", OtherProject);
        WriteCard("Harbour", 2, 1, 200, 150, "Lamp", "Boats");
        WriteCard("Lamp", 0, 0, 400, 150);
        WriteCard("Compilation", -1, 0, 44, 30);
        Projects.Write("Text Files/Harbour.txt", "Boats\r\n");
        Projects.Write("Text Files/Lamp.txt", "Lit.\r\n");
        Projects.Write(Cafe + ".ndx", "[Position]\nLeft=800\nTop=150\n");
        Projects.Write("Text Files/" + Cafe + ".txt", "caf\xE9\r\n");
        Projects.Write("Other/Other.nodex", OtherProject);
        Projects.MakeFolder("Other/Text Files");
        ASSERT_TRUE(Program->Start({}));
        ASSERT_TRUE(Main().OpenProject(Projects.Path("Novel.nodex")));
        Main().AutomaticBackups().Now = [this] { return Clock; };
    }

    /// The automatic backups of a project, oldest first.
    QStringList Zips(const QString& folder = {}, const QString& file = "Novel.nodex") const
    {
        return AutomaticBackups(
            AutomaticBackupFolder(App.Path("Backups/"), Projects.Path(folder), file), file);
    }
    void BackUp()
    {
        emit Main().Menus().mmnuFile->aboutToShow();
        Main().Menus().mnuBackupProject->trigger();
    }
    /// Copies the cards of these names through the File menu into the project the writer chose.
    void CopyTo(const QStringList& names, const QString& chosen)
    {
        QList<TNodex*> cards;
        for (const QString& name : names)
            cards << Card(name);
        Main().Selection().SelectedCards = cards;
        Dialogs.ExpectSaveFileName(chosen);
        emit Main().Menus().mmnuFile->aboutToShow();
        Main().Menus().mnuCopyToProject->trigger();
    }

    QDateTime Clock = QDateTime(QDate(2026, 12, 5), QTime(13, 40, 57));
};

TEST_F(BackupTest, BackUpCopiesWhatIsOnDiskAndSaysHowItWent)
{
    App.MakeFolder("Backups");
    Main().Backups().Now = [this] { return Clock; };
    // A move not yet saved stays out of the backup, and the backup does not save it.
    MoveCard("Harbour", 500, 500);
    BackUp();
    EXPECT_EQ(Dialogs.LastText(), "Project backup created successfully.");
    EXPECT_TRUE(
        App.Read("Backups/Novel (05-12-26 @ 01.40.57 PM)/Harbour.ndx").contains("Left=200\n"));
    EXPECT_TRUE(Projects.Read("Harbour.ndx").contains("Left=200\n"));
    EXPECT_TRUE(Main().ProjectModified());

    // A text kept out of the project through a link is left out, and the writer is told which.
    QFile::link(App.Write("Elsewhere/Far.txt", "far"), Projects.Path("Text Files/Far.txt"));
    Clock = Clock.addSecs(1);
    BackUp();
    EXPECT_EQ(Dialogs.Last().text, "There was an error creating the backup.");
    EXPECT_TRUE(Dialogs.Last().reason.endsWith("every other file: 'Text Files/Far.txt'"))
        << Dialogs.Last().reason.toStdString();

    ASSERT_TRUE(QDir().rename(App.Path("Backups"), App.Path("Moved")));
    BackUp();
    EXPECT_EQ(Dialogs.Last().text, "There was an error creating the backup.");
    EXPECT_EQ(Dialogs.Last().reason, "The folder '" + App.Path("Backups/") + "' does not exist.");
}

TEST_F(BackupTest, CopyToProjectCopiesTheCardsAsTheyAreNowAndSaysHowItWent)
{
    // What the card holds now counts, saved or not; the Compilation card is never copied.
    MoveCard("Harbour", 300, 260);
    CopyTo({ "Harbour", "Café", "Compilation" }, Projects.Path("Other/Other.nodex"));

    ASSERT_EQ(Dialogs.History().size(), 2);
    EXPECT_EQ(Dialogs.History()[0].text, "Copy Nodexs To Another Project");
    EXPECT_EQ(Dialogs.History()[0].reason, Projects.Path());
    EXPECT_EQ(Dialogs.LastText(), CopyOk);
    EXPECT_TRUE(Projects.Read("Other/Harbour.ndx").contains("Left=300\nTop=260\n"));
    EXPECT_TRUE(Projects.Read("Other/" + Cafe + ".ndx").contains("Left=800\n"));
    EXPECT_FALSE(Projects.Exists("Other/Compilation.ndx"));
    // The copy changes nothing of the open project.
    EXPECT_EQ(Card("Harbour")->LinkTo(), Card("Lamp"));
    EXPECT_TRUE(Projects.Read("Harbour.ndx").contains("Left=200\n"));

    // A file that cannot be written is shown with the system's reason.
    SetFileStepHook([](FileStep step, const QByteArray&) {
        return step == FileStep::Write ? StepOutcome { ENOSPC, false } : StepOutcome {};
    });
    CopyTo({ "Lamp" }, Projects.Path("Other/Other.nodex"));
    SetFileStepHook({});
    EXPECT_EQ(Dialogs.Last().text, CopyFailed);
    EXPECT_EQ(Dialogs.Last().reason,
        "Cannot write '" + Projects.Path("Other/Lamp.ndx") + "': No space left on device");

    // So is a text that stays out as a link that leads out of the project: no name was taken.
    QFile::remove(Projects.Path("Text Files/Lamp.txt"));
    QFile::link(App.Write("Elsewhere/Lamp.txt", "far"), Projects.Path("Text Files/Lamp.txt"));
    CopyTo({ "Lamp" }, Projects.Path("Other/Other.nodex"));
    EXPECT_EQ(Dialogs.Last().text, CopyFailed);
    EXPECT_EQ(Dialogs.Last().reason,
        "Cannot copy '" + Projects.Path("Text Files/Lamp.txt")
            + "': it is a link that leads out of the project folder.");
    EXPECT_FALSE(Projects.Exists("Other/Text Files/Lamp.txt"));
}

TEST_F(BackupTest, CopyToProjectTakesOnlyAnExistingProjectFile)
{
    struct Case {
        QString Chosen;
        QString Message;
    };
    Projects.Write("Other/notes.txt", "not a project");
    Projects.Write("Other/Loud.NODEX", OtherProject);
    const Case cases[] = {
        { Projects.Path("Other/Missing.nodex"), "Error reading from project or nodex files." },
        { Projects.Path("Other/notes.txt"), "Error reading from project or nodex files." },
        { Projects.Path("Other/Loud.NODEX"), CopyOk },
        // The open project holds every card already.
        { Projects.Path("Novel.nodex"), CopyNotOk },
    };
    for (const Case& c : cases) {
        QFile::remove(Projects.Path("Other/Lamp.ndx"));
        QFile::remove(Projects.Path("Other/Text Files/Lamp.txt"));
        CopyTo({ "Lamp" }, c.Chosen);
        EXPECT_EQ(Dialogs.LastText(), c.Message) << c.Chosen.toStdString();
    }
    EXPECT_EQ(Projects.Read("Lamp.ndx"),
        "[StateData]\nType=0\nState=0\n[Position]\nLeft=400\nTop=150\n"
        "[Description]\nText=\n[LinkTo]\nName=\n");
}

TEST_F(BackupTest, LeavingAProjectBacksItUpWhateverTheWayOut)
{
    // New: the project is left for the unnamed workspace, which is never backed up.
    Main().Commands().New();
    EXPECT_EQ(Zips().size(), 1);
    ASSERT_TRUE(Main().OpenProject(Projects.Path("Novel.nodex")));
    EXPECT_EQ(Zips().size(), 1);
    // Open of another project.
    Projects.Write("Text Files/Lamp.txt", "Relit.\r\n");
    Clock = Clock.addSecs(60);
    ASSERT_TRUE(Main().OpenProject(Projects.Path("Other/Other.nodex")));
    EXPECT_EQ(Zips().size(), 2);
    // Closing the window.
    Clock = Clock.addSecs(60);
    EXPECT_TRUE(Main().close());
    EXPECT_EQ(Zips().size(), 2);
    EXPECT_EQ(Zips("Other/", "Other.nodex").size(), 1);
}

TEST_F(BackupTest, AFailedAutomaticBackupIsShownWithoutAskingAndClosingGoesOn)
{
    // Where the backups would go stands a file.
    App.Write("Backups", "in the way");
    Main().AutomaticBackups().Tick();
    Clock = Clock.addSecs(60 * 60);
    Main().AutomaticBackups().Tick();
    const QString shown = Main().statusBar()->currentMessage();
    EXPECT_TRUE(shown.startsWith("The automatic backup could not be made: "))
        << shown.toStdString();
    EXPECT_TRUE(shown.contains("File exists")) << shown.toStdString();
    EXPECT_TRUE(Dialogs.History().isEmpty());

    Projects.Write("Text Files/Lamp.txt", "Relit.\r\n");
    EXPECT_TRUE(Main().close());
    EXPECT_EQ(Projects.Read("Text Files/Lamp.txt"), "Relit.\r\n");
}
