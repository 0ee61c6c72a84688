#include "ProseFixture.h"
#include "compile/ManuscriptPandoc.h"

#include <QMap>
#include <QRegularExpression>
#include <QXmlStreamReader>

namespace {
/// A run of text and the emphasis it carries.
struct Run {
    QString Text;
    bool Italic = false;
    bool Bold = false;
};

/// A paragraph of document.xml as a word processor lays it out.
struct DocxParagraph {
    QString Style;
    QString Text; ///< a tab as "\t"
    QList<Run> Runs;
    QMap<QString, QXmlStreamAttributes> Properties; ///< w:pPr's children by name
    bool PageBreak = false;
};

/// The paragraphs of a DOCX's document.xml, and the section properties after them.
struct DocxBody {
    QList<DocxParagraph> Paragraphs;
    QMap<QString, QList<QXmlStreamAttributes>> Section; ///< w:sectPr's children by name
};

DocxBody BodyOf(const QByteArray& documentXml)
{
    DocxBody body;
    QXmlStreamReader xml(documentXml);
    DocxParagraph* paragraph = nullptr;
    Run run;
    QString within; // "pPr", "rPr" or "sectPr" while inside one
    while (!xml.atEnd()) {
        xml.readNext();
        const QString name = xml.name().toString();
        if (xml.isEndElement()) {
            if (name == u"r" && paragraph && !run.Text.isEmpty())
                paragraph->Runs << run;
            if (name == within)
                within.clear();
            continue;
        }
        if (!xml.isStartElement())
            continue;
        if (name == u"p") {
            body.Paragraphs << DocxParagraph();
            paragraph = &body.Paragraphs.last();
        } else if (name == u"r") {
            run = Run();
        } else if (name == u"pPr" || name == u"rPr" || name == u"sectPr") {
            within = name;
        } else if (within == u"sectPr") {
            body.Section[name] << xml.attributes();
        } else if (!paragraph) {
            continue;
        } else if (within == u"pPr") {
            paragraph->Properties[name] = xml.attributes();
            if (name == u"pStyle")
                paragraph->Style = xml.attributes().value("w:val").toString();
        } else if (within == u"rPr") {
            const bool on = xml.attributes().value("w:val") != u"0";
            run.Italic = run.Italic || (name == u"i" && on);
            run.Bold = run.Bold || (name == u"b" && on);
        } else if (name == u"t") {
            const QString text = xml.readElementText();
            run.Text += text;
            paragraph->Text += text;
        } else if (name == u"tab") {
            run.Text += u'\t';
            paragraph->Text += u'\t';
        } else if (name == u"br" && xml.attributes().value("w:type") == u"page") {
            paragraph->PageBreak = true;
        }
    }
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    return body;
}

/// The styles of styles.xml by name, each with its properties (w:pPr's and w:rPr's children)
/// and the style it is based on; "" holds the document defaults.
struct DocxStyles {
    QMap<QString, QMap<QString, QXmlStreamAttributes>> Properties;
    QMap<QString, QString> BasedOn;
    QMap<QString, QString> NameOfId;

