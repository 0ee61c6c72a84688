#include "platform/AtomicWrite.h"

#include "SmallDisk.h"
#include "TempFolder.h"
#include "platform/IniFile.h"
#include "platform/TextFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <atomic>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

TEST(AtomicWrite, ReplacesTheWholeFile)
{
    TempFolder folder;
    const QString path = folder.Write("card.ndx", "a much longer old content\n");
    QString error;
    ASSERT_TRUE(WriteFileAtomically(path, "new\n", error)) << error.toStdString();
    EXPECT_EQ(folder.Read("card.ndx"), QByteArray("new\n"));

    ASSERT_TRUE(WriteFileAtomically(folder.Path("fresh.txt"), "", error));
    EXPECT_TRUE(folder.Exists("fresh.txt"));
}

TEST(AtomicWrite, FailureKeepsTheOldFileAndSaysWhy)
{
    TempFolder folder;
    const QString path = folder.Write("locked.ndx", "old bytes");
    ASSERT_TRUE(
        QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
    QString error;
    EXPECT_FALSE(WriteFileAtomically(path, "new bytes", error));
    EXPECT_TRUE(error.contains(path) && error.contains("read-only")) << error.toStdString();
    EXPECT_EQ(folder.Read("locked.ndx"), QByteArray("old bytes"));

    const QString missing = folder.Path("No Such Folder/card.ndx");
    EXPECT_FALSE(WriteFileAtomically(missing, "x", error));
    EXPECT_TRUE(error.contains(missing)) << error.toStdString();
    EXPECT_FALSE(folder.Exists("No Such Folder"));
}

TEST(AtomicWrite, FullDiskKeepsTheOldFileAndSaysWhy)
{
    TempFolder folder;
    const QString disk = folder.MakeFolder("disk");
    // Nothing free, then one page free: the new file fails at once, or after its first page.
    for (const int freePages : { 0, 1 }) {
        SmallDisk small(disk, 64 * 1024);
        if (!small.Mounted())
            GTEST_SKIP() << "a small file system can only be mounted by the superuser";
        const QString path = folder.Write("disk/card.ndx", "old bytes");
        small.Fill(freePages);

        QString error;
        EXPECT_FALSE(WriteFileAtomically(path, QByteArray(5632, 'n'), error)) << freePages;
        EXPECT_TRUE(error.contains("No space left on device")) << error.toStdString();
        EXPECT_EQ(folder.Read("disk/card.ndx"), QByteArray("old bytes")) << freePages;
        EXPECT_EQ(QDir(disk).entryList(QDir::Files), QStringList{"card.ndx"}) << freePages;
    }
}

TEST(RegularFiles, OthersAreRefusedWithoutBeingOpened)
{
    TempFolder folder;
    const QString fifo = folder.Path("fifo.ndx");
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0644), 0);
    // A reader that opens the FIFO after all gets an INI text and an end from this writer,
    // so that the fault fails the test instead of blocking it.
    std::atomic<bool> done = false;
    std::thread writer([&] {
        while (!done) {
            const int fd = open(QFile::encodeName(fifo).constData(), O_WRONLY);
            EXPECT_EQ(write(fd, "[A]\nK=1\n", 8), 8);
            close(fd);
        }
    });
    const QString target = folder.Write("target.ndx", "[A]\nK=1\n");
    ASSERT_TRUE(QFile::link(target, folder.Path("link.ndx")));

    const struct {
        QString Path;
        bool Regular;
    } cases[] = { { fifo, false }, { folder.MakeFolder("folder.ndx"), false },
        { folder.Path("link.ndx"), true } };
    for (const auto& c : cases) {
        QString text, error;
        EXPECT_EQ(ReadTextFile(c.Path, text, error), c.Regular) << c.Path.toStdString();
        EXPECT_EQ(error.contains("not a regular file"), !c.Regular) << error.toStdString();
        IniFile ini(c.Path);
        EXPECT_EQ(ini.Load(error), c.Regular) << c.Path.toStdString();
        EXPECT_EQ(WriteFileAtomically(c.Path, "[A]\nK=2\n", error), c.Regular)
            << c.Path.toStdString();
    }
    EXPECT_EQ(folder.Read("target.ndx"), QByteArray("[A]\nK=2\n"));

    done = true;
    const int reader = open(QFile::encodeName(fifo).constData(), O_RDONLY | O_NONBLOCK);
    writer.join();
    close(reader);
    EXPECT_TRUE(QFileInfo(fifo).exists() && !QFileInfo(fifo).isFile());
}
