#include "platform/TextFile.h"

#include "TempFolder.h"

#include <QStringEncoder>
#include <gtest/gtest.h>

TEST(TextFile, DecodesByByteOrderMarkElseLineByLine)
{
    const QString text = QString::fromUtf8("[Café]\r\nK=€ “x”\n");
    const auto utf16 = [&text](QStringConverter::Encoding encoding) -> QByteArray {
        return QStringEncoder(encoding, QStringConverter::Flag::WriteBom).encode(text);
    };
    const struct {
        QByteArray Bytes;
        QString Text;
    } cases[] = {
        { "caf\xC3\xA9 \xE2\x82\xAC", QString::fromUtf8("café €") },
        { "", QString() },
        { "\xEF\xBB\xBF" + text.toUtf8(), text },
        { utf16(QStringConverter::Utf16LE), text },
        { utf16(QStringConverter::Utf16BE), text },
        // One Windows-1252 line leaves the UTF-8 lines around it alone, whatever the line ends.
        { "Caf\xC3\xA9\r\ncaf\xE9\rCaf\xC3\xA9\n\x93q\x94",
            QString::fromUtf8("Café\r\ncafé\rCafé\n“q”") },
        { "\xEF\xBB\xBF"
          "caf\xE9",
            QString::fromUtf8("café") },
        { "\x80 \x85 \x99 \x9F", QString::fromUtf8("€ … ™ Ÿ") },
        // Bytes that Windows-1252 leaves undefined keep their Latin-1 code points.
        { "\x81\x8D\x8F\x90\x9D",
            QString(QChar(0x81)) + QChar(0x8D) + QChar(0x8F) + QChar(0x90) + QChar(0x9D) },
        // A UTF-8 sequence cut off at the end, or an encoded surrogate, is not UTF-8.
        { "ok\xC3", QString::fromUtf8("okÃ") },
        { "\xED\xA0\x80", QString::fromUtf8("í\xC2\xA0€") },
        // A mark repeated after the first is no text: it would come back as a UTF-8 mark.
        { "\xFF\xFE\xFF\xFE", QString() },
        { "\xEF\xBB\xBF\xEF\xBB\xBF\xEF\xBB\xBFone", QString("one") },
    };
    for (const auto& c : cases)
        EXPECT_EQ(DecodeText(c.Bytes), c.Text) << c.Bytes.toHex().toStdString();
}

TEST(TextFile, LineEndsBecomeLf)
{
    EXPECT_EQ(NormaliseLineEnds("a\r\nb\rc\nd\r\r\ne\n\r"), QString("a\nb\nc\nd\n\ne\n\n"));
}

TEST(TextFile, WritesUtf8WithChosenLineEndsAndReadsBack)
{
    TempFolder folder;
    const QString path = folder.Path("Text Files/Chapter 1.txt");
    folder.MakeFolder("Text Files");
    const QString text = QString::fromUtf8("First “line”\nsecond\r\nthird\rlast");
    QString error;
    ASSERT_TRUE(WriteTextFile(path, text, LineEnds::CrLf, error)) << error.toStdString();
    EXPECT_EQ(folder.Read("Text Files/Chapter 1.txt"),
        QByteArray("First \xE2\x80\x9Cline\xE2\x80\x9D\r\nsecond\r\nthird\r\nlast"));

    QString read;
    ASSERT_TRUE(ReadTextFile(path, read, error));
    EXPECT_EQ(read, QString::fromUtf8("First “line”\nsecond\nthird\nlast"));

    ASSERT_TRUE(WriteTextFile(path, "a\r\nb\n", LineEnds::Lf, error));
    EXPECT_EQ(folder.Read("Text Files/Chapter 1.txt"), QByteArray("a\nb\n"));

    EXPECT_FALSE(ReadTextFile(folder.Path("missing.txt"), read, error));
    EXPECT_TRUE(error.contains("missing.txt"));
    EXPECT_TRUE(read.isEmpty());
}
