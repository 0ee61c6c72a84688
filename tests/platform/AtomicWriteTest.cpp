#include "platform/AtomicWrite.h"

#include "SmallDisk.h"
#include "TempFolder.h"
#include "platform/FileSteps.h"
#include "platform/IniFile.h"
#include "platform/NativeName.h"
#include "platform/TextFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
/// The files flushed to the disk, by inode, each with the size it had then.
QList<QPair<ino_t, off_t>> Flushed;

int FlushAndCount(int fd)
{
    struct stat status {};
    if (fstat(fd, &status) == 0)
        Flushed.append({status.st_ino, status.st_size});
    return fdatasync(fd);
}

ino_t InodeOf(const QString& path)
{
    struct stat status {};
    return stat(QFile::encodeName(path).constData(), &status) == 0 ? status.st_ino : 0;
}
} // namespace

TEST(AtomicWrite, ReplacesTheWholeFileKeepingItsPermissions)
{
    TempFolder folder;
    const QString path = folder.Write("card.ndx", "a much longer old content\n");
    ASSERT_EQ(chmod(QFile::encodeName(path).constData(), 0640), 0);
    QString error;
    Flushed.clear();
    SetDataSyncCall(FlushAndCount);
    ASSERT_TRUE(WriteFileAtomically(path, "new\n", error)) << error.toStdString();
    EXPECT_EQ(folder.Read("card.ndx"), QByteArray("new\n"));
    struct stat status {};
    ASSERT_EQ(stat(QFile::encodeName(path).constData(), &status), 0);
    EXPECT_EQ(status.st_mode & 07777, 0640u);

    ASSERT_TRUE(WriteFileAtomically(folder.Path("fresh.txt"), "", error));
    SetDataSyncCall(nullptr);
    EXPECT_TRUE(folder.Exists("fresh.txt"));
    EXPECT_EQ(QDir(folder.Path()).entryList(QDir::Files | QDir::Hidden), (QStringList{"card.ndx", "fresh.txt"}));
    // Each file was flushed to the disk with all its bytes.
    EXPECT_EQ(Flushed, (QList<QPair<ino_t, off_t>>{{InodeOf(path), 4}, {InodeOf(folder.Path("fresh.txt")), 0}}));
}

TEST(AtomicWrite, AStepThatFailsKeepsTheOldFileLeavesNothingAndSaysWhy)
{
    struct Fault {
        FileStep Step;
        StepOutcome Outcome;
        const char* Reason;
    };
    const Fault faults[] = {
        {FileStep::CreateTemp, {EACCES, false}, "Permission denied"},
        {FileStep::Write, {ENOSPC, false}, "No space left on device"},
        {FileStep::Write, {0, true}, "No space left on device"},
        {FileStep::Sync, {EIO, false}, "Input/output error"},
        {FileStep::Replace, {EXDEV, false}, "Invalid cross-device link"},
    };
    for (const Fault& fault : faults) {
        TempFolder folder;
        const QString path = folder.Write("card.ndx", "old bytes");
        // A write that tries the failing step again and again ends with another reason, so that
        // it fails this test rather than hang it.
        int tries = 0;
        SetFileStepHook([&](FileStep step, const QByteArray&) {
            return step != fault.Step ? StepOutcome{} : ++tries < 100 ? fault.Outcome : StepOutcome{ECANCELED};
        });
        QString error;
        EXPECT_FALSE(WriteFileAtomically(path, "new bytes", error)) << int(fault.Step);
        SetFileStepHook({});
        EXPECT_TRUE(error.contains(fault.Reason) && error.contains(path)) << error.toStdString();
        EXPECT_EQ(folder.Read("card.ndx"), QByteArray("old bytes"));
        EXPECT_EQ(QDir(folder.Path()).entryList(QDir::Files | QDir::Hidden), QStringList{"card.ndx"});
    }
}

TEST(AtomicWrite, ACreatedFileNeverReplacesOneThatAppearsWhileItIsWritten)
{
    TempFolder folder;
    SetFileStepHook([&](FileStep step, const QByteArray&) {
        if (step == FileStep::Replace)
            folder.Write("Lamp.txt", "theirs");
        return StepOutcome{};
    });
    QString error;
    EXPECT_FALSE(CreateFileAtomically(folder.Path("Lamp.txt"), "ours", error));
    SetFileStepHook({});
    EXPECT_EQ(folder.Read("Lamp.txt"), QByteArray("theirs"));
    EXPECT_TRUE(error.endsWith("File exists")) << error.toStdString();
    EXPECT_EQ(QDir(folder.Path()).entryList(QDir::Files | QDir::Hidden), QStringList{"Lamp.txt"});
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

TEST(RegularFiles, OthersAreRefusedWithoutBeingOpenedAndLinksAreNeverWrittenThrough)
{
    TempFolder folder;
    // Nothing ever writes into this FIFO: a read that opened it and waited would hang the test
    // until its time runs out.
    const QString fifo = folder.Path("fifo.ndx");
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0644), 0);
    const QString target = folder.Write("target.ndx", "[A]\nK=1\n");
    ASSERT_TRUE(QFile::link(target, folder.Path("link.ndx")));
    ASSERT_TRUE(QFile::link(folder.Path("gone.ndx"), folder.Path("dangling.ndx")));

    const struct {
        QString Path;
        bool Readable;
        const char* WriteRefusal;
    } cases[] = {{fifo, false, "not a regular file"},
                 {folder.MakeFolder("folder.ndx").chopped(1), false, "not a regular file"},
                 {folder.Path("link.ndx"), true, "symbolic link"},
                 {folder.Path("dangling.ndx"), false, "symbolic link"}};
    for (const auto& c : cases) {
        QString text, error;
        EXPECT_EQ(ReadTextFile(c.Path, text, error), c.Readable) << c.Path.toStdString();
        IniFile ini(c.Path);
        EXPECT_EQ(ini.Load(error), c.Readable || KindOf(c.Path) == FileKind::Missing) << c.Path.toStdString();
        EXPECT_FALSE(WriteFileAtomically(c.Path, "[A]\nK=2\n", error)) << c.Path.toStdString();
        EXPECT_TRUE(error.contains(c.WriteRefusal)) << error.toStdString();
    }
    // A link standing under our own temporary name is replaced, never written through.
    const QString card = folder.Path("card.ndx");
    ASSERT_TRUE(QFile::link(target, PathFromNative(TempPathBeside(NativePath(card)))));
    QString error;
    EXPECT_TRUE(WriteFileAtomically(card, "[A]\nK=3\n", error)) << error.toStdString();
    EXPECT_EQ(folder.Read("card.ndx"), QByteArray("[A]\nK=3\n"));
    EXPECT_FALSE(QFileInfo(card).isSymLink());
    EXPECT_EQ(folder.Read("target.ndx"), QByteArray("[A]\nK=1\n"));
    EXPECT_FALSE(folder.Exists("gone.ndx")) << "a dangling link does not create its target";
    EXPECT_TRUE(QFileInfo(fifo).exists() && !QFileInfo(fifo).isFile());
}
