#include "ProseFixture.h"

#include <QFile>
#include <QTextBlock>
#include <QTextDocument>
#include <QXmlStreamReader>

namespace {
/// A word pdftotext finds on a page, with its box in points.
struct BoxedWord {
    QString Text;
    int Page = 0;
    QRectF Box;
    QSizeF PageSize;
};

QList<BoxedWord> BoxedWords(const QString& pdf)
{
    QXmlStreamReader xml(RunTool("pdftotext", { "-bbox", "-enc", "UTF-8", pdf, "-" }));
    QList<BoxedWord> words;
    int page = -1;
    QSizeF size;
    while (!xml.atEnd()) {
        xml.readNext();
        if (!xml.isStartElement())
            continue;
        const auto number
            = [&](const char* name) { return xml.attributes().value(name).toDouble(); };
        if (xml.name() == u"page") {
            ++page;
            size = QSizeF(number("width"), number("height"));
        } else if (xml.name() == u"word") {
            const QRectF box(
                QPointF(number("xMin"), number("yMin")), QPointF(number("xMax"), number("yMax")));
            words << BoxedWord { xml.readElementText(), page, box, size };
        }
    }
    return words;
}

/// The first word of the first place where `text` stands, word by word, on `page` (any page
/// when -1).
const BoxedWord* Find(const QList<BoxedWord>& words, const QString& text, int page = -1)
{
    const QStringList wanted = text.split(u' ');
    for (qsizetype i = 0; i + wanted.size() <= words.size(); ++i) {
        bool found = page < 0 || words[i].Page == page;
        for (qsizetype j = 0; found && j < wanted.size(); ++j)
            found = words[i + j].Text == wanted[j];
        if (found)
            return &words[i];
    }
    return nullptr;
}

/// The runs of text pdftohtml finds in a face of the given kind ("i" italic, "b" bold), from
/// the PDF's own font names.
QStringList FaceRuns(const QString& pdf, QStringView kind)
{
    QXmlStreamReader xml(RunTool("pdftohtml", { "-xml", "-i", "-stdout", "-q", pdf }));
    QStringList runs;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement() && xml.name() == kind)
            runs << xml.readElementText(QXmlStreamReader::IncludeChildElements).trimmed();
    }
    return runs;
}

/// What a reader made of a Markdown or HTML manuscript: the body's paragraphs in order, a
/// horizontal rule as "<hr>", and the runs of its paragraphs in italics and in bold.
struct ReadProse {
    QStringList Paragraphs;
    QStringList Italic;
    QStringList Bold;
};

ReadProse Read(const QTextDocument& document)
{
    ReadProse read;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        if (block.blockFormat().hasProperty(QTextFormat::BlockTrailingHorizontalRulerWidth)) {
            read.Paragraphs << QStringLiteral("<hr>");
            continue;
        }
        if (block.text().isEmpty())
            continue;
        read.Paragraphs << block.text();
        if (block.blockFormat().headingLevel() > 0)
            continue;
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat format = it.fragment().charFormat();
            if (format.fontItalic())
                read.Italic << it.fragment().text();
            if (format.fontWeight() >= QFont::Bold)
                read.Bold << it.fragment().text();
        }
    }
    return read;
}
} // namespace

using ManuscriptPagedTest = ProseFixture;

