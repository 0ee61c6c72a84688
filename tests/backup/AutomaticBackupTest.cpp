#include "backup/AutomaticBackup.h"

#include "FolderDiff.h"
#include "KilledProcess.h"
#include "TempFolder.h"
#include "UnzipTool.h"
#include "backup/RollingBackups.h"
#include "project/ProjectState.h"
#include "settings/AppSettings.h"

#include <QDir>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

using Result = AutomaticBackupOutcome::Result;

/// The project Novel (a card with its text) open in a program folder, and its rolling backups on
/// a clock the test moves on by hand.
class AutomaticBackupTest : public testing::Test {
protected:
    void SetUp() override
    {
        Projects.Write("Novel.nodex", "[Theme]\nName=Book.ini\n");
        Projects.Write("Lamp.ndx", "[Position]\nLeft=400\nTop=150\n");
        Projects.Write("Text Files/Lamp.txt", "Lit.\r\n");
        Project.Folders = ProgramFolders::Portable(App.Path());
        Project.ProjectFolder = Projects.Path();
        Project.ProjectFileName = "Novel.nodex";
        Rolling.Now = [this] { return Clock; };
    }

    /// The backups of a project, oldest first.
    QStringList Zips(const QString& folder = {}) const
    {
        return AutomaticBackups(Folder(folder), "Novel.nodex");
    }
    QString Folder(const QString& folder = {}) const
    {
        return AutomaticBackupFolder(App.Path("Backups/"), Projects.Path(folder), "Novel.nodex");
    }
    /// A writer's change on disk, a minute later.
    void Change(const QByteArray& text)
    {
        Projects.Write("Text Files/Lamp.txt", text);
        Clock = Clock.addSecs(60);
    }
    /// Backs up the project in `folder`, keeping ten backups.
    AutomaticBackupOutcome BackUp(const QDateTime& when, const QString& folder = {})
    {
        return MakeAutomaticBackup(
            App.Path("Backups/"), Projects.Path(folder), "Novel.nodex", when, 10);
    }

    TempFolder App;
    TempFolder Projects;
    ProjectState Project;
    AppSettings Settings;
    RollingBackups Rolling { Project, Settings };
    QDateTime Clock = QDateTime(QDate(2026, 12, 5), QTime(13, 40, 57));
};

TEST_F(AutomaticBackupTest, TheZipHoldsTheProjectAsItIsOnDiskEvenAFileRewrittenInPlace)
{
    Projects.Write("notes.doc", "not the project's");
    Projects.Write("Text Files/draft.rtf", "{\\rtf1}");
    // Files that settled long before: the next look compares their sizes and times, not bytes.
    QDateTime later = QDateTime::currentDateTime().addDays(1);
    AutomaticBackupOutcome made = BackUp(later);
    ASSERT_EQ(made.Outcome, Result::Made) << made.Reason.toStdString();
    EXPECT_EQ(AutomaticBackupName("Novel.nodex", Clock), "Novel (2026-12-05 13.40.57).zip");
    ASSERT_TRUE(UnzipTool::Extract(made.Path, App.Path("restored")));
    EXPECT_EQ(FolderDiff(Projects.Path(), App.Path("restored")).join('\n').toStdString(),
        "Only in project/Text Files: draft.rtf\nOnly in project: notes.doc");
    later = later.addSecs(3600);
    EXPECT_EQ(BackUp(later).Outcome, Result::Unchanged);

    // The same file, the same size, and its modification time put back as a copying tool does.
    const QByteArray lamp = QFile::encodeName(Projects.Path("Text Files/Lamp.txt"));
    struct stat before { };
    ASSERT_EQ(::stat(lamp.constData(), &before), 0);
    Projects.Write("Text Files/Lamp.txt", "Lot.\r\n");
    const timespec times[2] = { before.st_atim, before.st_mtim };
    ASSERT_EQ(::utimensat(AT_FDCWD, lamp.constData(), times, 0), 0);

    made = BackUp(later.addSecs(3600));
    ASSERT_EQ(made.Outcome, Result::Made);
    ASSERT_TRUE(UnzipTool::Extract(made.Path, App.Path("restored")));
    EXPECT_EQ(App.Read("restored/Text Files/Lamp.txt"), "Lot.\r\n");
}

TEST_F(AutomaticBackupTest, WhatAZipCannotHoldIsNamedAndAStrayHugeFileIsNeverRead)
{
    // A file of 4.5 GiB that takes no room on the disk: it would be read whole, were it read.
    const QString huge = Projects.Write("Text Files/Film.txt", "");
    const int file = ::open(QFile::encodeName(huge).constData(), O_WRONLY);
    ASSERT_GE(file, 0);
    ASSERT_EQ(::ftruncate(file, off_t(9) << 29), 0);
    ::close(file);
    AutomaticBackupOutcome outcome = BackUp(Clock);
    EXPECT_EQ(outcome.Outcome, Result::Failed);
    EXPECT_EQ(outcome.Reason,
        "Cannot back up '" + huge
            + "': the backup would be larger than 4 GiB, more than a zip file holds.");
    EXPECT_TRUE(Zips().isEmpty());

    // The texts kept elsewhere through a link: the zip is made without them, and says so.
    QDir(Projects.Path("Text Files")).removeRecursively();
    App.Write("Elsewhere/Lamp.txt", "Lit.\r\n");
    QFile::link(App.Path("Elsewhere"), Projects.Path("Text Files"));
    outcome = BackUp(Clock);
    EXPECT_EQ(outcome.Outcome, Result::Made) << outcome.Reason.toStdString();
    EXPECT_EQ(outcome.LeftOut, QStringList { "Text Files/" });
}

