#include "platform/ZipWriter.h"

#include "TempFolder.h"

#include <QFile>
#include <QProcess>
#include <gtest/gtest.h>

namespace {
QByteArray Unzip(const QStringList& arguments, int& exitCode)
{
    QProcess unzip;
    unzip.start(QStringLiteral("unzip"), arguments);
    EXPECT_TRUE(unzip.waitForFinished()) << "unzip did not run";
    exitCode = unzip.exitCode();
    return unzip.readAllStandardOutput();
}
} // namespace

TEST(ZipWriter, AnArchiveReadsBackWithEveryMemberIntactAndTheStoredOneFirst)
{
    TempFolder folder;
    QByteArray large;
    for (int i = 0; i < 20000; ++i)
        large += "<w:p>Ada walked on.</w:p>\n" + QByteArray::number(i % 7);
    ZipWriter zip;
    zip.Add(QStringLiteral("mimetype"), "application/vnd.oasis.opendocument.text",
        ZipWriter::Packing::Stored);
    zip.Add(QStringLiteral("content.xml"), large);
    zip.Add(QStringLiteral("Pictures/empty.xml"), QByteArray());
    const QString path = folder.Path("book.odt");
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    const QByteArray archive = zip.Finish();
    file.write(archive);
    file.close();

    // The ODF rule: "mimetype", stored, right after the first local header.
    EXPECT_EQ(archive.mid(30, 8 + 39), "mimetypeapplication/vnd.oasis.opendocument.text");
    EXPECT_LT(archive.size(), large.size() / 4) << "the large member is deflated";
    int exitCode = -1;
    Unzip({ "-tq", path }, exitCode);
    EXPECT_EQ(exitCode, 0) << "unzip finds the archive sound";
    EXPECT_EQ(Unzip({ "-p", path, "content.xml" }, exitCode), large);
    const QByteArray listing = Unzip({ "-Z1", path }, exitCode);
    EXPECT_EQ(QString::fromUtf8(listing).split('\n', Qt::SkipEmptyParts),
        QStringList({ "mimetype", "content.xml", "Pictures/empty.xml" }));
}
