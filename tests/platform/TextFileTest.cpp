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
        // Marks repeated after the first, however many, are no text: each would come back as a
        // UTF-8 mark.
        { "\xFF\xFE\xFF\xFE\xFF\xFE\xFF\xFE", QString() },
        { "\xEF\xBB\xBF\xEF\xBB\xBF\xEF\xBB\xBF\xEF\xBB\xBFone", QString("one") },
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

TEST(TextFile, CompiledTextIsUtf8WithCrLfHoweverItWasWritten)
{
    const auto bytes = [](const char* text, qsizetype size) { return QByteArray(text, size); };
    const struct {
        QByteArray Bytes;
        QByteArray Compiled;
    } cases[] = {
        { "", "" },
        { "a\nb\r\nc\rd", "a\r\nb\r\nc\r\nd" },
        { "end\r", "end\r\n" },
        { "\r\r\n\n", "\r\n\r\n\r\n" },
        { bytes("a\0b", 3), bytes("a\0b", 3) },
        // Leading marks go, however many; one inside the text is text.
        { "\xEF\xBB\xBF\xEF\xBB\xBF"
          "caf\xC3\xA9\n",
            "caf\xC3\xA9\r\n" },
        { "\xEF\xBB\xBF", "" },
        { "a\xEF\xBB\xBF"
          "b",
            "a\xEF\xBB\xBF"
            "b" },
        { bytes("\xFF\xFE"
                "a\0\n\0\xE9\0",
              8),
            "a\r\n\xC3\xA9" },
        { bytes("\xFE\xFF\0a\0\r", 6), "a\r\n" },
        // A line that is not UTF-8 is Windows-1252, and the lines around it stay UTF-8.
        { "caf\xE9\rCaf\xC3\xA9", "caf\xC3\xA9\r\nCaf\xC3\xA9" },
        { "\xC0\x80", "\xC3\x80\xE2\x82\xAC" },
        { "ok\xC3", "ok\xC3\x83" },
    };
    for (const auto& c : cases) {
        QByteArray compiled = "before\r\n";
        AppendCrLfText(compiled, c.Bytes);
        EXPECT_EQ(compiled, "before\r\n" + c.Compiled) << c.Bytes.toHex().toStdString();
    }
}

TEST(TextFile, AMissingFileIsToldFromOneThatCannotBeReadAndAFileIsReadToItsEnd)
{
    TempFolder folder;
    const QByteArray large(100000, 'x');
    folder.Write("large.txt", large);
    const struct {
        QString Path;
        FileRead Result;
    } cases[] = {
        { folder.Path("large.txt"), FileRead::Read },
        { folder.Path("missing.txt"), FileRead::Missing },
        { folder.Path("large.txt/below.txt"), FileRead::Missing },
        { folder.MakeFolder("folder.txt"), FileRead::Failed },
    };
    for (const auto& c : cases) {
        QByteArray bytes;
        QString error;
        EXPECT_EQ(ReadFileIfPresent(c.Path, bytes, error), c.Result) << c.Path.toStdString();
        EXPECT_EQ(bytes.size(), c.Result == FileRead::Read ? large.size() : 0);
        EXPECT_EQ(error.isEmpty(), c.Result == FileRead::Read) << error.toStdString();
    }

    // A buffer that held a longer file holds the shorter one alone.
    QByteArray bytes = large;
    QString error;
    folder.Write("short.txt", "short");
    ASSERT_EQ(ReadFileIfPresent(folder.Path("short.txt"), bytes, error), FileRead::Read);
    EXPECT_EQ(bytes, "short");
    // The system may not know a file's size before it is read.
    ASSERT_EQ(ReadFileIfPresent("/proc/self/status", bytes, error), FileRead::Read);
    EXPECT_TRUE(bytes.contains("\nnonvoluntary_ctxt_switches:")) << bytes.right(100).toStdString();
}
