#include "platform/TextFile.h"

#include "TempFolder.h"

#include <gtest/gtest.h>

TEST(TextFile, DecodesUtf8ElseWindows1252)
{
    EXPECT_EQ(DecodeText("caf\xC3\xA9 \xE2\x82\xAC"), QString::fromUtf8("café €"));
    EXPECT_EQ(DecodeText("\xEF\xBB\xBF"
                         "caf\xC3\xA9"),
        QString::fromUtf8("café"));
    EXPECT_EQ(DecodeText(""), QString());

    // Not UTF-8: every byte is one Windows-1252 character, the 0x80..0x9F block included.
    EXPECT_EQ(DecodeText("caf\xE9"), QString::fromUtf8("café"));
    EXPECT_EQ(
        DecodeText("\x80 \x93quoted\x94 \x85 \x99 \x9F"), QString::fromUtf8("€ “quoted” … ™ Ÿ"));
    // Bytes that Windows-1252 leaves undefined keep their Latin-1 code points.
    EXPECT_EQ(DecodeText("\x81\x8D\x8F\x90\x9D"),
        QString(QChar(0x81)) + QChar(0x8D) + QChar(0x8F) + QChar(0x90) + QChar(0x9D));
    // A UTF-8 sequence cut off at the end, or an encoded surrogate, is not UTF-8.
    EXPECT_EQ(DecodeText("ok\xC3"), QString::fromUtf8("okÃ"));
    EXPECT_EQ(DecodeText("\xED\xA0\x80"), QString::fromUtf8("í\xC2\xA0€"));
    // A byte-order mark before bytes that are not UTF-8 is still skipped.
    EXPECT_EQ(DecodeText("\xEF\xBB\xBF"
                         "caf\xE9"),
        QString::fromUtf8("café"));
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

    folder.Write("old.txt", "caf\xE9\r\n");
    ASSERT_TRUE(ReadTextFile(folder.Path("old.txt"), read, error));
    EXPECT_EQ(read, QString::fromUtf8("café\n"));

    EXPECT_FALSE(ReadTextFile(folder.Path("missing.txt"), read, error));
    EXPECT_TRUE(error.contains("missing.txt"));
    EXPECT_TRUE(read.isEmpty());
}
