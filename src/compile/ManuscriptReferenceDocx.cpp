#include "compile/ManuscriptReferenceDocx.h"

#include "compile/ManuscriptLook.h"
#include "platform/ZipWriter.h"

#include <QPageLayout>
#include <QPageSize>

namespace {
constexpr qreal TwipsPerInch = 1440;
constexpr qreal MillimetresPerInch = 25.4;
constexpr int HalfPointsPerPoint = 2;
constexpr int BodyPoints = 12;
/// Double spacing, in 240ths of a line.
constexpr int DoubleLine = 480;
constexpr int SingleSpacing = 240;
constexpr int FirstLineIndent = 720;
/// A line of 12 pt Times New Roman or Courier New: ascent and descent come to about 1.15 of
/// the size.
constexpr int SingleLineTwips = 276;

const char* const XmlHead = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n";
const char* const Namespaces
    = "xmlns:w=\"http://schemas.openxmlformats.org/wordprocessingml/2006/main\" "
      "xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\"";
const char* const RelationshipTypes
    = "http://schemas.openxmlformats.org/officeDocument/2006/relationships/";
const char* const ContentTypes = "application/vnd.openxmlformats-officedocument.wordprocessingml.";

int Twips(qreal millimetres)
{
    return qRound(millimetres / MillimetresPerInch * TwipsPerInch);
}

QString ContentTypesXml()
{
    return QString(XmlHead)
        + "<Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\">"
          "<Default Extension=\"rels\" "
          "ContentType=\"application/vnd.openxmlformats-package.relationships+xml\"/>"
          "<Default Extension=\"xml\" ContentType=\"application/xml\"/>"
        + QString("<Override PartName=\"/word/document.xml\" ContentType=\"%1document.main+xml\"/>"
                  "<Override PartName=\"/word/styles.xml\" ContentType=\"%1styles+xml\"/>"
                  "<Override PartName=\"/word/header1.xml\" ContentType=\"%1header+xml\"/>"
                  "<Override PartName=\"/word/header2.xml\" ContentType=\"%1header+xml\"/>")
              .arg(ContentTypes)
        + "</Types>";
}

QString PackageRelationships()
{
    return QString(XmlHead)
        + "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
        + QString(
            "<Relationship Id=\"rId1\" Type=\"%1officeDocument\" Target=\"word/document.xml\"/>")
              .arg(RelationshipTypes)
        + "</Relationships>";
}

QString DocumentRelationships()
{
    return QString(XmlHead)
        + "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
        + QString("<Relationship Id=\"rId1\" Type=\"%1styles\" Target=\"styles.xml\"/>"
                  "<Relationship Id=\"rId2\" Type=\"%1header\" Target=\"header1.xml\"/>"
                  "<Relationship Id=\"rId3\" Type=\"%1header\" Target=\"header2.xml\"/>")
              .arg(RelationshipTypes)
        + "</Relationships>";
}

/// The body: one empty paragraph and the section, whose properties pandoc carries over into
/// the document it writes. The title page has a header of its own, an empty one.
QString DocumentXml(const ManuscriptReferenceDocx::Page& page)
{
    return QString(XmlHead)
        + QString("<w:document %1><w:body><w:p/><w:sectPr>"
                  "<w:headerReference w:type=\"default\" r:id=\"rId2\"/>"
                  "<w:headerReference w:type=\"first\" r:id=\"rId3\"/>"
                  "<w:pgSz w:w=\"%2\" w:h=\"%3\"/>"
                  "<w:pgMar w:top=\"%4\" w:right=\"%4\" w:bottom=\"%4\" w:left=\"%4\" "
                  "w:header=\"%5\" w:footer=\"%5\" w:gutter=\"0\"/>"
                  "<w:titlePg/></w:sectPr></w:body></w:document>")
              .arg(Namespaces)
              .arg(page.Width)
              .arg(page.Height)
              .arg(page.Margin)
              .arg(page.HeaderDistance);
}

/// The running header, right aligned: "Surname / TITLE / " and the page number as a field
/// that the word processor fills in on each page.
QString HeaderXml(const QString& text)
{
    return QString(XmlHead)
        + QString(
            "<w:hdr %1><w:p><w:pPr><w:pStyle w:val=\"Header\"/><w:jc w:val=\"right\"/></w:pPr>"
            "<w:r><w:t xml:space=\"preserve\">%2</w:t></w:r>"
            "<w:fldSimple w:instr=\" PAGE \"><w:r><w:t>2</w:t></w:r></w:fldSimple>"
            "</w:p></w:hdr>")
              .arg(Namespaces, text.toHtmlEscaped());
}

QString EmptyHeaderXml()
{
    return QString(XmlHead) + QString("<w:hdr %1><w:p/></w:hdr>").arg(Namespaces);
}

QString Style(const QString& id, const QString& name, const QString& basedOn,
    const QString& paragraph, const QString& run = {})
{
    QString style
        = QString("<w:style w:type=\"paragraph\"%1 w:styleId=\"%2\"><w:name w:val=\"%3\"/>")
              .arg(id == u"Normal" ? " w:default=\"1\"" : "", id, name);
    if (!basedOn.isEmpty())
        style += QString("<w:basedOn w:val=\"%1\"/>").arg(basedOn);
    if (id.startsWith(u"Heading"))
        style += QStringLiteral("<w:next w:val=\"FirstParagraph\"/>");
    style += "<w:qFormat/><w:pPr>" + paragraph + "</w:pPr>";
    if (!run.isEmpty())
        style += "<w:rPr>" + run + "</w:rPr>";
    return style + "</w:style>";
}

/// Every style in the one face at 12 pt and double spaced; body text indented on its first
/// line, except the first paragraph after a heading or a scene break; chapters centred, each
/// on a new page a third of the way down.
QString StylesXml(const ManuscriptOptions& options, const ManuscriptReferenceDocx::Page& page)
{
    const QString family = ManuscriptLook::FontFamily(options.Font).toHtmlEscaped();
    const int size = BodyPoints * HalfPointsPerPoint;
    const QString spacing = QString("<w:spacing w:line=\"%1\" w:lineRule=\"auto\" w:before=\"0\" "
                                    "w:after=\"0\"/>")
                                .arg(DoubleLine);
    const QString chapterBreak = QString("<w:pageBreakBefore/><w:spacing w:line=\"%1\" "
                                         "w:lineRule=\"auto\" w:before=\"%2\" w:after=\"0\"/>")
                                     .arg(DoubleLine)
                                     .arg(ManuscriptReferenceDocx::ChapterSpaceBefore(page));
    QString styles = QString(XmlHead) + QString("<w:styles %1>").arg(Namespaces)
        + QString("<w:docDefaults><w:rPrDefault><w:rPr>"
                  "<w:rFonts w:ascii=\"%1\" w:hAnsi=\"%1\" w:eastAsia=\"%1\" w:cs=\"%1\"/>"
                  "<w:sz w:val=\"%2\"/><w:szCs w:val=\"%2\"/></w:rPr></w:rPrDefault>"
                  "<w:pPrDefault><w:pPr>%3</w:pPr></w:pPrDefault></w:docDefaults>")
              .arg(family)
              .arg(size)
              .arg(spacing);
    styles += Style("Normal", "Normal", {}, "<w:widowControl/>" + spacing);
    styles += Style("BodyText", "Body Text", "Normal",
        QString("<w:ind w:firstLine=\"%1\"/>").arg(FirstLineIndent));
    styles += Style("FirstParagraph", "First Paragraph", "BodyText", "<w:ind w:firstLine=\"0\"/>");
    styles += Style("Heading1", "heading 1", "Normal",
        "<w:keepNext/>" + chapterBreak + "<w:jc w:val=\"center\"/><w:outlineLvl w:val=\"0\"/>",
        QString("<w:b/><w:sz w:val=\"%1\"/>").arg(size));
    styles += Style("Heading2", "heading 2", "Normal", "<w:keepNext/><w:outlineLvl w:val=\"1\"/>",
        QString("<w:b/><w:sz w:val=\"%1\"/>").arg(size));
    styles += Style("Header", "header", "Normal",
        QString("<w:spacing w:line=\"%1\" w:lineRule=\"auto\"/>").arg(SingleSpacing));
    return styles + "</w:styles>";
}
} // namespace