TEST_F(AutomaticBackupTest, OnlyTheLastAreKeptAndNothingElseIsTouched)
{
    // Another project of the same name, a backup made by hand, and a zip the writer keeps
    // among the automatic ones, named so that it sorts before them.
    Projects.Write("Other/Novel.nodex", "[Theme]\nName=Book.ini\n");
    ASSERT_EQ(BackUp(Clock, "Other/").Outcome, Result::Made);
    App.Write("Backups/Novel (05-12-26 @ 01.40.57 PM)/Novel.nodex", "[Theme]\n");
    const QString writersZip = Folder().mid(App.Path().size()) + "Novel (2019 draft).zip";
    App.Write(writersZip, "mine");

    Settings.AutomaticBackups = 3;
    QStringList made;
    for (int backup = 0; backup < 5; ++backup) {
        Change("Relit " + QByteArray::number(backup) + "\r\n");
        Rolling.ProjectLeaving();
        made << AutomaticBackupName("Novel.nodex", Clock);
    }
    EXPECT_EQ(Zips(), made.mid(2));
    EXPECT_EQ(Zips("Other/").size(), 1);
    EXPECT_TRUE(App.Exists("Backups/Novel (05-12-26 @ 01.40.57 PM)/Novel.nodex"));
    EXPECT_EQ(App.Read(writersZip), "mine");

    // Nothing new when nothing changed, however much later.
    Clock = Clock.addDays(1);
    Rolling.ProjectLeaving();
    EXPECT_EQ(Zips(), made.mid(2));
    // No backups at all when the setting says none: the old ones stay.
    Settings.AutomaticBackups = 0;
    Change("Dark.\r\n");
    Rolling.ProjectLeaving();
    EXPECT_EQ(Zips(), made.mid(2));
}

TEST_F(AutomaticBackupTest, WhileOpenABackupIsMadeOnceAnHour)
{
    ASSERT_TRUE(Rolling.Timer.isActive());
    EXPECT_LE(Rolling.Timer.interval(), 60 * 1000);
    QDateTime opened = Clock;
    Rolling.Tick();
    // The writer changes the text every minute: still one backup an hour, counted from the last.
    for (const auto& [minutes, expected] :
        { std::pair { 59, 0 }, { 60, 1 }, { 61, 1 }, { 119, 1 }, { 120, 2 } }) {
        Projects.Write("Text Files/Lamp.txt", "Relit " + QByteArray::number(minutes) + "\r\n");
        Clock = opened.addSecs(minutes * 60);
        Rolling.Tick();
        EXPECT_EQ(Zips().size(), expected) << minutes;
    }
    // Unchanged, the next hour makes none.
    Clock = opened.addSecs(180 * 60);
    Rolling.Tick();
    EXPECT_EQ(Zips().size(), 2);
    // A clock set back a day: the hour counts from the time it shows now.
    Clock = opened = Clock.addDays(-1);
    Rolling.Tick();
    Change("Dark.\r\n");
    Clock = opened.addSecs(60 * 60);
    Rolling.Tick();
    EXPECT_EQ(Zips().size(), 3);
}

TEST_F(AutomaticBackupTest, AKilledBackupLeavesAWholeZipUnderItsNameOrNone)
{
    // The killed backups are named for a time of their own, which no other backup takes; the
    // next backup clears away what they left.
    const QDateTime killedAt(QDate(2030, 1, 1), QTime(9, 0, 0));
    const QString killedZip = AutomaticBackupName("Novel.nodex", killedAt);
    const auto all = QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot;
    const QString folder = Folder();
    for (int step = 1; step < 100; ++step) {
        const bool killed = KilledBeforeStep(step, [&] {
            Projects.Write("Text Files/Lamp.txt", "Relit.\r\n");
            BackUp(killedAt);
        });
        Projects.Write("Text Files/Lamp.txt", "Lit.\r\n");
        BackUp(Clock.addSecs(step));
        const QStringList zips = Zips();
        EXPECT_EQ(QDir(folder).entryList(all), zips) << "step " << step;
        for (const QString& zip : zips) {
            QString output;
            EXPECT_TRUE(UnzipTool::Tests(folder + zip, &output)) << output.toStdString();
        }
        if (zips.contains(killedZip)) {
            ASSERT_TRUE(UnzipTool::Extract(folder + killedZip, App.Path("restored")));
            EXPECT_EQ(App.Read("restored/Text Files/Lamp.txt"), "Relit.\r\n") << "step " << step;
        }
        if (!killed) {
            EXPECT_TRUE(zips.contains(killedZip));
            return;
        }
    }
    ADD_FAILURE() << "the backup never ran through";
}
