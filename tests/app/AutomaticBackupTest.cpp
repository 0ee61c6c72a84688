#include "AppFixture.h"
#include "FolderDiff.h"
#include "UnzipTool.h"
#include "backup/AutomaticBackup.h"
#include "app/Main.h"

#include <QDir>
#include <QStatusBar>

#include <fcntl.h>
#include <sys/stat.h>

namespace {
const QDateTime Afternoon(QDate(2026, 12, 5), QTime(13, 40, 57));
} // namespace

/// The project Novel (two cards with texts) opened, and a clock the test moves on by hand.
class AutomaticBackupTest : public AppFixture {
protected:
    void SetUp() override
    {
        StartProgram();
        WriteNovel(Projects.Path());
        ASSERT_TRUE(Program->Start({}));
        ASSERT_TRUE(Main().OpenProject(Projects.Path("Novel.nodex")));
        Main().AutomaticBackups().Now = [this] { return Clock; };
    }

    static void WriteNovel(const QString& folder)
    {
        QDir().mkpath(folder + "Text Files");
        for (const auto& [file, bytes] : {
                 std::pair<QString, QByteArray> { "Novel.nodex", "[Theme]\nName=Book.ini\n" },
                 { "Harbour.ndx", "[Position]\nLeft=200\nTop=150\n" },
                 { "Lamp.ndx", "[Position]\nLeft=400\nTop=150\n" },
                 { "Text Files/Harbour.txt", "Dear Ada,\r\nthe\xC2\xA0lamp is lit.\r\n" },
                 { "Text Files/Lamp.txt", "Lit.\r\n" },
             }) {
            QFile out(folder + file);
            ASSERT_TRUE(out.open(QIODevice::WriteOnly));
            out.write(bytes);
        }
    }

    QString Folder(const QString& projectFolder) const
    {
        return AutomaticBackupFolder(App.Path("Backups/"), projectFolder, "Novel.nodex");
    }
    /// The backups of the open project, oldest first.
    QStringList Zips() const { return AutomaticBackups(Folder(Projects.Path()), "Novel.nodex"); }
    /// A writer's change on disk, a minute later.
    void Change(const QByteArray& text)
    {
        Projects.Write("Text Files/Lamp.txt", text);
        Clock = Clock.addSecs(60);
    }

    QDateTime Clock = Afternoon;
};

TEST_F(AutomaticBackupTest, TheZipHoldsTheProjectAsItIsOnDisk)
{
    Projects.Write("notes.doc", "not the project's");
    Projects.Write("Text Files/draft.rtf", "{\\rtf1}");
    Main().CloseProject();
    ASSERT_EQ(Zips(), QStringList { "Novel (2026-12-05 13.40.57).zip" });
    const QString zip = Folder(Projects.Path()) + Zips().first();
    QString output;
    EXPECT_TRUE(UnzipTool::Tests(zip, &output)) << output.toStdString();
    ASSERT_TRUE(UnzipTool::Extract(zip, App.Path("restored")));
    EXPECT_EQ(BackupDiff(Projects.Path(), App.Path("restored")).join('\n').toStdString(),
        "Only in project/Text Files: draft.rtf\nOnly in project: notes.doc");
}

TEST_F(AutomaticBackupTest, LeavingAProjectBacksItUpWhateverTheWayOut)
{
    // New: the project is left for the unnamed workspace, which is never backed up.
    Main().Commands().New();
    EXPECT_EQ(Zips().size(), 1);
    ASSERT_TRUE(Main().OpenProject(Projects.Path("Novel.nodex")));
    EXPECT_EQ(Zips().size(), 1);

    // Open of another project.
    const QString other = Projects.Path("Other/");
    WriteNovel(other);
    Change("Relit.\r\n");
    ASSERT_TRUE(Main().OpenProject(other + "Novel.nodex"));
    EXPECT_EQ(Zips().size(), 2);

    // Closing the window; the other project of the same name keeps its backups apart.
    Clock = Clock.addSecs(60);
    EXPECT_TRUE(Main().close());
    EXPECT_EQ(Zips().size(), 2);
    EXPECT_EQ(AutomaticBackups(Folder(other), "Novel.nodex").size(), 1);
}