    /// A property as the style shows it: its own, or else from the style it is based on, and
    /// at last from the defaults.
    QString Value(QString style, const QString& element, const QString& attribute) const
    {
        for (int depth = 0; depth < 10; ++depth) {
            const auto own = Properties.value(style).constFind(element);
            if (own != Properties.value(style).constEnd() && own->hasAttribute(attribute))
                return own->value(attribute).toString();
            if (style.isEmpty())
                return {};
            style = NameOfId.value(BasedOn.value(style));
        }
        return {};
    }
    bool Has(const QString& style, const QString& element) const
    {
        return Properties.value(style).contains(element);
    }
};

DocxStyles StylesOf(const QByteArray& stylesXml)
{
    DocxStyles styles;
    QXmlStreamReader xml(stylesXml);
    QString style;
    QString id;
    while (!xml.atEnd()) {
        xml.readNext();
        if (!xml.isStartElement())
            continue;
        const QStringView name = xml.name();
        if (name == u"style") {
            id = xml.attributes().value("w:styleId").toString();
        } else if (name == u"name") {
            style = xml.attributes().value("w:val").toString();
            styles.NameOfId[id] = style;
        } else if (name == u"basedOn") {
            styles.BasedOn[style] = xml.attributes().value("w:val").toString();
        } else if (name != u"pPr" && name != u"rPr") {
            styles.Properties[style][name.toString()] = xml.attributes();
        }
    }
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    return styles;
}

/// The words of runs that carry an emphasis, run by run.
QStringList Emphasised(const DocxBody& body, bool Run::*emphasis)
{
    QStringList words;
    for (const DocxParagraph& paragraph : body.Paragraphs)
        for (const Run& run : paragraph.Runs)
            if (run.*emphasis)
                words << run.Text;
    return words;
}

/// A list as a failure shows it.
std::string Joined(const QStringList& list)
{
    return list.join(u'\n').toStdString();
}

/// The part a relationship of document.xml leads to.
QString RelationshipTarget(const QByteArray& relationships, const QString& id)
{
    QXmlStreamReader xml(relationships);
    while (!xml.atEnd())
        if (xml.readNext() == QXmlStreamReader::StartElement && xml.attributes().value("Id") == id)
            return "word/" + xml.attributes().value("Target").toString();
    return {};
}

QString Attribute(const DocxBody& body, const QString& element, const QString& attribute)
{
    return body.Section.value(element).value(0).value(attribute).toString();
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
        const char* Width;
        const char* Height;
        const char* Family;
    };
    for (const Case& c : { Case { ManuscriptPaper::Letter, ManuscriptFont::TimesNewRoman, "12240",
                               "15840", "Times New Roman" },
             Case { ManuscriptPaper::A4, ManuscriptFont::CourierNew, "11906", "16838",
                 "Courier New" } }) {
        SCOPED_TRACE(c.Family);
        ManuscriptExport job = Job("book.docx", ManuscriptFormat::Docx);
        job.Options.Paper = c.Paper;
        job.Options.Font = c.Font;
        const QString docx = Export(job);
        const DocxBody body = BodyOf(ZipMember(docx, "word/document.xml"));
        EXPECT_EQ(Attribute(body, "pgSz", "w:w"), c.Width);
        EXPECT_EQ(Attribute(body, "pgSz", "w:h"), c.Height);
        for (const char* side : { "w:top", "w:bottom", "w:left", "w:right" })
            EXPECT_EQ(Attribute(body, "pgMar", side), "1440") << side;
        EXPECT_TRUE(body.Section.contains("titlePg")) << "the title page has no running header";

        QMap<QString, QString> headers;
        for (const QXmlStreamAttributes& reference : body.Section.value("headerReference"))
            headers[reference.value("w:type").toString()] = QString::fromUtf8(ZipMember(docx,
                RelationshipTarget(ZipMember(docx, "word/_rels/document.xml.rels"),
                    reference.value("r:id").toString())));
        EXPECT_TRUE(headers["default"].contains("Quill / LIGHTHOUSE / "));
        EXPECT_TRUE(headers["default"].contains(QRegularExpression("w:instr=\" *PAGE *\"")))
            << "the page number is a field: " << headers["default"].toStdString();
        EXPECT_FALSE(headers["first"].contains("Quill"));

        const DocxStyles styles = StylesOf(ZipMember(docx, "word/styles.xml"));
        for (const char* style : { "Body Text", "First Paragraph", "heading 1", "heading 2" }) {
            SCOPED_TRACE(style);
            EXPECT_EQ(styles.Value(style, "rFonts", "w:ascii"), c.Family);
            EXPECT_EQ(styles.Value(style, "sz", "w:val"), "24");
            EXPECT_EQ(styles.Value(style, "spacing", "w:line"), "480");
            EXPECT_EQ(styles.Value(style, "spacing", "w:after").toInt(), 0);
        }
        EXPECT_EQ(styles.Value("Body Text", "ind", "w:firstLine"), "720");
        EXPECT_EQ(styles.Value("First Paragraph", "ind", "w:firstLine").toInt(), 0);
        EXPECT_EQ(styles.Value("heading 1", "jc", "w:val"), "center");
        EXPECT_TRUE(styles.Has("heading 1", "pageBreakBefore"));
        // A third of the way down the page, measured from its top edge.
        EXPECT_NEAR(1440 + styles.Value("heading 1", "spacing", "w:before").toInt(),
            QString(c.Height).toInt() / 3, 20);
    }
}