namespace ManuscriptReferenceDocx {

Page PageOf(ManuscriptPaper paper)
{
    const QPageLayout layout = ManuscriptLook::PageLayout(paper);
    const QSizeF size = layout.pageSize().size(QPageSize::Millimeter);
    return { Twips(size.width()), Twips(size.height()),
        Twips(layout.margins(QPageLayout::Millimeter).top()), int(TwipsPerInch / 2) };
}

int ChapterSpaceBefore(const Page& page)
{
    return page.Height / 3 - page.Margin;
}

int TitleSpaceBefore(const Page& page, int contactLines)
{
    // The title's double-spaced line has its text in the middle.
    return qMax(0, page.Height / 2 - page.Margin - contactLines * SingleLineTwips - DoubleLine / 2);
}

QByteArray Bytes(const ManuscriptOptions& options)
{
    const Page page = PageOf(options.Paper);
    ZipWriter zip;
    zip.Add("[Content_Types].xml", ContentTypesXml().toUtf8());
    zip.Add("_rels/.rels", PackageRelationships().toUtf8());
    zip.Add("word/document.xml", DocumentXml(page).toUtf8());
    zip.Add("word/_rels/document.xml.rels", DocumentRelationships().toUtf8());
    zip.Add("word/styles.xml", StylesXml(options, page).toUtf8());
    zip.Add("word/header1.xml", HeaderXml(ManuscriptLook::HeaderText(options)).toUtf8());
    zip.Add("word/header2.xml", EmptyHeaderXml().toUtf8());
    return zip.Finish();
}

} // namespace ManuscriptReferenceDocx
