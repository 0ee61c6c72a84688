#include "TempFolder.h"
#include "UnzipTool.h"
#include "platform/AtomicWrite.h"
#include "platform/NativeName.h"
#include "platform/TextFile.h"
#include "backup/BackupZipWriter.h"

#include <QRandomGenerator>

#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {
const QDateTime Afternoon(QDate(2026, 12, 5), QTime(13, 40, 56));

QString WriteArchive(const TempFolder& folder, const QByteArray& bytes)
{
    QString error;
    const QString path = folder.Path("archive.zip");
    EXPECT_TRUE(WriteFileAtomically(path, bytes, error)) << error.toStdString();
    return path;
}
} // namespace

TEST(BackupZipWriter, UnzipRestoresEveryNameAndEveryByte)
{
    QByteArray noise(100000, '\0');
    QRandomGenerator(17).fillRange(reinterpret_cast<quint32*>(noise.data()), noise.size() / 4);
    struct Entry {
        QByteArray Name;
        QByteArray Bytes;
        unsigned Permissions;
    };
    const Entry entries[] = {
        { "Book.nodex", "[Theme]\r\nName=Book.ini\r\n", 0644 },
        { "Empty.ndx", "", 0600 },
        // Text deflates; noise would grow, so it is stored as it is.
        { "Text Files/Long.txt", QByteArray("Dear Ada,\r\nthe\xC2\xA0lamp is lit.\r\n").repeated(5000), 0644 },
        { "Text Files/Noise.txt", noise, 0644 },
        // A name in UTF-8 is flagged so; one in another encoding keeps its bytes.
        { "Text Files/Caf\xC3\xA9 \xE2\x80\x94 Ch\xC3\xA2teau.txt", "utf-8\r\n", 0644 },
        { "Text Files/Caf\xE9.txt", "Windows-1252\r\n", 0640 },
    };
    BackupZipWriter zip;
    QString reason;
    for (const Entry& entry : entries)
        ASSERT_TRUE(zip.Add(entry.Name, entry.Bytes, Afternoon, entry.Permissions, reason));
    const QByteArray archive = zip.Finish("a comment\n");
    EXPECT_EQ(BackupZipWriter::Comment(archive), "a comment\n");
    EXPECT_LT(archive.size(), noise.size() + 20000) << "the long text is deflated";

    TempFolder folder;
    const QString path = WriteArchive(folder, archive);
    QString output;
    EXPECT_TRUE(UnzipTool::Tests(path, &output)) << output.toStdString();
    // Readers that take the UTF-8 flag see the accents; the other name is read as MS-DOS text.
    const QString listing = UnzipTool::PythonListing(path);
    EXPECT_TRUE(listing.contains(u"Text Files/Café — Château.txt")) << listing.toStdString();
    EXPECT_TRUE(listing.contains(u"Text Files/CafΘ.txt")) << listing.toStdString();
    ASSERT_TRUE(UnzipTool::Extract(path, folder.Path("out")));
    for (const Entry& entry : entries) {
        const QString file = folder.Path("out/") + PathFromNative(entry.Name);
        QByteArray bytes;
        EXPECT_TRUE(ReadFileBytes(file, bytes, reason)) << reason.toStdString();
        EXPECT_EQ(bytes, entry.Bytes) << entry.Name.toStdString();
        struct stat status { };
        ASSERT_EQ(::stat(NativePath(file).constData(), &status), 0);
        EXPECT_EQ(status.st_mode & 07777, entry.Permissions) << entry.Name.toStdString();
        EXPECT_EQ(QDateTime::fromSecsSinceEpoch(status.st_mtime), Afternoon) << entry.Name.toStdString();
    }
}

TEST(BackupZipWriter, MoreEntriesThanTheShortCountHoldsAreAllRead)
{
    // A project of 40,000 cards has twice as many files as a zip's 16-bit count can say.
    constexpr int Count = 70000;
    BackupZipWriter zip;
    QString reason;
    for (int i = 0; i < Count; ++i)
        ASSERT_TRUE(zip.Add("Card " + QByteArray::number(i) + ".ndx", QByteArray::number(i), Afternoon, 0644, reason));
    TempFolder folder;
    const QString path = WriteArchive(folder, zip.Finish({}));
    QString output;
    EXPECT_TRUE(UnzipTool::Tests(path, &output)) << output.right(500).toStdString();
    EXPECT_TRUE(output.contains("Card 69999.ndx")) << output.right(500).toStdString();
}
