#include "ProseFixture.h"
#include "compile/ManuscriptPandoc.h"

#include <QMap>
#include <QRegularExpression>
#include <QXmlStreamReader>

namespace {
/// The attributes of every element of one name in a part, in order.
QList<QXmlStreamAttributes> ElementsNamed(const QByteArray& part, QStringView name)
{
    QList<QXmlStreamAttributes> found;
    QXmlStreamReader xml(part);
    while (!xml.atEnd())
        if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == name)
            found << xml.attributes();
    return found;
}

/// A paragraph of document.xml: its style, its properties (w:pPr's children by name), its text
/// with tabs, and the text of its italic and of its bold runs.
struct DocxParagraph {
    QString Style;
    QMap<QString, QXmlStreamAttributes> Properties;
    QString Text;
    QStringList Italic;
    QStringList Bold;
};

QList<DocxParagraph> ParagraphsOf(const QByteArray& documentXml)
{
    QList<DocxParagraph> paragraphs;
    QXmlStreamReader xml(documentXml);
    bool inProperties = false;
    bool italic = false;
    bool bold = false;
    while (!xml.atEnd() && !xml.hasError()) {
        xml.readNext();
        const QString name = xml.name().toString();
        if (xml.isEndElement() && name == u"pPr")
            inProperties = false;
        if (!xml.isStartElement())
            continue;
        const bool on = xml.attributes().value("w:val") != u"0";
        if (name == u"p")
            paragraphs << DocxParagraph();
        else if (paragraphs.isEmpty())
            continue;
        DocxParagraph& paragraph = paragraphs.last();
        if (name == u"pPr") {
            inProperties = true;
        } else if (inProperties) {
            paragraph.Properties[name] = xml.attributes();
            if (name == u"pStyle")
                paragraph.Style = xml.attributes().value("w:val").toString();
        } else if (name == u"r") {
            italic = bold = false;
        } else if (name == u"i" || name == u"b") {
            (name == u"i" ? italic : bold) = on;
        } else if (name == u"tab") {
            paragraph.Text += u'\t';
        } else if (name == u"t") {
            const QString text = xml.readElementText();
            paragraph.Text += text;
            if (italic)
                paragraph.Italic << text;
            if (bold)
                paragraph.Bold << text;
        }
    }
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    return paragraphs;
}

/// The paragraph styles of styles.xml by id, with their properties (the children of w:pPr and
/// w:rPr by name); "" holds the document's defaults.
struct DocxStyles {
    QMap<QString, QMap<QString, QXmlStreamAttributes>> Properties;
    QMap<QString, QString> BasedOn;

    /// A property as a word processor finds it: the style's own, else the one of the style it
    /// is based on, and at last the default.
    QString Value(QString style, const QString& element, const QString& attribute) const
    {
        for (int depth = 0; depth < 10; ++depth) {
            const QXmlStreamAttributes own = Properties.value(style).value(element);
            if (own.hasAttribute(attribute) || style.isEmpty())
                return own.value(attribute).toString();
            style = BasedOn.value(style);
        }
        return {};
    }
};

DocxStyles StylesOf(const QByteArray& stylesXml)
{
    DocxStyles styles;
    QXmlStreamReader xml(stylesXml);
    QString style;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == u"style")
            style = xml.attributes().value("w:styleId").toString();
        else if (xml.name() == u"basedOn")
            styles.BasedOn[style] = xml.attributes().value("w:val").toString();
        else
            styles.Properties[style][xml.name().toString()] = xml.attributes();
    }
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    return styles;
}

QStringList Runs(const QList<DocxParagraph>& paragraphs, QStringList DocxParagraph::*emphasis)
{
    QStringList runs;
    for (const DocxParagraph& paragraph : paragraphs)
        runs << paragraph.*emphasis;
    return runs;
}

/// A list as a failure shows it.
std::string Joined(const QStringList& list)
{
    return list.join(u'\n').toStdString();
}
} // namespace

class ManuscriptDocxTest : public ProseFixture {
protected:
    void SetUp() override
    {
        if (FindPandoc().isEmpty())
            GTEST_SKIP() << "pandoc is not installed (scripts/install-deps.sh installs it)";
    }
};

