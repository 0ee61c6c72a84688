#include "compile/ManuscriptOdtStyles.h"

#include "compile/ManuscriptLook.h"
#include "compile/OdfXml.h"

#include <QTextBlock>
#include <algorithm>

using namespace OdfXml;

namespace {
constexpr qreal CmPerPoint = 2.54 / 72;
constexpr qreal MarginCm = 2.54;
constexpr qreal IndentCm = 1.27;
/// The running header stands half an inch below the page's edge, in the top margin, so that the
/// text below it still begins an inch down.
constexpr qreal HeaderTopCm = 1.27;
constexpr qreal HeaderGapCm = 0.5;
/// The title page's single spaced lines have a fixed height, so that the lines above the title
/// can be added up to put it halfway down the page.
constexpr qreal TitleLineCm = 14 * CmPerPoint;
/// Space between a plain manuscript's paragraphs.
constexpr qreal PlainGapCm = 0.212;
/// Space below a chapter heading and around a scene's: a quarter of an inch.
constexpr qreal HeadingGapCm = 0.635;

/// The page, in centimetres, and where the manuscript's parts stand on it.
struct PageGeometry {
    qreal Width = 0;
    qreal Height = 0;

    qreal TextWidth() const { return Width - 2 * MarginCm; }
    /// The space above a chapter heading that puts it a third of the way down its page.
    qreal ThirdDown() const { return std::max(0.0, Height / 3 - MarginCm); }
};

PageGeometry GeometryOf(const ManuscriptOptions& options)
{
    const QSizeF size
        = ManuscriptLook::PageLayout(options.Paper).pageSize().size(QPageSize::Millimeter);
    return { size.width() / 10, size.height() / 10 };
}

/// The space above the title that puts it halfway down the title page, below the lines of the
/// writer's name and address.
qreal TitleDrop(const QTextDocument& document, const PageGeometry& page)
{
    int lines = 0;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        if (ManuscriptDocument::KindOf(block) != ManuscriptBlock::TitlePage
            || ManuscriptDocument::TitleLineOf(block) == TitleLine::Title)
            break;
        lines += 1 + int(block.text().count(QChar::LineSeparator));
    }
    return std::max(0.0, page.Height / 2 - MarginCm - lines * TitleLineCm);
}

/// Writes a common paragraph style; its properties follow as the caller adds them.
void StartParagraphStyle(QXmlStreamWriter& xml, const char* name, const char* displayName,
    const char* parent, const char* className = "text")
{
    xml.writeStartElement(QStringLiteral("style:style"));
    WriteAttributes(xml, { { "style:name", name }, { "style:family", "paragraph" } });
    if (qstrcmp(name, displayName) != 0)
        xml.writeAttribute(QStringLiteral("style:display-name"), QLatin1String(displayName));
    if (parent)
        xml.writeAttribute(QStringLiteral("style:parent-style-name"), QLatin1String(parent));
    xml.writeAttribute(QStringLiteral("style:class"), QLatin1String(className));
}

/// A common paragraph style with only paragraph properties.
void WriteParagraphStyle(QXmlStreamWriter& xml, const char* name, const char* displayName,
    const char* parent, Properties paragraph)
{
    StartParagraphStyle(xml, name, displayName, parent);
    WriteEmpty(xml, "style:paragraph-properties", paragraph);
    xml.writeEndElement();
}

void WritePageLayout(
    QXmlStreamWriter& xml, const char* name, const PageGeometry& page, bool withHeader)
{
    xml.writeStartElement(QStringLiteral("style:page-layout"));
    xml.writeAttribute(QStringLiteral("style:name"), QLatin1String(name));
    WriteEmpty(xml, "style:page-layout-properties",
        { { "fo:page-width", Cm(page.Width) }, { "fo:page-height", Cm(page.Height) },
            { "style:print-orientation", "portrait" },
            { "fo:margin-top", Cm(withHeader ? HeaderTopCm : MarginCm) },
            { "fo:margin-bottom", Cm(MarginCm) }, { "fo:margin-left", Cm(MarginCm) },
            { "fo:margin-right", Cm(MarginCm) } });
    if (withHeader) {
        xml.writeStartElement(QStringLiteral("style:header-style"));
        WriteEmpty(xml, "style:header-footer-properties",
            { { "fo:min-height", Cm(MarginCm - HeaderTopCm - HeaderGapCm) },
                { "fo:margin-left", Cm(0) }, { "fo:margin-right", Cm(0) },
                { "fo:margin-bottom", Cm(HeaderGapCm) } });
        xml.writeEndElement();
    }
    xml.writeEndElement();
}