// What the writer marked is what the agent reads: the paragraphs with their curly quotes,
// emphasis on exactly the marked words and nowhere else, literal asterisks kept, a first
// paragraph without its indent after the heading and after each scene break, and the title page
// in front.
TEST_F(ManuscriptDocxTest, StandardFormPrintsTheProseAsMarked)
{
    const DocxBody body
        = BodyOf(ZipMember(Export(Job("book.docx", ManuscriptFormat::Docx)), "word/document.xml"));
    EXPECT_EQ(Joined(Emphasised(body, &Run::Italic)), Joined(ItalicWords));
    EXPECT_EQ(Joined(Emphasised(body, &Run::Bold)), Joined(BoldWords));

    QStringList read;
    for (const DocxParagraph& paragraph : body.Paragraphs) {
        const QString jc = paragraph.Properties.value("jc").value("w:val").toString();
        read << QString("%1|%2|%3").arg(paragraph.Style, jc, paragraph.Text);
    }
    const auto styled = [](const QStringList& texts) {
        QStringList lines;
        for (const QString& text : texts)
            lines << (lines.isEmpty() ? "FirstParagraph||" : "BodyText||") + text;
        return lines;
    };
    const QStringList expected
        = QStringList { "|center|Lighthouse", "|center|Ada Quill", "Heading1||" + Chapter }
        + styled(FirstHalf) + QStringList { "|center|#" } + styled(SecondHalf)
        + QStringList { "|center|#" } + styled(SceneBText) + QStringList { "|center|END" };
    const qsizetype title = read.size() - expected.size();
    ASSERT_GE(title, 0) << Joined(read);
    EXPECT_EQ(Joined(read.mid(title)), Joined(expected));

    // The contact block at the top left, single spaced, the word count flush right on the name
    // line; the title about halfway down the page.
    const QList<DocxParagraph> contact = body.Paragraphs.mid(0, title);
    ASSERT_EQ(contact.size(), 5);
    EXPECT_EQ(contact[0].Text, Contact.Name + "\t" + RoundedCount);
    EXPECT_EQ(contact[0].Properties.value("tab").value("w:val"), u"right");
    EXPECT_EQ(contact[0].Properties.value("tab").value("w:pos"), u"9360");
    const QStringList lines { "12 Quay Street", "Portsmouth PO1 2AB", Contact.Email,
        Contact.Phone };
    for (qsizetype i = 0; i < contact.size(); ++i) {
        if (i > 0) {
            EXPECT_EQ(contact[i].Text, lines[i - 1]);
        }
        EXPECT_EQ(contact[i].Properties.value("spacing").value("w:line"), u"240") << i;
    }
    const int titleTop = 1440 + 5 * 276
        + body.Paragraphs[title].Properties.value("spacing").value("w:before").toInt();
    EXPECT_NEAR(titleTop, 15840 / 2, 15840 / 20);
}

// Without standard form the file keeps pandoc's plain look, and the emphasis and scene
// breaks are still right; an e-book prints them in its own terms.
TEST_F(ManuscriptDocxTest, PlainDocxAndEpubCarryEmphasisAndSceneBreaks)
{
    ManuscriptExport job = Job("plain.docx", ManuscriptFormat::Docx);
    job.Options.StandardManuscript = false;
    const QString docx = Export(job);
    const DocxBody body = BodyOf(ZipMember(docx, "word/document.xml"));
    EXPECT_EQ(Joined(Emphasised(body, &Run::Italic)), Joined(ItalicWords));
    EXPECT_EQ(Joined(Emphasised(body, &Run::Bold)), Joined(BoldWords));
    EXPECT_FALSE(body.Section.contains("headerReference"));
    QStringList centred;
    for (const DocxParagraph& paragraph : body.Paragraphs)
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
    for (const QString& word : ItalicWords)
        EXPECT_TRUE(chapters.contains("<em>" + word + "</em>")) << word.toStdString();
    for (const QString& word : BoldWords)
        EXPECT_TRUE(chapters.contains("<strong>" + word + "</strong>")) << word.toStdString();
    EXPECT_EQ(chapters.count("<em>"), ItalicWords.size());
    EXPECT_EQ(chapters.count("<hr"), 2) << chapters.toStdString();
    EXPECT_TRUE(chapters.contains("2 * 3 shillings, *paid in advance*."));
    EXPECT_FALSE(chapters.contains(Contact.Phone)) << "an e-book is no agent's copy";
}