// A standard manuscript's page, spacing and running header live in the reference document
// pandoc is given; they must survive into the file pandoc writes.
TEST_F(ManuscriptDocxTest, StandardFormKeepsThePageTheStylesAndTheRunningHeader)
{
    struct Case {
        ManuscriptPaper Paper;
        ManuscriptFont Font;
        int Width;
        int Height;
        QString Family;
    };
    for (const Case& c : { Case { ManuscriptPaper::Letter, ManuscriptFont::TimesNewRoman, 12240,
                               15840, "Times New Roman" },
             Case {
                 ManuscriptPaper::A4, ManuscriptFont::CourierNew, 11906, 16838, "Courier New" } }) {
        SCOPED_TRACE(c.Family.toStdString());
        ManuscriptExport job = Job("book.docx", ManuscriptFormat::Docx);
        job.Options.Paper = c.Paper;
        job.Options.Font = c.Font;
        const QString docx = Export(job);
        const QByteArray document = ZipMember(docx, "word/document.xml");
        const QXmlStreamAttributes size = ElementsNamed(document, u"pgSz").value(0);
        EXPECT_EQ(size.value("w:w").toInt(), c.Width);
        EXPECT_EQ(size.value("w:h").toInt(), c.Height);
        const QXmlStreamAttributes margins = ElementsNamed(document, u"pgMar").value(0);
        for (const char* side : { "w:top", "w:bottom", "w:left", "w:right" })
            EXPECT_EQ(margins.value(side), u"1440") << side;
        EXPECT_EQ(ElementsNamed(document, u"titlePg").size(), 1) << "no header on the title page";

        QMap<QString, QString> headers;
        const QByteArray relationships = ZipMember(docx, "word/_rels/document.xml.rels");
        for (const QXmlStreamAttributes& header : ElementsNamed(document, u"headerReference"))
            for (const QXmlStreamAttributes& part : ElementsNamed(relationships, u"Relationship"))
                if (part.value("Id") == header.value("r:id"))
                    headers[header.value("w:type").toString()] = QString::fromUtf8(
                        ZipMember(docx, "word/" + part.value("Target").toString()));
        EXPECT_TRUE(headers["default"].contains("Quill / LIGHTHOUSE / "));
        EXPECT_TRUE(headers["default"].contains(QRegularExpression("w:instr=\" *PAGE *\"")))
            << "the page number is a field: " << headers["default"].toStdString();
        EXPECT_TRUE(headers.contains("first"));
        EXPECT_FALSE(headers["first"].contains("Quill"));

        const DocxStyles styles = StylesOf(ZipMember(docx, "word/styles.xml"));
        for (const char* style : { "BodyText", "FirstParagraph", "Heading1", "Heading2" }) {
            SCOPED_TRACE(style);
            EXPECT_EQ(styles.Value(style, "rFonts", "w:ascii"), c.Family);
            EXPECT_EQ(styles.Value(style, "sz", "w:val"), "24");
            EXPECT_EQ(styles.Value(style, "spacing", "w:line"), "480");
            EXPECT_EQ(styles.Value(style, "spacing", "w:after").toInt(), 0);
        }
        EXPECT_EQ(styles.Value("BodyText", "ind", "w:firstLine"), "720");
        EXPECT_EQ(styles.Value("FirstParagraph", "ind", "w:firstLine").toInt(), 0);
        EXPECT_EQ(styles.Value("Heading1", "jc", "w:val"), "center");
        EXPECT_TRUE(styles.Properties["Heading1"].contains("pageBreakBefore"));
        // A third of the way down the page, measured from its top edge.
        EXPECT_NEAR(
            1440 + styles.Value("Heading1", "spacing", "w:before").toInt(), c.Height / 3, 20);
    }
}