/// The body styles: the plain form's spaced paragraphs, or the standard form's double spaced,
/// indented ones.
void WriteBodyStyles(QXmlStreamWriter& xml, const PageGeometry& page, bool standard)
{
    if (standard)
        WriteParagraphStyle(xml, "Text_20_body", "Text body", "Standard",
            { { "fo:margin-top", Cm(0) }, { "fo:margin-bottom", Cm(0) },
                { "fo:line-height", Percent(200) }, { "fo:text-indent", Cm(IndentCm) },
                { "fo:orphans", "2" }, { "fo:widows", "2" } });
    else
        WriteParagraphStyle(xml, "Text_20_body", "Text body", "Standard",
            { { "fo:margin-top", Cm(0) }, { "fo:margin-bottom", Cm(PlainGapCm) },
                { "fo:line-height", Percent(115) }, { "fo:orphans", "2" }, { "fo:widows", "2" } });
    WriteParagraphStyle(xml, "First_20_Paragraph", "First Paragraph", "Text_20_body",
        { { "fo:text-indent", Cm(0) } });

    StartParagraphStyle(xml, "Description", "Description", "Text_20_body");
    WriteEmpty(xml, "style:paragraph-properties",
        { { "fo:text-indent", Cm(0) }, { "fo:margin-bottom", Cm(HeadingGapCm / 2) } });
    WriteEmphasis(xml, true, false);
    xml.writeEndElement();

    WriteParagraphStyle(xml, "Scene_20_Break", "Scene Break", "Text_20_body",
        { { "fo:text-align", "center" }, { "fo:text-indent", Cm(0) } });
    WriteParagraphStyle(xml, "End", "End", "Text_20_body",
        { { "fo:text-align", "center" }, { "fo:text-indent", Cm(0) } });

    StartParagraphStyle(xml, "Heading", "Heading", "Standard");
    xml.writeAttribute(QStringLiteral("style:next-style-name"), QStringLiteral("Text_20_body"));
    WriteEmpty(xml, "style:paragraph-properties", { { "fo:keep-with-next", "always" } });
    WriteEmphasis(xml, false, true);
    xml.writeEndElement();

    StartParagraphStyle(xml, "Heading_20_1", "Heading 1", "Heading");
    xml.writeAttribute(QStringLiteral("style:default-outline-level"), QStringLiteral("1"));
    if (standard) {
        WriteEmpty(xml, "style:paragraph-properties",
            { { "fo:margin-top", Cm(page.ThirdDown()) }, { "fo:margin-bottom", Cm(HeadingGapCm) },
                { "fo:line-height", Percent(200) }, { "fo:text-align", "center" } });
        WriteFontSize(xml, 12);
    } else {
        WriteEmpty(xml, "style:paragraph-properties",
            { { "fo:margin-top", Cm(0) }, { "fo:margin-bottom", Cm(HeadingGapCm) } });
        WriteFontSize(xml, 18);
    }
    xml.writeEndElement();

    StartParagraphStyle(xml, "Heading_20_2", "Heading 2", "Heading");
    xml.writeAttribute(QStringLiteral("style:default-outline-level"), QStringLiteral("2"));
    WriteEmpty(xml, "style:paragraph-properties",
        { { "fo:margin-top", Cm(HeadingGapCm) }, { "fo:margin-bottom", Cm(HeadingGapCm / 2) },
            { "fo:line-height", Percent(standard ? 200 : 100) } });
    WriteFontSize(xml, 12);
    xml.writeEndElement();
}

