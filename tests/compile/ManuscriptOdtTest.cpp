#include "ProseFixture.h"
#include "UnzipTool.h"
#include "compile/ManuscriptLook.h"
#include "compile/ManuscriptPandoc.h"

#include <QFile>
#include <QStandardPaths>
#include <QXmlStreamReader>

namespace {
/// The style of each paragraph and heading of the text, and the text of each span with its
/// style, in order.
struct OdtBody {
    QStringList Styles;
    QList<std::pair<QString, QString>> Spans;
};

OdtBody BodyOf(const QString& odt)
{
    OdtBody body;
    QXmlStreamReader xml(ZipMember(odt, "content.xml"));
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == u"p" || xml.name() == u"h")
            body.Styles << xml.attributes().value("text:style-name").toString();
        else if (xml.name() == u"span")
            body.Spans.append({ xml.attributes().value("text:style-name").toString(),
                xml.readElementText(QXmlStreamReader::IncludeChildElements) });
    }
    return body;
}

/// The running header of the pages after the title page: its text, "<page>" for the page
/// number field.
QString HeaderOf(const QString& odt)
{
    QXmlStreamReader xml(ZipMember(odt, "styles.xml"));
    QString header;
    bool inHeader = false;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement() && xml.name() == u"header")
            inHeader = true;
        else if (xml.isEndElement() && xml.name() == u"header")
            inHeader = false;
        else if (inHeader && xml.isCharacters())
            header += xml.text();
        else if (inHeader && xml.isStartElement() && xml.name() == u"s")
            header += u' ';
        else if (inHeader && xml.isStartElement() && xml.name() == u"page-number")
            header += "<page>" + xml.attributes().value("text:select-page").toString();
    }
    return header;
}

QString Simplified(QString text)
{
    return text.replace(QChar::Nbsp, u' ').simplified();
}

double Cm(const QString& length)
{
    EXPECT_TRUE(length.endsWith(u"cm")) << length.toStdString();
    return QStringView(length).chopped(2).toDouble();
}
} // namespace

class ManuscriptOdtTest : public ProseFixture {
protected:
    /// Every paragraph of the chain in standard form, from the title page to the end.
    static QStringList Printed()
    {
        QStringList printed
            = { "Ada Quill\t" + RoundedCount, "12 Quay Street", "Portsmouth PO1 2AB", Contact.Email,
                  Contact.Phone, "Lighthouse", "Ada Quill", Chapter };
        printed << FirstHalf << "#" << SecondHalf << "#" << SceneBText << "END";
        return printed;
    }
};

TEST_F(ManuscriptOdtTest, ThePackageIsSoundAndEachPartWellFormed)
{
    const QString odt = Export(Job("book.odt", ManuscriptFormat::Odt));
    QString output;
    EXPECT_TRUE(UnzipTool::Tests(odt, &output)) << output.toStdString();
    // Readers know the type by the first member, "mimetype", stored right after its header.
    EXPECT_EQ(Project.Read("book.odt").mid(30, 8 + 39),
        "mimetypeapplication/vnd.oasis.opendocument.text");

    const QByteArray manifest = ZipMember(odt, "META-INF/manifest.xml");
    for (const QString member :
        { "content.xml", "styles.xml", "meta.xml", "settings.xml", "META-INF/manifest.xml" }) {
        EXPECT_TRUE(member.startsWith("META-INF")
            || manifest.contains("manifest:full-path=\"" + member.toUtf8() + '"'))
            << member.toStdString();
        // The reader refuses an undeclared namespace prefix as it refuses malformed XML.
        QXmlStreamReader xml(ZipMember(odt, member));
        xml.readNextStartElement();
        const QString version
            = member.startsWith("META-INF") ? "manifest:version" : "office:version";
        EXPECT_EQ(xml.attributes().value(version), u"1.3") << member.toStdString();
        while (!xml.atEnd())
            xml.readNext();
        EXPECT_FALSE(xml.hasError())
            << member.toStdString() << ": " << xml.errorString().toStdString();
    }
}

