#include "TempFolder.h"
#include "platform/AtomicWrite.h"
#include "project/ProjectWatcher.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {
/// Writes as a sync tool does: the bytes go to a file of its own, which then takes the name.
void WriteAsASyncTool(const TempFolder& project, const QString& relative, const QByteArray& bytes)
{
    QString error;
    ASSERT_TRUE(WriteFileAtomically(project.Path(relative), bytes, error)) << error.toStdString();
}
} // namespace

TEST(ProjectWatcher, ReportsOnceWhatAnotherProgramChangedMadeOrRemovedInBothFolders)
{
    TempFolder project;
    project.Write("Book.nodex", "[Project]\n");
    project.Write("Lamp.ndx", "[Card]\n");
    project.Write("Sea.ndx", "[Card]\n");
    project.Write("Text Files/Lamp.txt", "Calm\r\n");
    project.Write("Text Files/Sea.txt", "Waves\r\n");
    const QString folder = project.Path() + "/";
    ProjectWatcher watcher;
    watcher.Watch(folder);
    QSignalSpy reports(&watcher, &ProjectWatcher::FilesChanged);

    WriteAsASyncTool(project, "Text Files/Lamp.txt", "Storm\r\n");
    WriteAsASyncTool(project, "Gull.ndx", "[Card]\n");
    ASSERT_TRUE(QFile::remove(project.Path("Sea.ndx")));
    ASSERT_TRUE(reports.wait(5000));
    ASSERT_EQ(reports.size(), 1) << "one report for the whole burst";
    EXPECT_EQ(reports[0][0].toStringList(),
              (QStringList{folder + "Gull.ndx", folder + "Sea.ndx", folder + "Text Files/Lamp.txt"}));

    // A rewrite in place is not reported by every file system: a look finds it, even one of as
    // many bytes whose modification time a copying tool put back.
    const QByteArray sea = QFile::encodeName(project.Path("Text Files/Sea.txt"));
    struct stat before {};
    ASSERT_EQ(::stat(sea.constData(), &before), 0);
    QFile text(project.Path("Text Files/Sea.txt"));
    ASSERT_TRUE(text.open(QIODevice::ReadWrite));
    text.write("Spray\r\n");
    text.close();
    const struct timespec times[2] = {before.st_atim, before.st_mtim};
    ASSERT_EQ(::utimensat(AT_FDCWD, sea.constData(), times, 0), 0);
    watcher.Recheck();
    ASSERT_EQ(reports.size(), 2);
    EXPECT_EQ(reports[1][0].toStringList(), QStringList{folder + "Text Files/Sea.txt"});
    watcher.Recheck();
    EXPECT_EQ(reports.size(), 2) << "nothing changed since the last look";
}

TEST(ProjectWatcher, ATextFolderMadeAfterTheWatchBeganIsWatchedToo)
{
    TempFolder project;
    project.Write("Lamp.ndx", "[Card]\n");
    const QString folder = project.Path() + "/";
    ProjectWatcher watcher;
    watcher.Watch(folder);
    QSignalSpy reports(&watcher, &ProjectWatcher::FilesChanged);

    project.MakeFolder("Text Files");
    WriteAsASyncTool(project, "Text Files/Lamp.txt", "Calm\r\n");
    ASSERT_TRUE(reports.wait(5000)) << "the new folder shows in the project folder";
    WriteAsASyncTool(project, "Text Files/Lamp.txt", "Storm\r\n");
    ASSERT_TRUE(reports.wait(5000)) << "a change inside it is reported by its own watch";
    EXPECT_EQ(reports.last()[0].toStringList(), QStringList{folder + "Text Files/Lamp.txt"});
}

TEST(ProjectWatcher, AFolderRenamedAwayIsGoneOnceAndItsFilesAreNotTakenForRemoved)
{
    TempFolder root;
    root.Write("Book/Lamp.ndx", "[Card]\n");
    ProjectWatcher watcher;
    watcher.Watch(root.Path("Book/"));
    QSignalSpy files(&watcher, &ProjectWatcher::FilesChanged);
    QSignalSpy gone(&watcher, &ProjectWatcher::FolderGone);

    ASSERT_TRUE(QDir(root.Path()).rename("Book", "book"));
    watcher.Recheck();
    watcher.Recheck();
    EXPECT_EQ(gone.size(), 1);
    // A folder of the old name is not the project's either.
    root.Write("Book/Other.ndx", "[Card]\n");
    watcher.Recheck();
    EXPECT_EQ(gone.size(), 1);
    EXPECT_TRUE(files.isEmpty());
    ASSERT_TRUE(QDir(root.Path("Book")).removeRecursively());

    // Back where it was, it is watched as before.
    ASSERT_TRUE(QDir(root.Path()).rename("book", "Book"));
    watcher.Recheck();
    EXPECT_TRUE(files.isEmpty());
    root.Write("Book/Sea.ndx", "[Card]\n");
    watcher.Recheck();
    ASSERT_EQ(files.size(), 1);
    EXPECT_EQ(files[0][0].toStringList(), QStringList{root.Path("Book/Sea.ndx")});
}