/// The title page's styles: the writer's name with the word count flush right, the address
/// single spaced, the title and byline centred halfway down.
void WriteTitlePageStyles(QXmlStreamWriter& xml, const PageGeometry& page, qreal titleDrop)
{
    WriteParagraphStyle(xml, "Contact", "Contact", "Standard",
        { { "fo:margin-top", Cm(0) }, { "fo:margin-bottom", Cm(0) },
            { "fo:line-height", Cm(TitleLineCm) } });

    StartParagraphStyle(xml, "Contact_20_Name", "Contact Name", "Contact");
    xml.writeStartElement(QStringLiteral("style:paragraph-properties"));
    xml.writeStartElement(QStringLiteral("style:tab-stops"));
    WriteEmpty(xml, "style:tab-stop",
        { { "style:position", Cm(page.TextWidth()) }, { "style:type", "right" } });
    xml.writeEndElement();
    xml.writeEndElement();
    xml.writeEndElement();

    WriteParagraphStyle(xml, "Title", "Title", "Standard",
        { { "fo:margin-top", Cm(titleDrop) }, { "fo:margin-bottom", Cm(0) },
            { "fo:line-height", Percent(200) }, { "fo:text-align", "center" } });
    WriteParagraphStyle(xml, "Byline", "Byline", "Standard",
        { { "fo:margin-top", Cm(0) }, { "fo:margin-bottom", Cm(0) },
            { "fo:line-height", Percent(200) }, { "fo:text-align", "center" } });
}

} // namespace

QByteArray ManuscriptOdtStyles::Bytes(const ManuscriptDocument& manuscript)
{
    const ManuscriptOptions& options = manuscript.Options();
    const bool standard = options.StandardManuscript;
    const PageGeometry page = GeometryOf(options);
    const QString family = ManuscriptLook::FontFamily(options.Font);
    const bool courier = options.Font == ManuscriptFont::CourierNew;

    QByteArray bytes;
    QXmlStreamWriter xml(&bytes);
    StartRoot(xml, "office:document-styles", { Office, Style, Text, Fo, Svg });
    xml.writeAttribute(QStringLiteral("office:version"), OdfXml::Version);

    xml.writeStartElement(QStringLiteral("office:font-face-decls"));
    WriteEmpty(xml, "style:font-face",
        { { "style:name", family }, { "svg:font-family", u'\'' + family + u'\'' },
            { "style:font-family-generic", courier ? "modern" : "roman" },
            { "style:font-pitch", courier ? "fixed" : "variable" } });
    xml.writeEndElement();

    xml.writeStartElement(QStringLiteral("office:styles"));
    xml.writeStartElement(QStringLiteral("style:default-style"));
    xml.writeAttribute(QStringLiteral("style:family"), QStringLiteral("paragraph"));
    WriteEmpty(xml, "style:paragraph-properties", { { "style:tab-stop-distance", Cm(IndentCm) } });
    WriteEmpty(xml, "style:text-properties",
        { { "style:font-name", family }, { "fo:font-size", "12pt" },
            { "style:font-size-asian", "12pt" }, { "style:font-size-complex", "12pt" } });
    xml.writeEndElement();
    StartParagraphStyle(xml, "Standard", "Standard", nullptr);
    xml.writeEndElement();
    WriteBodyStyles(xml, page, standard);
    WriteTitlePageStyles(xml, page, TitleDrop(manuscript.Document(), page));
    StartParagraphStyle(xml, "Header", "Header", "Standard", "extra");
    WriteEmpty(xml, "style:paragraph-properties",
        { { "fo:text-align", "end" }, { "fo:margin-top", Cm(0) }, { "fo:margin-bottom", Cm(0) } });
    xml.writeEndElement();
    xml.writeEndElement();

    xml.writeStartElement(QStringLiteral("office:automatic-styles"));
    WritePageLayout(xml, "PageLayout", page, standard);
    if (standard)
        WritePageLayout(xml, "TitlePageLayout", page, false);
    xml.writeEndElement();

    xml.writeStartElement(QStringLiteral("office:master-styles"));
    xml.writeStartElement(QStringLiteral("style:master-page"));
    WriteAttributes(
        xml, { { "style:name", "Standard" }, { "style:page-layout-name", "PageLayout" } });
    if (standard) {
        xml.writeStartElement(QStringLiteral("style:header"));
        xml.writeStartElement(QStringLiteral("text:p"));
        xml.writeAttribute(QStringLiteral("text:style-name"), QStringLiteral("Header"));
        const QString header = ManuscriptLook::HeaderText(options);
        WriteText(xml, header, 0, header.size());
        WriteEmpty(xml, "text:page-number", { { "text:select-page", "current" } });
        xml.writeEndElement();
        xml.writeEndElement();
    }
    xml.writeEndElement();
    if (standard)
        WriteEmpty(xml, "style:master-page",
            { { "style:name", "First_20_Page" }, { "style:display-name", "First Page" },
                { "style:page-layout-name", "TitlePageLayout" },
                { "style:next-style-name", "Standard" } });
    xml.writeEndDocument();
    return bytes;
}
