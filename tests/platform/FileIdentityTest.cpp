#include "platform/FileIdentity.h"

#include "TempFolder.h"
#include "platform/AtomicWrite.h"
#include "platform/TextFile.h"

#include <QDir>
#include <QFile>
#include <fcntl.h>
#include <functional>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {
/// Rewrites a file in place, its inode kept, and gives it back its old modification time: what
/// a second write within the file system's time resolution looks like.
void RewriteWithinTheSameInstant(const QString& path, const QByteArray& bytes)
{
    const QByteArray native = QFile::encodeName(path);
    struct stat before {};
    ASSERT_EQ(::stat(native.constData(), &before), 0);
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite | QIODevice::Truncate));
    ASSERT_EQ(file.write(bytes), bytes.size());
    file.close();
    const struct timespec times[2] = { before.st_atim, before.st_mtim };
    ASSERT_EQ(::utimensat(AT_FDCWD, native.constData(), times, 0), 0);
}

FileIdentity Read(const QString& path)
{
    QByteArray bytes;
    QString error;
    FileIdentity identity;
    EXPECT_NE(ReadFileIdentified(path, bytes, identity, error), FileRead::Failed)
        << error.toStdString();
    return identity;
}

const QByteArray Small("the scene as it was read\r\n");
const QByteArray Large(HashedFileBytes + 1, 'a');
} // namespace

TEST(FileIdentity, TellsAChangeByContentForSmallFilesAndByTimesSizeAndInodeForLarge)
{
    struct Case {
        const char* Name;
        QByteArray Original;
        std::function<void(const QString& path)> Change;
        bool Changed;
    };
    const auto copy = [](const QByteArray& bytes) {
        return [bytes](const QString& path) {
            QString error;
            ASSERT_TRUE(WriteFileAtomically(path, bytes, error));
        };
    };
    const Case cases[] = {
        { "untouched", Small, [](const QString&) {}, false },
        { "the same bytes copied over it", Small, copy(Small), false },
        { "rewritten within the same instant", Small,
            [](const QString& path) {
                RewriteWithinTheSameInstant(path, "the scene as it was READ\r\n");
            },
            true },
        { "removed", Small, [](const QString& path) { QFile::remove(path); }, true },
        { "large, untouched", Large, [](const QString&) {}, false },
        { "large, rewritten with as many bytes", Large, copy(QByteArray(Large.size(), 'b')), true },
        { "large, rewritten in place within the same instant", Large,
            [](const QString& path) {
                RewriteWithinTheSameInstant(path, QByteArray(Large.size(), 'b'));
            },
            true },
    };
    for (const Case& test : cases) {
        TempFolder folder;
        const QString path = folder.Write("scene.txt", test.Original);
        const FileIdentity known = Read(path);
        test.Change(path);
        EXPECT_EQ(ChangedSince(known, CurrentIdentity(path)), test.Changed) << test.Name;
    }

    TempFolder folder;
    const FileIdentity missing = Read(folder.Path("new.txt"));
    EXPECT_FALSE(ChangedSince(missing, CurrentIdentity(folder.Path("new.txt"))));
    folder.Write("new.txt", "");
    EXPECT_TRUE(ChangedSince(missing, CurrentIdentity(folder.Path("new.txt"))))
        << "an empty file appeared";
}

TEST(FileIdentity, ASaveOverwritesOnlyTheFileItReadOrLastWrote)
{
    for (const QByteArray& original : { Small, Large }) {
        TempFolder folder;
        const QString path = folder.Write("scene.txt", original);
        FileIdentity known = Read(path);
        QString error;
        // Each save replaces the inode: the next one must compare with the file it wrote.
        for (const char fill : { 'x', 'y' })
            ASSERT_EQ(WriteFileIfUnchanged(path, QByteArray(original.size(), fill), known, error),
                GuardedWrite::Written)
                << error.toStdString();

        folder.Write("scene.txt", "their version");
        for (int attempt = 0; attempt < 2; ++attempt) {
            EXPECT_EQ(
                WriteFileIfUnchanged(path, "mine", known, error), GuardedWrite::ChangedOnDisk);
            EXPECT_TRUE(error.contains("scene.txt")) << error.toStdString();
        }
        EXPECT_EQ(folder.Read("scene.txt"), QByteArray("their version"));
        EXPECT_EQ(
            QDir(folder.Path()).entryList(QDir::Files | QDir::Hidden), QStringList { "scene.txt" });

        // Nothing of theirs is lost when a removed file is written again.
        QFile::remove(path);
        EXPECT_EQ(WriteFileIfUnchanged(path, "mine", known, error), GuardedWrite::Written);
        EXPECT_EQ(folder.Read("scene.txt"), QByteArray("mine"));
    }

    TempFolder folder;
    const QString path = folder.Path("new.txt");
    FileIdentity missing = Read(path);
    FileIdentity stillMissing = missing;
    QString error;
    ASSERT_EQ(WriteFileIfUnchanged(path, "mine", missing, error), GuardedWrite::Written);
    EXPECT_EQ(
        WriteFileIfUnchanged(path, "mine too", stillMissing, error), GuardedWrite::ChangedOnDisk)
        << "created by someone else since it was found missing";
    EXPECT_EQ(folder.Read("new.txt"), QByteArray("mine"));
}
