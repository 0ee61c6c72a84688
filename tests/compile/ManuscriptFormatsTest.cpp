#include "ManuscriptFixture.h"
#include "compile/ManuscriptPandoc.h"

#include <QFile>
#include <QRegularExpression>

namespace {
/// What a format can say besides the text; the rest is left out of the comparison.
struct Carries {
    bool Heading = false;
    bool Italic = false;
    bool Centred = false;
    bool NewPage = false;
};

QList<ReadParagraph> Only(QList<ReadParagraph> paragraphs, Carries carries)
{
    for (ReadParagraph& paragraph : paragraphs) {
        paragraph.HeadingLevel = carries.Heading ? paragraph.HeadingLevel : 0;
        paragraph.Italic = carries.Italic && paragraph.Italic;
        paragraph.Centred = carries.Centred && paragraph.Centred;
        paragraph.NewPage = carries.NewPage && paragraph.NewPage;
    }
    return paragraphs;
}

QByteArray ReadAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

/// The paragraphs as a format that writes a scene break as a horizontal rule reads back: a
/// block without text.
QList<ReadParagraph> WithBreaksAsRules(QList<ReadParagraph> paragraphs)
{
    for (ReadParagraph& paragraph : paragraphs)
        if (paragraph.Text == u"* * *")
            paragraph.Text.clear();
    return paragraphs;
}

QString Simplified(QString text)
{
    return text.replace(QChar::Nbsp, u' ').simplified();
}

/// The characters of a text without its white space: in a PDF, spaces and tabs are where the
/// glyphs stand, which pdftotext can only guess.
QString Visible(const QString& text)
{
    return Simplified(text).remove(u' ');
}
} // namespace

// Each format is read back by a reader of its own and must give every paragraph, every
// character of it and as much of its structure as the format holds.
using ManuscriptFormatsTest = ManuscriptFixture;

TEST_F(ManuscriptFormatsTest, MarkdownReadsBackAsWritten)
{
    const QByteArray markdown = ReadAll(Export("book.md", ManuscriptFormat::Markdown));
    // Markdown drops spaces at either end of a line: they are written as character references,
    // which CommonMark readers turn back into spaces (Qt's reader drops them, so they are
    // checked here in the file).
    EXPECT_TRUE(markdown.contains("\n&#32;&#32;Two spaces")) << markdown.toStdString();
    EXPECT_TRUE(markdown.contains("end&#32;&#32;\n")) << markdown.toStdString();
    // A line break within a paragraph is a backslash at the end of its line, which Qt's reader
    // takes for a new paragraph.
    EXPECT_TRUE(markdown.contains("\nSoft\\\nbreak, formfeed, escape\\[0m end\n"))
        << markdown.toStdString();
    QList<ReadParagraph> expected;
    for (ReadParagraph paragraph : WithBreaksAsRules(Expected())) {
        for (const QString& line : paragraph.Text.split(QChar::LineSeparator)) {
            paragraph.Text = line.trimmed();
            expected << paragraph;
        }
    }
    const Carries carries { true, true, false, false };
    EXPECT_EQ(Only(MarkdownParagraphs(markdown), carries), Only(expected, carries));
}

TEST_F(ManuscriptFormatsTest, HtmlReadsBackAsWritten)
{
    const QList<ReadParagraph> read
        = HtmlParagraphs(ReadAll(Export("book.html", ManuscriptFormat::Html)));
    const Carries carries { true, true, true, true };
    EXPECT_EQ(Only(read, carries), Only(WithBreaksAsRules(Expected()), carries));
}

TEST_F(ManuscriptFormatsTest, OdtReadsBackAsWritten)
{
    const QList<ReadParagraph> read = OdtParagraphs(Export("book.odt", ManuscriptFormat::Odt));
    const Carries carries { true, true, true, true };
    EXPECT_EQ(Only(read, carries), Only(Expected(), carries));
}

TEST_F(ManuscriptFormatsTest, PdfHoldsEveryLineAndStartsChaptersOnNewPages)
{
    const QStringList pages
        = PdfText(Export("book.pdf", ManuscriptFormat::Pdf)).split(u'\f', Qt::SkipEmptyParts);
    ASSERT_EQ(pages.size(), 2) << "the second chapter begins the second page";
    qsizetype at = 0;
    int page = 0;
    // Qt's PDF writer draws characters beyond U+FFFF (the emoji) but leaves them out of the
    // text layer.
    for (const ReadParagraph& paragraph : Expected()) {
        const QString wanted = Visible(
            QString(paragraph.Text).remove(QRegularExpression("[\\x{10000}-\\x{10FFFF}]")));
        if (paragraph.NewPage) {
            ++page;
            at = 0;
        }
        const QString text = Visible(pages.value(page));
        const qsizetype found = text.indexOf(wanted, at);
        EXPECT_GE(found, 0) << "page " << page + 1 << " lacks: " << wanted.toStdString() << "\n"
                            << text.toStdString();
        at = found < 0 ? at : found + wanted.size();
    }
}

TEST_F(ManuscriptFormatsTest, DocxAndEpubThroughPandocReadBackAsWritten)
{
    if (FindPandoc().isEmpty())
        GTEST_SKIP() << "pandoc is not installed (scripts/install-deps.sh installs it)";
    const Carries docx { true, true, true, true };
    EXPECT_EQ(Only(DocxParagraphs(Export("book.docx", ManuscriptFormat::Docx)), docx),
        Only(Expected(), docx));

    // An EPUB begins every chapter with a file of its own, and its scene break is a rule
    // rather than a paragraph.
    QList<ReadParagraph> expected = Expected();
    expected.first().NewPage = true;
    expected.removeIf([](const ReadParagraph& paragraph) { return paragraph.Text == u"* * *"; });
    const Carries epub { true, false, true, true };
    EXPECT_EQ(Only(EpubParagraphs(Export("book.epub", ManuscriptFormat::Epub)), epub),
        Only(expected, epub));
}