TEST_F(AutomaticBackupTest, OnlyTheLastAreKeptAndNothingElseIsTouched)
{
    // Another project of the same name, and a backup made by hand.
    const QString other = Projects.Path("Other/");
    WriteNovel(other);
    ASSERT_EQ(MakeAutomaticBackup(App.Path("Backups/"), other, "Novel.nodex", Afternoon, 3).Outcome,
        AutomaticBackupOutcome::Result::Made);
    App.Write("Backups/Novel (05-12-26 @ 01.40.57 PM)/Novel.nodex", "[Theme]\n");

    Main().Settings().AutomaticBackups = 3;
    QStringList made;
    for (int backup = 0; backup < 5; ++backup) {
        Change("Relit " + QByteArray::number(backup) + "\r\n");
        Main().AutomaticBackups().ProjectLeaving();
        made << AutomaticBackupName("Novel.nodex", Clock);
    }
    EXPECT_EQ(Zips(), made.mid(2));
    EXPECT_EQ(AutomaticBackups(Folder(other), "Novel.nodex").size(), 1);
    EXPECT_TRUE(App.Exists("Backups/Novel (05-12-26 @ 01.40.57 PM)/Novel.nodex"));

    // Nothing new when nothing changed, however much later.
    Clock = Clock.addDays(1);
    Main().AutomaticBackups().ProjectLeaving();
    EXPECT_EQ(Zips(), made.mid(2));
    // No backups at all when the setting says none: the old ones stay.
    Main().Settings().AutomaticBackups = 0;
    Change("Dark.\r\n");
    Main().AutomaticBackups().ProjectLeaving();
    EXPECT_EQ(Zips(), made.mid(2));
}

TEST_F(AutomaticBackupTest, AFileRewrittenInPlaceWithItsOldSizeAndTimeIsStillBackedUp)
{
    // Files that settled long before: the next look compares their sizes and times, not bytes.
    using Result = AutomaticBackupOutcome::Result;
    const QString other = Projects.Path("Other/");
    WriteNovel(other);
    QDateTime later = QDateTime::currentDateTime().addDays(1);
    ASSERT_EQ(MakeAutomaticBackup(App.Path("Backups/"), other, "Novel.nodex", later, 10).Outcome, Result::Made);
    later = later.addSecs(3600);
    EXPECT_EQ(MakeAutomaticBackup(App.Path("Backups/"), other, "Novel.nodex", later, 10).Outcome,
        Result::Unchanged);

    // The same file, the same size, and its modification time put back as a copying tool does.
    const QByteArray lamp = QFile::encodeName(other + "Text Files/Lamp.txt");
    struct stat before { };
    ASSERT_EQ(::stat(lamp.constData(), &before), 0);
    QFile file(other + "Text Files/Lamp.txt");
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    ASSERT_EQ(file.write("Lot.\r\n"), before.st_size);
    file.close();
    const timespec times[2] = { before.st_atim, before.st_mtim };
    ASSERT_EQ(::utimensat(AT_FDCWD, lamp.constData(), times, 0), 0);

    later = later.addSecs(3600);
    const AutomaticBackupOutcome made = MakeAutomaticBackup(App.Path("Backups/"), other, "Novel.nodex", later, 10);
    ASSERT_EQ(made.Outcome, Result::Made);
    ASSERT_TRUE(UnzipTool::Extract(made.Path, App.Path("restored")));
    EXPECT_EQ(App.Read("restored/Text Files/Lamp.txt"), "Lot.\r\n");
}

TEST_F(AutomaticBackupTest, WhileOpenABackupIsMadeOnceAnHour)
{
    RollingBackups& backups = Main().AutomaticBackups();
    ASSERT_TRUE(backups.Timer.isActive());
    EXPECT_LE(backups.Timer.interval(), 60 * 1000);
    const QDateTime opened = Clock;
    backups.Tick();
    Change("Relit.\r\n");
    for (const auto& [minutes, expected] : { std::pair { 59, 0 }, { 60, 1 }, { 61, 1 }, { 119, 1 } }) {
        Clock = opened.addSecs(minutes * 60);
        backups.Tick();
        EXPECT_EQ(Zips().size(), expected) << minutes;
    }
    // Unchanged, the second hour makes none; changed, the third does.
    Clock = opened.addSecs(120 * 60);
    backups.Tick();
    EXPECT_EQ(Zips().size(), 1);
    Change("Dark.\r\n");
    Clock = opened.addSecs(180 * 60);
    backups.Tick();
    EXPECT_EQ(Zips().size(), 2);
}

TEST_F(AutomaticBackupTest, AFailureIsShownWithoutAskingAndClosingGoesOn)
{
    // Where the backups would go stands a file.
    App.Write("Backups", "in the way");
    Main().AutomaticBackups().Tick();
    Clock = Clock.addSecs(60 * 60);
    Main().AutomaticBackups().Tick();
    const QString shown = Main().statusBar()->currentMessage();
    EXPECT_TRUE(shown.startsWith("The automatic backup could not be made: ")) << shown.toStdString();
    EXPECT_TRUE(shown.contains("File exists")) << shown.toStdString();
    EXPECT_TRUE(Dialogs.History().isEmpty());

    Change("Relit.\r\n");
    EXPECT_TRUE(Main().close());
    EXPECT_EQ(Projects.Read("Text Files/Lamp.txt"), "Relit.\r\n");
}
