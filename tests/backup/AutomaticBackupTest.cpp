#include "FolderDiff.h"
#include "TempFolder.h"
#include "UnzipTool.h"
#include "backup/AutomaticBackup.h"
#include "backup/RollingBackups.h"
#include "project/ProjectState.h"
#include "settings/AppSettings.h"

#include <QDir>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>

namespace {
const QDateTime Afternoon(QDate(2026, 12, 5), QTime(13, 40, 57));

/// Writes the project Novel (two cards with texts) into a folder.
void WriteNovel(const TempFolder& folder, const QString& at)
{
    for (const auto& [file, bytes] : {
             std::pair<QString, QByteArray> { "Novel.nodex", "[Theme]\nName=Book.ini\n" },
             { "Harbour.ndx", "[Position]\nLeft=200\nTop=150\n" },
             { "Lamp.ndx", "[Position]\nLeft=400\nTop=150\n" },
             { "Text Files/Harbour.txt", "Dear Ada,\r\nthe\xC2\xA0lamp is lit.\r\n" },
             { "Text Files/Lamp.txt", "Lit.\r\n" },
         })
        folder.Write(at + file, bytes);
}
} // namespace

/// The project Novel open in a program folder, its rolling backups on a clock the test moves on
/// by hand, and another project Novel beside it.
class AutomaticBackupTest : public testing::Test {
protected:
    void SetUp() override
    {
        WriteNovel(Projects, {});
        WriteNovel(Projects, "Other/");
        Project.AppFolder = App.Path();
        Project.ProjectFolder = Projects.Path();
        Project.ProjectFileName = "Novel.nodex";
        Rolling.Now = [this] { return Clock; };
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
    AutomaticBackupOutcome BackUpOther(const QDateTime& when)
    {
        return MakeAutomaticBackup(App.Path("Backups/"), Other, "Novel.nodex", when, 10);
    }

    TempFolder App;
    TempFolder Projects;
    const QString Other = Projects.Path("Other/");
    ProjectState Project;
    AppSettings Settings;
    RollingBackups Rolling { Project, Settings };
    QDateTime Clock = Afternoon;
};

TEST_F(AutomaticBackupTest, TheZipHoldsTheProjectAsItIsOnDisk)
{
    Projects.Write("Other/notes.doc", "not the project's");
    Projects.Write("Other/Text Files/draft.rtf", "{\\rtf1}");
    const AutomaticBackupOutcome made = BackUpOther(Afternoon);
    ASSERT_EQ(made.Outcome, AutomaticBackupOutcome::Result::Made) << made.Reason.toStdString();
    EXPECT_EQ(made.Path, Folder(Other) + "Novel (2026-12-05 13.40.57).zip");
    EXPECT_EQ(AutomaticBackups(Folder(Other), "Novel.nodex"), QStringList { "Novel (2026-12-05 13.40.57).zip" });
    QString output;
    EXPECT_TRUE(UnzipTool::Tests(made.Path, &output)) << output.toStdString();
    ASSERT_TRUE(UnzipTool::Extract(made.Path, App.Path("restored")));
    EXPECT_EQ(FolderDiff(Other, App.Path("restored")).join('\n').toStdString(),
        "Only in project/Text Files: draft.rtf\nOnly in project: notes.doc");
}

TEST_F(AutomaticBackupTest, OnlyTheLastAreKeptAndNothingElseIsTouched)
{
    // Another project of the same name, and a backup made by hand.
    ASSERT_EQ(BackUpOther(Afternoon).Outcome, AutomaticBackupOutcome::Result::Made);
    App.Write("Backups/Novel (05-12-26 @ 01.40.57 PM)/Novel.nodex", "[Theme]\n");

    Settings.AutomaticBackups = 3;
    QStringList made;
    for (int backup = 0; backup < 5; ++backup) {
        Change("Relit " + QByteArray::number(backup) + "\r\n");
        Rolling.ProjectLeaving();
        made << AutomaticBackupName("Novel.nodex", Clock);
    }
    EXPECT_EQ(Zips(), made.mid(2));
    EXPECT_EQ(AutomaticBackups(Folder(Other), "Novel.nodex").size(), 1);
    EXPECT_TRUE(App.Exists("Backups/Novel (05-12-26 @ 01.40.57 PM)/Novel.nodex"));

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

TEST_F(AutomaticBackupTest, AFileRewrittenInPlaceWithItsOldSizeAndTimeIsStillBackedUp)
{
    // Files that settled long before: the next look compares their sizes and times, not bytes.
    using Result = AutomaticBackupOutcome::Result;
    QDateTime later = QDateTime::currentDateTime().addDays(1);
    ASSERT_EQ(BackUpOther(later).Outcome, Result::Made);
    later = later.addSecs(3600);
    EXPECT_EQ(BackUpOther(later).Outcome, Result::Unchanged);

    // The same file, the same size, and its modification time put back as a copying tool does.
    const QByteArray lamp = QFile::encodeName(Other + "Text Files/Lamp.txt");
    struct stat before { };
    ASSERT_EQ(::stat(lamp.constData(), &before), 0);
    QFile file(Other + "Text Files/Lamp.txt");
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    ASSERT_EQ(file.write("Lot.\r\n"), before.st_size);
    file.close();
    const timespec times[2] = { before.st_atim, before.st_mtim };
    ASSERT_EQ(::utimensat(AT_FDCWD, lamp.constData(), times, 0), 0);

    const AutomaticBackupOutcome made = BackUpOther(later.addSecs(3600));
    ASSERT_EQ(made.Outcome, Result::Made);
    ASSERT_TRUE(UnzipTool::Extract(made.Path, App.Path("restored")));
    EXPECT_EQ(App.Read("restored/Text Files/Lamp.txt"), "Lot.\r\n");
}

TEST_F(AutomaticBackupTest, WhileOpenABackupIsMadeOnceAnHour)
{
    ASSERT_TRUE(Rolling.Timer.isActive());
    EXPECT_LE(Rolling.Timer.interval(), 60 * 1000);
    const QDateTime opened = Clock;
    Rolling.Tick();
    Change("Relit.\r\n");
    for (const auto& [minutes, expected] : { std::pair { 59, 0 }, { 60, 1 }, { 61, 1 }, { 119, 1 } }) {
        Clock = opened.addSecs(minutes * 60);
        Rolling.Tick();
        EXPECT_EQ(Zips().size(), expected) << minutes;
    }
    // Unchanged, the second hour makes none; changed, the third does.
    Clock = opened.addSecs(120 * 60);
    Rolling.Tick();
    EXPECT_EQ(Zips().size(), 1);
    Change("Dark.\r\n");
    Clock = opened.addSecs(180 * 60);
    Rolling.Tick();
    EXPECT_EQ(Zips().size(), 2);
}