TEST_F(ManuscriptOdtTest, ThePageTheFaceAndTheHeaderAreThoseAskedFor)
{
    struct Case {
        bool Standard;
        ManuscriptPaper Paper;
        ManuscriptFont Font;
        const char* Width;
        const char* Height;
    };
    for (const Case& c : { Case { true, ManuscriptPaper::Letter, ManuscriptFont::TimesNewRoman,
                               "21.59cm", "27.94cm" },
             Case { true, ManuscriptPaper::A4, ManuscriptFont::CourierNew, "21cm", "29.7cm" },
             Case {
                 false, ManuscriptPaper::A4, ManuscriptFont::TimesNewRoman, "21cm", "29.7cm" } }) {
        ManuscriptExport job = Job("book.odt", ManuscriptFormat::Odt);
        job.Options.StandardManuscript = c.Standard;
        job.Options.Paper = c.Paper;
        job.Options.Font = c.Font;
        const OdtStyles styles(Export(job));
        SCOPED_TRACE(testing::Message() << c.Width << (c.Standard ? " standard" : " plain"));

        const QString layout
            = "page-layout:" + styles.Property("master-page:Standard", "style:page-layout-name");
        EXPECT_EQ(styles.Property(layout, "fo:page-width"), c.Width);
        EXPECT_EQ(styles.Property(layout, "fo:page-height"), c.Height);
        for (const char* side : { "fo:margin-left", "fo:margin-right", "fo:margin-bottom" })
            EXPECT_EQ(styles.Property(layout, side), "2.54cm") << side;
        const QString family = ManuscriptLook::FontFamily(c.Font);
        EXPECT_EQ(styles.Property("Text_20_body", "style:font-name"), family);
        EXPECT_EQ(styles.Property("Text_20_body", "fo:font-size"), "12pt");
        EXPECT_EQ(styles.Property("Heading_20_1", "fo:font-weight"), "bold");

        if (!c.Standard) {
            EXPECT_EQ(styles.Property(layout, "fo:margin-top"), "2.54cm");
            EXPECT_EQ(HeaderOf(job.Target.Path), QString());
            EXPECT_FALSE(styles.Has("master-page:First_20_Page"));
            continue;
        }
        EXPECT_EQ(styles.Property("Text_20_body", "fo:line-height"), "200%");
        EXPECT_EQ(styles.Property("Text_20_body", "fo:margin-bottom"), "0cm");
        EXPECT_EQ(styles.Property("Text_20_body", "fo:text-indent"), "1.27cm");
        EXPECT_EQ(HeaderOf(job.Target.Path), "Quill / LIGHTHOUSE / <page>current");
        EXPECT_EQ(styles.Property("Header", "fo:text-align"), "end");
        // The title page has no header, and its text begins an inch down.
        const QString titleLayout = "page-layout:"
            + styles.Property("master-page:First_20_Page", "style:page-layout-name");
        EXPECT_EQ(styles.Property(titleLayout, "fo:margin-top"), "2.54cm");
        EXPECT_EQ(styles.Property(titleLayout, "fo:page-height"), c.Height);
    }
}

TEST_F(ManuscriptOdtTest, EachPartStandsOnItsPageInItsLook)
{
    const QString odt = Export(Job("book.odt", ManuscriptFormat::Odt));
    const OdtStyles styles(odt);
    const QStringList paragraphStyles = BodyOf(odt).Styles;
    const QList<ReadParagraph> paragraphs = OdtParagraphs(odt);

    const QStringList printed = Printed();
    ASSERT_EQ(paragraphs.size(), printed.size());
    ASSERT_EQ(paragraphStyles.size(), printed.size());
    for (qsizetype i = 0; i < printed.size(); ++i) {
        const QString& text = printed[i];
        const QString& style = paragraphStyles[i];
        EXPECT_EQ(paragraphs[i].Text, text) << i;
        EXPECT_EQ(paragraphs[i].NewPage, text == Chapter) << i;
        EXPECT_EQ(paragraphs[i].HeadingLevel, text == Chapter ? 1 : 0) << i;
        const bool centred = i == 5 || i == 6 || text == Chapter || text == "#" || text == "END";
        EXPECT_EQ(paragraphs[i].Centred, centred) << i;
        // Prose is indented but where it follows a heading or a scene break.
        const bool prose
            = FirstHalf.contains(text) || SecondHalf.contains(text) || SceneBText.contains(text);
        if (!prose)
            continue;
        const bool first
            = text == FirstHalf.first() || text == SecondHalf.first() || text == SceneBText.first();
        EXPECT_EQ(styles.Property(style, "fo:text-indent"), first ? "0cm" : "1.27cm") << i;
        EXPECT_EQ(styles.Property(style, "fo:line-height"), "200%") << i;
    }

    // The title page has a page style without the header; the chapter brings the header's.
    EXPECT_EQ(styles.Property(paragraphStyles[0], "style:master-page-name"), "First_20_Page");
    const QString chapter = paragraphStyles[7];
    EXPECT_EQ(styles.Property(chapter, "style:master-page-name"), "Standard");
    // Letter paper: the chapter stands a third of 27.94 cm down, below the inch of margin.
    EXPECT_NEAR(Cm(styles.Property(chapter, "fo:margin-top")), 27.94 / 3 - 2.54, 0.01);
    // The word count stands flush right on the right margin; the address is single spaced; the
    // title begins halfway down, below the name and four address lines.
    EXPECT_EQ(styles.Property(paragraphStyles[0], "style:type"), "right");
    EXPECT_NEAR(Cm(styles.Property(paragraphStyles[0], "style:position")), 21.59 - 2 * 2.54, 0.01);
    const double line = Cm(styles.Property(paragraphStyles[1], "fo:line-height"));
    EXPECT_LT(line, 0.6);
    EXPECT_NEAR(2.54 + 5 * line + Cm(styles.Property(paragraphStyles[5], "fo:margin-top")),
        27.94 / 2, 0.01);
}