TEST_F(ManuscriptPagedTest, StandardPdfHasItsTitlePageHeaderBreaksIndentsAndEnd)
{
    const QList<BoxedWord> words = BoxedWords(Export(Job("book.pdf", ManuscriptFormat::Pdf)));
    ASSERT_FALSE(words.isEmpty());
    constexpr double Inch = 72;
    const QSizeF page = words.first().PageSize;
    EXPECT_NEAR(page.width(), 8.5 * Inch, 1) << "Letter, as asked";

    // The title page: the name at the top left and the rounded count on its line, flush right
    // on the right margin; the contact lines under it, single spaced.
    const BoxedWord* name = Find(words, "Ada Quill", 0);
    const BoxedWord* count = Find(words, "words", 0);
    const BoxedWord* street = Find(words, "Quay", 0);
    const BoxedWord* phone = Find(words, "+44", 0);
    ASSERT_TRUE(name && count && street && phone && Find(words, "ada@example.org", 0)
        && Find(words, "PO1", 0));
    EXPECT_NEAR(name->Box.left(), Inch, 1);
    EXPECT_NEAR(name->Box.top(), Inch, 6);
    EXPECT_NEAR(count->Box.top(), name->Box.top(), 1);
    EXPECT_NEAR(count->Box.right(), page.width() - Inch, 1);
    EXPECT_GT(street->Box.top(), name->Box.top());
    EXPECT_LT(street->Box.top() - name->Box.top(), 16) << "single spaced";
    EXPECT_LT(phone->Box.top() - name->Box.top(), 4 * 16);
    QString titlePage;
    for (const BoxedWord& word : words)
        if (word.Page == 0)
            titlePage += word.Text + u' ';
    EXPECT_TRUE(titlePage.contains(RoundedCount)) << titlePage.toStdString();
    EXPECT_FALSE(titlePage.contains(u'/')) << "the title page has no header";

    // Every later page has the running header in its top margin; below it, the chapter's words
    // in order, one break mark where a scene breaks and none between paragraphs, and the end.
    QString header;
    QString body;
    for (const BoxedWord& word : words) {
        if (word.Page == 0)
            continue;
        if (word.Box.top() < 0.9 * Inch)
            header += word.Page == 1 ? word.Text + u' ' : QString();
        else
            body += word.Text + u' ';
    }
    EXPECT_EQ(header.trimmed(), "Quill / LIGHTHOUSE / 1");
    const QString expected = QStringList { Chapter, FirstHalf.join(u' '), "#",
        SecondHalf.join(u' '), "#", SceneBText.join(u' '), "END" }
                                 .join(u' ');
    EXPECT_EQ(body.trimmed().toStdString(), expected.toStdString());
    const BoxedWord* end = Find(words, "END");
    ASSERT_TRUE(end);
    EXPECT_NEAR(end->Box.center().x(), page.width() / 2, 1) << "centred";

    // A paragraph after the heading or a break starts at the margin, the others indented half
    // an inch.
    const struct {
        QString Word;
        double Indent;
    } starts[] = { { "The boat", 0 }, { "Ada climbed", Inch / 2 }, { "By morning", 0 },
        { "She wrote", Inch / 2 }, { "The keeper", 0 }, { "He said", Inch / 2 } };
    for (const auto& start : starts) {
        const BoxedWord* word = Find(words, start.Word, 1);
        ASSERT_TRUE(word) << start.Word.toStdString();
        EXPECT_NEAR(word->Box.left(), Inch + start.Indent, 1) << start.Word.toStdString();
    }
}

TEST_F(ManuscriptPagedTest, PdfPrintsEverythingInTheChosenFaceAndTheEmphasisInItsItalicAndBold)
{
    const struct {
        bool Standard;
        ManuscriptFont Font;
        QString Face;
    } cases[] = { { true, ManuscriptFont::CourierNew, "LiberationMono" },
        { false, ManuscriptFont::TimesNewRoman, "LiberationSerif" } };
    for (const auto& c : cases) {
        ManuscriptExport job = Job("face.pdf", ManuscriptFormat::Pdf);
        job.Options.StandardManuscript = c.Standard;
        job.Options.Font = c.Font;
        const QString pdf = Export(job);
        const std::string face = c.Face.toStdString();
        // pdffonts: two lines of column heads, then one font a line, its name first.
        const QStringList fonts
            = QString::fromUtf8(RunTool("pdffonts", { pdf })).split(u'\n', Qt::SkipEmptyParts);
        ASSERT_GT(fonts.size(), 2);
        for (const QString& font : fonts.mid(2))
            EXPECT_TRUE(font.section(u'+', -1).startsWith(c.Face))
                << face << ": " << font.toStdString();

        EXPECT_EQ(
            FaceRuns(pdf, u"i").join(u'|').toStdString(), ItalicWords.join(u'|').toStdString())
            << face;
        QStringList bold = FaceRuns(pdf, u"b");
        for (const QString& heading : { Chapter, SceneA, SceneB })
            bold.removeAll(heading); // headings are bold
        EXPECT_EQ(bold.join(u'|').toStdString(), BoldWords.join(u'|').toStdString()) << face;
    }
}

TEST_F(ManuscriptPagedTest, MarkdownAndHtmlKeepEmphasisAndBreaksAsReadersSeeThem)
{
    const QStringList body = QStringList { Chapter } + FirstHalf + QStringList { "<hr>" }
        + SecondHalf + QStringList { "<hr>" } + SceneBText + QStringList { "END" };
    for (const ManuscriptFormat format : { ManuscriptFormat::Markdown, ManuscriptFormat::Html }) {
        const QString path = Export(Job("book." + SuffixOf(format), format));
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        QTextDocument document;
        if (format == ManuscriptFormat::Markdown)
            document.setMarkdown(QString::fromUtf8(bytes));
        else
            document.setHtml(QString::fromUtf8(bytes));
        const ReadProse read = Read(document);
        const auto name = SuffixOf(format).toStdString();
        const qsizetype chapter = read.Paragraphs.indexOf(Chapter);
        ASSERT_GE(chapter, 0) << name;
        EXPECT_EQ(
            read.Paragraphs.mid(chapter).join(u'|').toStdString(), body.join(u'|').toStdString())
            << name;
        EXPECT_EQ(read.Italic.join(u'|').toStdString(), ItalicWords.join(u'|').toStdString())
            << name;
        EXPECT_EQ(read.Bold.join(u'|').toStdString(), BoldWords.join(u'|').toStdString()) << name;
    }
}