// What the writer marked is what the agent reads: the paragraphs with their curly quotes,
// emphasis on exactly the marked words and nowhere else, literal asterisks kept, a first
// paragraph without its indent after the heading and after each scene break, the title page
// in front and the end mark last.
TEST_F(ManuscriptDocxTest, StandardFormPrintsTheProseAsMarked)
{
    const QList<DocxParagraph> paragraphs = ParagraphsOf(
        ZipMember(Export(Job("book.docx", ManuscriptFormat::Docx)), "word/document.xml"));
    EXPECT_EQ(Joined(Runs(paragraphs, &DocxParagraph::Italic)), Joined(ItalicWords));
    EXPECT_EQ(Joined(Runs(paragraphs, &DocxParagraph::Bold)), Joined(BoldWords));

    QStringList read;
    for (const DocxParagraph& paragraph : paragraphs)
        read << QString("%1|%2|%3")
                    .arg(paragraph.Style,
                        paragraph.Properties.value("jc").value("w:val").toString(), paragraph.Text);
    const auto body = [](const QStringList& texts) {
        QStringList lines;
        for (const QString& text : texts)
            lines << (lines.isEmpty() ? "FirstParagraph||" : "BodyText||") + text;
        return lines;
    };
    const QStringList lines { "12 Quay Street", "Portsmouth PO1 2AB", Contact.Email,
        Contact.Phone };
    QStringList expected { "||" + Contact.Name + "\t" + RoundedCount };
    for (const QString& line : lines)
        expected << "||" + line;
    expected << "|center|Lighthouse"
             << "|center|Ada Quill"
             << "Heading1||" + Chapter;
    expected << body(FirstHalf) << "|center|#" << body(SecondHalf) << "|center|#"
             << body(SceneBText) << "|center|END";
    ASSERT_EQ(Joined(read), Joined(expected));

    // The contact block single spaced at the top left, the word count flush right at the right
    // margin of a Letter page; the title about halfway down.
    EXPECT_EQ(paragraphs[0].Properties.value("tab").value("w:val"), u"right");
    EXPECT_EQ(paragraphs[0].Properties.value("tab").value("w:pos"), u"9360");
    for (qsizetype i = 0; i <= lines.size(); ++i)
        EXPECT_EQ(paragraphs[i].Properties.value("spacing").value("w:line"), u"240") << i;
    const int title = lines.size() + 1;
    const int titleTop = 1440 + title * 276
        + paragraphs[title].Properties.value("spacing").value("w:before").toInt();
    EXPECT_NEAR(titleTop, 15840 / 2, 15840 / 20);
}

// Without standard form the file keeps pandoc's plain look, and its emphasis and scene break
// are still right; an e-book prints them in its own terms.
TEST_F(ManuscriptDocxTest, PlainDocxAndEpubCarryEmphasisAndSceneBreaks)
{
    ManuscriptExport job = Job("plain.docx", ManuscriptFormat::Docx);
    job.Options.StandardManuscript = false;
    const QByteArray document = ZipMember(Export(job), "word/document.xml");
    EXPECT_TRUE(ElementsNamed(document, u"headerReference").isEmpty());
    const QList<DocxParagraph> paragraphs = ParagraphsOf(document);
    EXPECT_EQ(Joined(Runs(paragraphs, &DocxParagraph::Italic)), Joined(ItalicWords));
    EXPECT_EQ(Joined(Runs(paragraphs, &DocxParagraph::Bold)), Joined(BoldWords));
    QStringList centred;
    for (const DocxParagraph& paragraph : paragraphs)
        if (paragraph.Properties.value("jc").value("w:val") == u"center")
            centred << paragraph.Text;
    EXPECT_EQ(Joined(centred), "* * *") << "scene names are printed, so only the mark is a break";

    job.Target = { Project.Path("book.epub"), ManuscriptFormat::Epub };
    job.Options.StandardManuscript = true;
    const QString epub = Export(job);
    QString chapters;
    for (const QString& member : ZipMembers(epub))
        if (member.contains(QRegularExpression(R"(/ch\d+\.xhtml$)")))
            chapters += QString::fromUtf8(ZipMember(epub, member));
    QStringList italic;
    QStringList bold;
    for (const QRegularExpressionMatch& match :
        QRegularExpression("<(em|strong)>(.*?)</\\1>").globalMatch(chapters))
        (match.captured(1) == u"em" ? italic : bold) << match.captured(2);
    EXPECT_EQ(Joined(italic), Joined(ItalicWords));
    EXPECT_EQ(Joined(bold), Joined(BoldWords));
    EXPECT_EQ(chapters.count("<hr"), 2) << chapters.toStdString();
    EXPECT_TRUE(chapters.contains("2 * 3 shillings, *paid in advance*."));
    EXPECT_FALSE(chapters.contains(Contact.Phone)) << "an e-book has no agent's title page";
}