TEST_F(ManuscriptOdtTest, EmphasisIsASpanOnExactlyTheMarkedWords)
{
    const QString odt = Export(Job("book.odt", ManuscriptFormat::Odt));
    const OdtStyles styles(odt);
    QStringList italic;
    QStringList bold;
    for (const auto& [style, text] : BodyOf(odt).Spans) {
        const bool isItalic = styles.Property("text:" + style, "fo:font-style") == "italic";
        const bool isBold = styles.Property("text:" + style, "fo:font-weight") == "bold";
        EXPECT_TRUE(isItalic || isBold) << text.toStdString();
        if (isItalic)
            italic << text;
        if (isBold)
            bold << text;
    }
    EXPECT_EQ(italic, ItalicWords);
    EXPECT_EQ(bold, BoldWords);
}

TEST_F(ManuscriptOdtTest, PandocReadsTheParagraphsAndTheirEmphasis)
{
    const QString pandoc = FindPandoc();
    if (pandoc.isEmpty())
        GTEST_SKIP() << "pandoc is not installed (scripts/install-deps.sh installs it)";
    const QString odt = Export(Job("book.odt", ManuscriptFormat::Odt));
    const QString markdown = QString::fromUtf8(
        RunTool(pandoc, { "--from=odt", "--to=markdown-smart", "--wrap=none", odt }));
    for (const QStringList& half : { FirstHalf, SecondHalf, SceneBText }) {
        for (QString paragraph : half) {
            paragraph.replace("*", "\\*");
            for (const QString& word : ItalicWords)
                paragraph.replace(word, '*' + word + '*');
            for (const QString& word : BoldWords)
                paragraph.replace(word, "**" + word + "**");
            EXPECT_TRUE(markdown.contains("\n" + paragraph + "\n"))
                << paragraph.toStdString() << "\n"
                << markdown.toStdString();
        }
    }
}

TEST_F(ManuscriptOdtTest, OdtAndDocxInStandardFormOpenInLibreOfficeWithTheSameParagraphs)
{
    const QString soffice = QStandardPaths::findExecutable("soffice");
    if (soffice.isEmpty())
        GTEST_SKIP()
            << "LibreOffice (soffice) is not installed: the round trip through it is not checked";
    QList<ManuscriptFormat> formats { ManuscriptFormat::Odt };
    if (!FindPandoc().isEmpty())
        formats << ManuscriptFormat::Docx;
    for (const ManuscriptFormat format : formats) {
        const QString path = Export(Job("standard." + SuffixOf(format), format));
        QStringList lines;
        for (const QString& line :
            LibreOfficeText(soffice, path, Project.Path("office")).split(u'\n'))
            if (!Simplified(line).isEmpty())
                lines << Simplified(line);
        // Every paragraph, in order; the header and what a format adds may stand between.
        qsizetype at = 0;
        for (const QString& paragraph : Printed()) {
            const qsizetype found = lines.indexOf(Simplified(paragraph), at);
            EXPECT_GE(found, 0) << SuffixOf(format).toStdString() << " lacks "
                                << paragraph.toStdString() << " after line " << at << ":\n"
                                << lines.join(u'\n').toStdString();
            at = found < 0 ? at : found + 1;
        }
    }
}
