#include "AppFixture.h"
#include "FolderDiff.h"
#include "ProjectGenerator.h"
#include "app/Main.h"
#include "backup/ProjectBackup.h"
#include "canvas/Nodex.h"
#include "platform/FileSteps.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMenu>
#include <QTemporaryDir>
#include <fcntl.h>
#include <optional>
#include <sys/file.h>
#include <unistd.h>

namespace {
const QDateTime Afternoon(QDate(2026, 12, 5), QTime(13, 40, 57));
const QString BackupName = QStringLiteral("Novel (05-12-26 @ 01.40.57 PM)");
const QByteArray HarbourText = "Dear Ada,\r\nthe\xC2\xA0lamp is lit.\r\n";
const QByteArray LampText = "Lit.\r\n";

/// Fails each step of one kind with a system error while it lives.
class FailingStep {
public:
    FailingStep(FileStep failing, int errorNumber, const QByteArray& pathEnd = {})
    {
        SetFileStepHook([=](FileStep step, const QByteArray& path) {
            return step == failing && path.endsWith(pathEnd) ? StepOutcome { errorNumber, false }
                                                             : StepOutcome {};
        });
    }
    ~FailingStep() { SetFileStepHook({}); }
};
} // namespace

TEST(BackupFolderName, IsTheProjectNameAndTheTimeOnTheTwelveHourClock)
{
    struct Case {
        const char* FileName;
        QDateTime When;
        const char* Expected;
    };
    const Case cases[] = {
        { "MyBook.nodex", Afternoon, "MyBook (05-12-26 @ 01.40.57 PM)" },
        { "MyBook.nodex", { QDate(2026, 12, 5), QTime(12, 0, 5) },
            "MyBook (05-12-26 @ 12.00.05 PM)" },
        { "MyBook.nodex", { QDate(2031, 1, 9), QTime(0, 9, 3) },
            "MyBook (09-01-31 @ 12.09.03 AM)" },
        { "MyBook.nodex", { QDate(2031, 1, 9), QTime(11, 59, 59) },
            "MyBook (09-01-31 @ 11.59.59 AM)" },
        // Only the first ".nodex", spelt exactly so, goes.
        { "Saga.nodex.nodex", Afternoon, "Saga.nodex (05-12-26 @ 01.40.57 PM)" },
        { "Saga.NODEX", Afternoon, "Saga.NODEX (05-12-26 @ 01.40.57 PM)" },
    };
    for (const Case& c : cases)
        EXPECT_EQ(BackupFolderName(c.FileName, c.When), c.Expected);
}

/// Two cards with texts, opened, and a clock that always says 1:40:57 PM on 5 December 2026.
class BackupProjectTest : public AppFixture {
protected:
    void SetUp() override
    {
        StartProgram();
        App.MakeFolder("Backups");
        WriteProject("Novel.nodex", "[Theme]\nName=Book.ini\n");
        WriteCard("Harbour", 0, 0, 200, 150, "Lamp", "Boats");
        WriteCard("Lamp", 1, 1, 400, 150);
        Projects.Write("Text Files/Harbour.txt", HarbourText);
        Projects.Write("Text Files/Lamp.txt", LampText);
        ASSERT_TRUE(Program->Start({}));
        ASSERT_TRUE(Main().OpenProject(Projects.Path("Novel.nodex")));
        Main().Backups().Now = [] { return Afternoon; };
    }

    QString Backup() const { return App.Path("Backups/" + BackupName); }
    /// Everything in the Backups folder, hidden entries too.
    QStringList InBackups() const
    {
        return QDir(App.Path("Backups"))
            .entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    }
    std::string ProjectAgainstBackup() const
    {
        return BackupDiff(Projects.Path(), Backup()).join('\n').toStdString();
    }
    void BackUp()
    {
        emit Main().Menus().mmnuFile->aboutToShow();
        Main().Menus().mnuBackupProject->trigger();
    }
};

