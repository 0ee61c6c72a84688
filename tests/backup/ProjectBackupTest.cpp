#include "backup/ProjectBackup.h"

#include "CardFileText.h"
#include "FolderDiff.h"
#include "KilledProcess.h"
#include "ProjectGenerator.h"
#include "TempFolder.h"
#include "platform/FileSteps.h"
#include "platform/NativeName.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <unistd.h>

namespace {
const QDateTime Afternoon(QDate(2026, 12, 5), QTime(13, 40, 57));
const QString BackupName = QStringLiteral("Novel (05-12-26 @ 01.40.57 PM)");
const QByteArray HarbourText = "Dear Ada,\r\nthe\xC2\xA0lamp is lit.\r\n";
const QByteArray LampText = "Lit.\r\n";

/// Fails each step of one kind with a system error, until the hook is cleared.
void FailStep(FileStep failing, int errorNumber, const QByteArray& pathEnd = {})
{
    SetFileStepHook([=](FileStep step, const QByteArray& path) {
        return step == failing && path.endsWith(pathEnd) ? StepOutcome { errorNumber, false }
                                                         : StepOutcome {};
    });
}
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

/// The project Novel (two cards with texts) and a program folder with its Backups folder,
/// backed up at 1:40:57 PM on 5 December 2026.
class ProjectBackupTest : public testing::Test {
protected:
    void SetUp() override
    {
        App.MakeFolder("Backups");
        Projects.Write("Novel.nodex", "[Theme]\nName=Book.ini\n");
        Projects.Write("Harbour.ndx", CardFileText(0, 0, 200, 150, "Lamp", "Boats"));
        Projects.Write("Lamp.ndx", CardFileText(1, 1, 400, 150));
        Projects.Write("Text Files/Harbour.txt", HarbourText);
        Projects.Write("Text Files/Lamp.txt", LampText);
    }

    /// Backs the project up; false with the reason in Reason.
    bool BackUp()
    {
        return BackupProject(
            App.Path("Backups/"), Projects.Path(), "Novel.nodex", Afternoon, LeftOut, Reason);
    }
    /// Everything in the Backups folder, hidden entries too.
    QStringList InBackups() const
    {
        return QDir(App.Path("Backups"))
            .entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    }
    /// A path in the backup.
    QString Backup(const QString& in = {}) const { return App.Path("Backups/" + BackupName + in); }
    std::string ProjectAgainstBackup() const
    {
        return FolderDiff(Projects.Path(), Backup()).join('\n').toStdString();
    }

    TempFolder App;
    TempFolder Projects;
    QStringList LeftOut;
    QString Reason;
};

TEST_F(ProjectBackupTest, CopiesTheProjectAsItIsOnDiskLeavingOutWhatLeadsOut)
{
    // A card and a text whose names are not UTF-8, as an archive from another system leaves them.
    for (const char* name : { "Caf\xE9.ndx", "Text Files/Caf\xE9.txt" })
        Projects.Write(PathFromNative(name), "caf\xE9\r\n");
    // A link that stays inside the project counts as its file; links that lead out, files of
    // other kinds and folders named like cards are left out.
    QFile::link("Lamp.ndx", Projects.Path("Mirror.ndx"));
    QFile::link(
        App.Write("Elsewhere/Stray.ndx", "[Position]\nLeft=1\n"), Projects.Path("Stray.ndx"));
    QFile::link(App.Write("Elsewhere/Far.txt", "private"), Projects.Path("Text Files/Far.txt"));
    Projects.Write("notes.doc", "not a card");
    Projects.Write("Text Files/draft.rtf", "{\\rtf1}");
    Projects.MakeFolder("Old.ndx");
    // The writing history belongs to the project and goes with it.
    Projects.Write("Writing History.txt", "2026-12-07\t1000\t250\t10\t40\n");

    EXPECT_TRUE(BackUp()) << Reason.toStdString();
    EXPECT_EQ(ProjectAgainstBackup(),
        "Only in project: Old.ndx\nOnly in project: Stray.ndx\n"
        "Only in project/Text Files: Far.txt\nOnly in project/Text Files: draft.rtf\n"
        "Only in project: notes.doc");
    EXPECT_FALSE(QFileInfo(Backup("/Mirror.ndx")).isSymLink());
    EXPECT_EQ(LeftOut, QStringList({ "Stray.ndx", "Text Files/Far.txt" }));
    EXPECT_EQ(LeftOutReason(LeftOut),
        "These are links that lead out of the project folder and were left out of the backup, "
        "which holds every other file: 'Stray.ndx', 'Text Files/Far.txt'");

    // The texts kept elsewhere through a link: the folder is left out whole.
    QFile::remove(Projects.Path("Stray.ndx"));
    ASSERT_TRUE(QDir().rename(Projects.Path("Text Files"), App.Path("Elsewhere/Texts")));
    QFile::link(App.Path("Elsewhere/Texts"), Projects.Path("Text Files"));
    EXPECT_TRUE(BackUp()) << Reason.toStdString();
    EXPECT_EQ(LeftOut, QStringList({ "Text Files/" }));
    EXPECT_TRUE(QDir(Backup("/Text Files")).isEmpty());
}

TEST_F(ProjectBackupTest, ASecondBackupInTheSameSecondReplacesTheFirstWhole)
{
    // Where the file system cannot exchange two folders in one step, the old one is moved aside.
    for (const bool exchange : { true, false }) {
        ASSERT_TRUE(BackUp()) << Reason.toStdString();
        // Removing the old backup removes a link in it, never what the link leads to.
        const QString precious = App.Write("Precious/keep.txt", "keep");
        QFile::link(App.Path("Precious"), Backup("/Text Files/Precious"));
        Projects.Write("Text Files/Lamp.txt", "Relit.\r\n");
        QFile::remove(Projects.Path("Text Files/Harbour.txt"));
        if (!exchange)
            FailStep(FileStep::Replace, EINVAL);
        EXPECT_TRUE(BackUp()) << exchange << Reason.toStdString();
        SetFileStepHook({});
        EXPECT_EQ(ProjectAgainstBackup(), "") << exchange;
        EXPECT_EQ(InBackups(), QStringList { BackupName }) << exchange;
        EXPECT_TRUE(QFile::exists(precious)) << exchange;
        Projects.Write("Text Files/Harbour.txt", HarbourText);
    }
}

TEST_F(ProjectBackupTest, AFailureLeavesNoFolderWithTheBackupsNameAndSaysWhy)
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
        ASSERT_TRUE(!earlierBackup || BackUp()) << Reason.toStdString();
        for (const Fault& fault : faults) {
            Projects.Write("Text Files/Lamp.txt", "Changed since.\r\n");
            FailStep(fault.Step, fault.ErrorNumber, fault.PathEnd);
            EXPECT_FALSE(BackUp()) << fault.Reason;
            SetFileStepHook({});
            EXPECT_TRUE(Reason.contains(fault.Reason)) << Reason.toStdString();
            // An earlier backup of the same name stays as it was.
            EXPECT_EQ(InBackups(), earlierBackup ? QStringList { BackupName } : QStringList())
                << fault.Reason;
            EXPECT_EQ(App.Read("Backups/" + BackupName + "/Text Files/Lamp.txt"),
                earlierBackup ? LampText : QByteArray())
                << fault.Reason;
            Projects.Write("Text Files/Lamp.txt", LampText);
        }
    }
    // Without the Backups folder nothing is made, not even the folder.
    QDir(App.Path("Backups")).removeRecursively();
    EXPECT_FALSE(BackUp());
    EXPECT_EQ(Reason, "The folder '" + App.Path("Backups/") + "' does not exist.");
    EXPECT_FALSE(QFileInfo::exists(App.Path("Backups")));
}