TEST_F(BackupProjectTest, CopiesTheProjectAsItIsOnDiskLeavingOutWhatLeadsOut)
{
    // A move not yet saved stays out of the backup, and the backup does not save it.
    MoveCard("Harbour", 500, 500);
    // A card and a text whose names are not UTF-8, as an archive from another system leaves them.
    const QByteArray rawNames[] = { "Caf\xE9.ndx", "Text Files/Caf\xE9.txt" };
    for (const QByteArray& name : rawNames) {
        const int file = ::open((QFile::encodeName(Projects.Path()) + name).constData(),
            O_WRONLY | O_CREAT | O_TRUNC, 0644);
        ASSERT_EQ(::write(file, "caf\xE9\r\n", 6), 6);
        ::close(file);
    }
    // A link that stays inside the project counts as its file; links that lead out, files of
    // other kinds and folders named like cards are left out.
    QFile::link("Lamp.ndx", Projects.Path("Mirror.ndx"));
    QFile::link(
        App.Write("Elsewhere/Stray.ndx", "[Position]\nLeft=1\n"), Projects.Path("Stray.ndx"));
    QFile::link(App.Write("Elsewhere/Far.txt", "private"), Projects.Path("Text Files/Far.txt"));
    Projects.Write("notes.doc", "not a card");
    Projects.Write("Text Files/draft.rtf", "{\\rtf1}");
    Projects.MakeFolder("Old.ndx");

    BackUp();
    EXPECT_EQ(Dialogs.LastText(), "Project backup created successfully.");
    EXPECT_EQ(ProjectAgainstBackup(),
        "Only in project: Old.ndx\nOnly in project: Stray.ndx\nOnly in project/Text Files: "
        "Far.txt\n"
        "Only in project/Text Files: draft.rtf\nOnly in project: notes.doc");
    EXPECT_FALSE(QFileInfo(Backup() + "/Mirror.ndx").isSymLink());
    EXPECT_TRUE(Projects.Read("Harbour.ndx").contains("Left=200\nTop=150\n"));
    EXPECT_TRUE(Main().ProjectModified());
    EXPECT_EQ(InBackups(), QStringList { BackupName });
    // Qt cannot remove what it cannot spell.
    for (const QByteArray& name : rawNames) {
        ::unlink((QFile::encodeName(Projects.Path()) + name).constData());
        ::unlink((QFile::encodeName(Backup() + "/") + name).constData());
    }
}

TEST_F(BackupProjectTest, ASecondBackupInTheSameSecondReplacesTheFirstWhole)
{
    // Where the file system cannot exchange two folders in one step, the old one is moved aside.
    for (const bool exchange : { true, false }) {
        BackUp();
        // Removing the old backup removes a link in it, never what the link leads to.
        const QString precious = App.Write("Precious/keep.txt", "keep");
        QFile::link(App.Path("Precious"), Backup() + "/Text Files/Precious");
        Projects.Write("Text Files/Lamp.txt", "Relit.\r\n");
        QFile::remove(Projects.Path("Text Files/Harbour.txt"));
        std::optional<FailingStep> noExchange;
        if (!exchange)
            noExchange.emplace(FileStep::Replace, EINVAL);
        BackUp();
        noExchange.reset();
        EXPECT_EQ(Dialogs.LastText(), "Project backup created successfully.") << exchange;
        EXPECT_EQ(ProjectAgainstBackup(), "") << exchange;
        EXPECT_EQ(InBackups(), QStringList { BackupName }) << exchange;
        EXPECT_TRUE(QFile::exists(precious)) << exchange;
        Projects.Write("Text Files/Harbour.txt", HarbourText);
    }
}

TEST_F(BackupProjectTest, AFailureHalfWayLeavesNoFolderWithTheBackupsName)
{
    struct Fault {
        FileStep Step;
        int ErrorNumber;
        const char* PathEnd;
        const char* Reason;
    };
    const Fault faults[] = {
        { FileStep::Copy, EACCES, "Lamp.txt", "Lamp.txt': Permission denied" },
        { FileStep::MakeFolder, ENOSPC, "Text Files/", "No space left on device" },
        { FileStep::Sync, EIO, "", "Input/output error" },
        { FileStep::Replace, EXDEV, "", "Invalid cross-device link" },
    };
    for (const bool earlierBackup : { false, true }) {
        if (earlierBackup)
            BackUp();
        for (const Fault& fault : faults) {
            Projects.Write("Text Files/Lamp.txt", "Changed since.\r\n");
            {
                FailingStep failing(fault.Step, fault.ErrorNumber, fault.PathEnd);
                BackUp();
            }
            EXPECT_EQ(Dialogs.Last().text, "There was an error creating the backup.");
            EXPECT_TRUE(Dialogs.Last().reason.contains(fault.Reason))
                << Dialogs.Last().reason.toStdString();
            // An earlier backup of the same name stays as it was.
            EXPECT_EQ(InBackups(), earlierBackup ? QStringList { BackupName } : QStringList())
                << fault.Reason;
            if (earlierBackup) {
                EXPECT_EQ(QFile(Backup() + "/Text Files/Lamp.txt").size(), LampText.size())
                    << fault.Reason;
            }
            Projects.Write("Text Files/Lamp.txt", LampText);
        }
    }
}

TEST_F(BackupProjectTest, WithoutTheBackupsFolderTheBackupFailsAndSaysWhy)
{
    QDir(App.Path("Backups")).removeRecursively();
    BackUp();
    EXPECT_EQ(Dialogs.Last().text, "There was an error creating the backup.");
    EXPECT_EQ(Dialogs.Last().reason, "The folder '" + App.Path("Backups/") + "' does not exist.");
    EXPECT_FALSE(QFileInfo::exists(App.Path("Backups")));
}

TEST_F(BackupProjectTest, WhatAKilledBackupLeftGoesButNotABackupBeingMade)
{
    App.Write("Backups/.Novel (01-01-26 @ 09.00.00 AM).nodex-tmp/Text Files/Lamp.txt", "half");
    const QString building = App.MakeFolder("Backups/.Saga (05-12-26 @ 01.40.57 PM).nodex-tmp");
    const int lock = ::open(QFile::encodeName(building).constData(), O_RDONLY | O_DIRECTORY);
    ASSERT_EQ(::flock(lock, LOCK_EX | LOCK_NB), 0);
    BackUp();
    ::close(lock);
    EXPECT_EQ(Dialogs.LastText(), "Project backup created successfully.");
    EXPECT_EQ(
        InBackups(), (QStringList { ".Saga (05-12-26 @ 01.40.57 PM).nodex-tmp", BackupName }));
}

TEST(BackupOfManyCards, TenThousandCardsComeOutEqualToTheProject)
{
    // Making and removing 40,000 files on a disk shared with builds costs many times the backup
    // itself: the folders lie in memory where the system has a place for that.
    const QFileInfo memory(QStringLiteral("/dev/shm"));
    const QString parent
        = memory.isDir() && memory.isWritable() ? memory.filePath() : QDir::tempPath();
    QTemporaryDir folder(parent + "/Nodex-XXXXXX");
    ASSERT_TRUE(folder.isValid());
    const QString project = folder.path() + "/Project/";
    const QString backups = folder.path() + "/Backups/";
    QDir().mkpath(backups);
    GenerateProject(project, 10000, 10, 20);
    QString reason;
    ASSERT_TRUE(BackupProject(backups, project, "Scale.nodex", Afternoon, reason))
        << reason.toStdString();
    const QString backup = backups + "Scale (05-12-26 @ 01.40.57 PM)";
    EXPECT_EQ(QDir(backup).entryList(QDir::Files).size(), 10001);
    EXPECT_EQ(QDir(backup + "/Text Files").entryList(QDir::Files).size(), 10000);
    EXPECT_EQ(FolderDiff(project, backup).join('\n').toStdString(), "");
}