TEST_F(ProjectBackupTest, AKilledBackupLeavesAWholeOneUnderItsNameAndTheNextClearsUp)
{
    // Another backup being made (its folder locked) is left alone.
    const QString building = App.MakeFolder("Backups/.Saga (05-12-26 @ 01.40.57 PM).nodex-tmp");
    const int lock = ::open(QFile::encodeName(building).constData(), O_RDONLY | O_DIRECTORY);
    ASSERT_EQ(::flock(lock, LOCK_EX | LOCK_NB), 0);
    App.Write("Backups/.Novel (01-01-26 @ 09.00.00 AM).nodex-tmp/Text Files/Lamp.txt", "half");
    ASSERT_TRUE(BackUp()) << Reason.toStdString();
    // Each killed backup replaces a whole one of the same second after a text changed: under the
    // backup's name there must always be one of the two, whole.
    const QByteArray changed = "Relit.\r\n";
    for (int step = 1; step < 100; ++step) {
        const bool killed = KilledBeforeStep(step, [&] {
            Projects.Write("Text Files/Lamp.txt", changed);
            BackUp();
        });
        const QByteArray text = App.Read("Backups/" + BackupName + "/Text Files/Lamp.txt");
        EXPECT_TRUE(text == LampText || text == changed) << "step " << step;
        Projects.Write("Text Files/Lamp.txt", text);
        EXPECT_EQ(ProjectAgainstBackup(), "") << "step " << step;
        // The next backup clears away what the killed one left.
        Projects.Write("Text Files/Lamp.txt", LampText);
        EXPECT_TRUE(BackUp()) << Reason.toStdString();
        EXPECT_EQ(
            InBackups(), (QStringList { ".Saga (05-12-26 @ 01.40.57 PM).nodex-tmp", BackupName }))
            << "step " << step;
        if (!killed)
            break;
        ASSERT_LT(step, 99) << "the backup never ran through";
    }
    ::close(lock);
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
    GenerateProject(project, 10000, 10, 20);
    QString reason;
    QStringList leftOut;
    ASSERT_TRUE(
        BackupProject(folder.path() + "/", project, "Scale.nodex", Afternoon, leftOut, reason))
        << reason.toStdString();
    const QString backup = folder.path() + "/Scale (05-12-26 @ 01.40.57 PM)";
    EXPECT_EQ(QDir(backup).entryList(QDir::Files).size(), 10001);
    EXPECT_EQ(QDir(backup + "/Text Files").entryList(QDir::Files).size(), 10000);
    EXPECT_EQ(FolderDiff(project, backup).join('\n').toStdString(), "");
}
