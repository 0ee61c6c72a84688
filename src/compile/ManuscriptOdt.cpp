#include "compile/ManuscriptOdt.h"

#include "compile/ManuscriptLook.h"
#include "platform/ZipWriter.h"

#include <QTextBlock>
#include <QXmlStreamWriter>
#include <algorithm>
#include <initializer_list>
#include <map>
#include <utility>

namespace {
const QString MimeType = QStringLiteral("application/vnd.oasis.opendocument.text");
const QString OdfVersion = QStringLiteral("1.3");

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

struct Namespace {
    const char* Prefix;
    const char* Uri;
};
constexpr Namespace Office { "office", "urn:oasis:names:tc:opendocument:xmlns:office:1.0" };
constexpr Namespace Style { "style", "urn:oasis:names:tc:opendocument:xmlns:style:1.0" };
constexpr Namespace Text { "text", "urn:oasis:names:tc:opendocument:xmlns:text:1.0" };
constexpr Namespace Fo { "fo", "urn:oasis:names:tc:opendocument:xmlns:xsl-fo-compatible:1.0" };
constexpr Namespace Svg { "svg", "urn:oasis:names:tc:opendocument:xmlns:svg-compatible:1.0" };
constexpr Namespace Meta { "meta", "urn:oasis:names:tc:opendocument:xmlns:meta:1.0" };
constexpr Namespace Dc { "dc", "http://purl.org/dc/elements/1.1/" };
constexpr Namespace Config { "config", "urn:oasis:names:tc:opendocument:xmlns:config:1.0" };
constexpr Namespace Manifest { "manifest", "urn:oasis:names:tc:opendocument:xmlns:manifest:1.0" };

/// Attributes of one element, in the order they are written.
using Properties = std::initializer_list<std::pair<const char*, QString>>;

/// The automatic text styles of emphasis, by italic + 2 × bold.
const QString EmphasisStyles[]
    = { QString(), QStringLiteral("Italic"), QStringLiteral("Bold"), QStringLiteral("BoldItalic") };

/// A length as ODF writes it, in centimetres to a thousandth.
QString Cm(qreal cm)
{
    QString text = QString::number(cm, 'f', 3);
    while (text.endsWith(u'0'))
        text.chop(1);
    if (text.endsWith(u'.'))
        text.chop(1);
    return text + QStringLiteral("cm");
}

QString Percent(int percent)
{
    return QString::number(percent) + u'%';
}

/// Starts an ODF file's root element with the namespaces its content uses.
void StartRoot(QXmlStreamWriter& xml, const char* root, std::initializer_list<Namespace> spaces)
{
    xml.writeStartDocument();
    xml.writeStartElement(QLatin1String(root));
    for (const Namespace& space : spaces)
        xml.writeNamespace(QLatin1String(space.Uri), QLatin1String(space.Prefix));
}

void WriteAttributes(QXmlStreamWriter& xml, Properties properties)
{
    for (const auto& [name, value] : properties)
        xml.writeAttribute(QLatin1String(name), value);
}

void WriteEmpty(QXmlStreamWriter& xml, const char* element, Properties properties)
{
    xml.writeEmptyElement(QLatin1String(element));
    WriteAttributes(xml, properties);
}

/// Italic or bold text, in all three scripts' properties.
void WriteEmphasis(QXmlStreamWriter& xml, bool italic, bool bold)
{
    xml.writeEmptyElement(QStringLiteral("style:text-properties"));
    if (italic)
        WriteAttributes(xml,
            { { "fo:font-style", "italic" }, { "style:font-style-asian", "italic" },
                { "style:font-style-complex", "italic" } });
    if (bold)
        WriteAttributes(xml,
            { { "fo:font-weight", "bold" }, { "style:font-weight-asian", "bold" },
                { "style:font-weight-complex", "bold" } });
}

void WriteFontSize(QXmlStreamWriter& xml, int points)
{
    const QString size = QString::number(points) + QStringLiteral("pt");
    WriteEmpty(xml, "style:text-properties",
        { { "fo:font-size", size }, { "style:font-size-asian", size },
            { "style:font-size-complex", size } });
}

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

TitleLine TitleLineOf(const QTextBlock& block)
{
    return static_cast<TitleLine>(
        block.blockFormat().intProperty(ManuscriptDocument::TitleLineProperty));
}

/// The space above the title that puts it halfway down the title page, below the lines of the
/// writer's name and address.
qreal TitleDrop(const QTextDocument& document, const PageGeometry& page)
{
    int lines = 0;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        if (ManuscriptDocument::KindOf(block) != ManuscriptBlock::TitlePage
            || TitleLineOf(block) == TitleLine::Title)
            break;
        lines += 1 + int(block.text().count(QChar::LineSeparator));
    }
    return std::max(0.0, page.Height / 2 - MarginCm - lines * TitleLineCm);
}

/// The common style of the part a block is.
QString PartStyle(const QTextBlock& block)
{
    switch (ManuscriptDocument::KindOf(block)) {
    case ManuscriptBlock::TitlePage:
        switch (TitleLineOf(block)) {
        case TitleLine::NameAndWords:
            return QStringLiteral("Contact_20_Name");
        case TitleLine::Title:
            return QStringLiteral("Title");
        case TitleLine::Byline:
            return QStringLiteral("Byline");
        case TitleLine::Contact:
            break;
        }
        return QStringLiteral("Contact");
    case ManuscriptBlock::Chapter:
        return QStringLiteral("Heading_20_1");
    case ManuscriptBlock::Section:
        return QStringLiteral("Heading_20_2");
    case ManuscriptBlock::Subtitle:
        return QStringLiteral("Description");
    case ManuscriptBlock::SceneBreak:
        return QStringLiteral("Scene_20_Break");
    case ManuscriptBlock::End:
        return QStringLiteral("End");
    case ManuscriptBlock::Paragraph:
        break;
    }
    return block.blockFormat().boolProperty(ManuscriptDocument::FirstParagraphProperty)
        ? QStringLiteral("First_20_Paragraph")
        : QStringLiteral("Text_20_body");
}

/// An automatic paragraph style: a common one that starts a page.
struct PageStart {
    QString Parent;
    QString MasterPage; ///< the page style from here on, if it changes
    bool Break = true;
};

/// Picks each block's paragraph style in document order; a block that starts a page takes an
/// automatic style that says so.
class BlockStyles {
public:
    explicit BlockStyles(bool standard)
        : FStandard(standard)
    {
    }

    QString Next(const QTextBlock& block)
    {
        const ManuscriptBlock kind = ManuscriptDocument::KindOf(block);
        const bool first = FFirst;
        const ManuscriptBlock previous = FPrevious;
        FFirst = false;
        FPrevious = kind;
        const QString part = PartStyle(block);
        if (FStandard && first && kind == ManuscriptBlock::TitlePage)
            return Start(QStringLiteral("TitlePageStart"), { part, "First_20_Page", false });
        if (!(block.blockFormat().pageBreakPolicy() & QTextFormat::PageBreak_AlwaysBefore))
            return part;
        // After the title page the running header begins, and with it the page count.
        if (FStandard && previous == ManuscriptBlock::TitlePage)
            return Start(QStringLiteral("TextStart"), { part, "Standard", true });
        return Start(part + QStringLiteral("_PageBreak"), { part, QString(), true });
    }

    const std::map<QString, PageStart>& Starts() const { return FStarts; }

private:
    QString Start(const QString& name, const PageStart& start)
    {
        FStarts.emplace(name, start);
        return name;
    }

    bool FStandard;
    bool FFirst = true;
    ManuscriptBlock FPrevious = ManuscriptBlock::TitlePage;
    std::map<QString, PageStart> FStarts;
};

bool Ordinary(QChar c)
{
    return c != u' ' && c != u'\t' && c != QChar::LineSeparator;
}

/// Writes `text[from, to)`, part of a paragraph, so that a reader gets every character back:
/// readers collapse runs of white space and drop it at a paragraph's start, so every space but
/// a lone one between two characters is a text:s, a tab a text:tab, a line break a
/// text:line-break. `text` is the whole paragraph, so that a run of spaces that goes on in the
/// next span is seen whole.
void WriteText(QXmlStreamWriter& xml, const QString& text, qsizetype from, qsizetype to)
{
    QString run;
    const auto flush = [&] {
        if (!run.isEmpty())
            xml.writeCharacters(run);
        run.clear();
    };
    for (qsizetype i = from; i < to; ++i) {
        const QChar c = text[i];
        if (Ordinary(c)) {
            run += c;
        } else if (c == u' ') {
            qsizetype end = i + 1;
            while (end < to && text[end] == u' ')
                ++end;
            const qsizetype spaces = end - i;
            if (spaces == 1 && i > 0 && Ordinary(text[i - 1]) && i + 1 < text.size()
                && Ordinary(text[i + 1])) {
                run += c;
            } else {
                flush();
                xml.writeEmptyElement(QStringLiteral("text:s"));
                if (spaces > 1)
                    xml.writeAttribute(QStringLiteral("text:c"), QString::number(spaces));
            }
            i = end - 1;
        } else {
            flush();
            xml.writeEmptyElement(
                c == u'\t' ? QStringLiteral("text:tab") : QStringLiteral("text:line-break"));
        }
    }
    flush();
}

/// Writes a block's text, its italic and bold words in spans; what the paragraph's style already
/// sets (a heading's bold, a description's italics) needs none.
void WriteRuns(QXmlStreamWriter& xml, const QTextBlock& block)
{
    const ManuscriptBlock kind = ManuscriptDocument::KindOf(block);
    const bool styleBold = kind == ManuscriptBlock::Chapter || kind == ManuscriptBlock::Section;
    const bool styleItalic = kind == ManuscriptBlock::Subtitle;
    const QString text = block.text();
    for (QTextBlock::iterator it = block.begin(); !it.atEnd(); ++it) {
        const QTextFragment fragment = it.fragment();
        const QTextCharFormat format = fragment.charFormat();
        const bool italic = format.fontItalic() && !styleItalic;
        const bool bold = format.fontWeight() >= QFont::Bold && !styleBold;
        const qsizetype from = fragment.position() - block.position();
        const qsizetype to = from + fragment.length();
        if (!italic && !bold) {
            WriteText(xml, text, from, to);
            continue;
        }
        xml.writeStartElement(QStringLiteral("text:span"));
        xml.writeAttribute(
            QStringLiteral("text:style-name"), EmphasisStyles[int(italic) + 2 * int(bold)]);
        WriteText(xml, text, from, to);
        xml.writeEndElement();
    }
}

void WritePageStart(QXmlStreamWriter& xml, const QString& name, const PageStart& start)
{
    xml.writeStartElement(QStringLiteral("style:style"));
    WriteAttributes(xml,
        { { "style:name", name }, { "style:family", "paragraph" },
            { "style:parent-style-name", start.Parent } });
    if (!start.MasterPage.isEmpty())
        xml.writeAttribute(QStringLiteral("style:master-page-name"), start.MasterPage);
    if (start.Break) {
        xml.writeEmptyElement(QStringLiteral("style:paragraph-properties"));
        xml.writeAttribute(QStringLiteral("fo:break-before"), QStringLiteral("page"));
        // The title page has no number: the text's first page is page 1.
        if (start.MasterPage == u"Standard")
            xml.writeAttribute(QStringLiteral("style:page-number"), QStringLiteral("1"));
    }
    xml.writeEndElement();
}

QByteArray Content(const ManuscriptDocument& manuscript)
{
    const QTextDocument& document = manuscript.Document();
    const bool standard = manuscript.Options().StandardManuscript;
    // The automatic styles stand before the text: a first pass finds the page starts.
    BlockStyles styles(standard);
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
        styles.Next(block);

    QByteArray bytes;
    QXmlStreamWriter xml(&bytes);
    StartRoot(xml, "office:document-content", { Office, Style, Text, Fo });
    xml.writeAttribute(QStringLiteral("office:version"), OdfVersion);
    xml.writeStartElement(QStringLiteral("office:automatic-styles"));
    for (int emphasis = 1; emphasis < 4; ++emphasis) {
        xml.writeStartElement(QStringLiteral("style:style"));
        WriteAttributes(
            xml, { { "style:name", EmphasisStyles[emphasis] }, { "style:family", "text" } });
        WriteEmphasis(xml, emphasis & 1, emphasis & 2);
        xml.writeEndElement();
    }
    for (const auto& [name, start] : styles.Starts())
        WritePageStart(xml, name, start);
    xml.writeEndElement();

    xml.writeStartElement(QStringLiteral("office:body"));
    xml.writeStartElement(QStringLiteral("office:text"));
    BlockStyles writing(standard);
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        const ManuscriptBlock kind = ManuscriptDocument::KindOf(block);
        const bool heading = kind == ManuscriptBlock::Chapter || kind == ManuscriptBlock::Section;
        xml.writeStartElement(heading ? QStringLiteral("text:h") : QStringLiteral("text:p"));
        xml.writeAttribute(QStringLiteral("text:style-name"), writing.Next(block));
        if (heading)
            xml.writeAttribute(QStringLiteral("text:outline-level"),
                kind == ManuscriptBlock::Chapter ? QStringLiteral("1") : QStringLiteral("2"));
        WriteRuns(xml, block);
        xml.writeEndElement();
    }
    xml.writeEndDocument();
    return bytes;
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

QByteArray Styles(const ManuscriptDocument& manuscript)
{
    const ManuscriptOptions& options = manuscript.Options();
    const bool standard = options.StandardManuscript;
    const PageGeometry page = GeometryOf(options);
    const QString family = ManuscriptLook::FontFamily(options.Font);
    const bool courier = options.Font == ManuscriptFont::CourierNew;

    QByteArray bytes;
    QXmlStreamWriter xml(&bytes);
    StartRoot(xml, "office:document-styles", { Office, Style, Text, Fo, Svg });
    xml.writeAttribute(QStringLiteral("office:version"), OdfVersion);

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

QByteArray MetaData(const ManuscriptDocument& manuscript)
{
    const ManuscriptOptions& options = manuscript.Options();
    QByteArray bytes;
    QXmlStreamWriter xml(&bytes);
    StartRoot(xml, "office:document-meta", { Office, Meta, Dc });
    xml.writeAttribute(QStringLiteral("office:version"), OdfVersion);
    xml.writeStartElement(QStringLiteral("office:meta"));
    xml.writeTextElement(QStringLiteral("meta:generator"), QStringLiteral("Nodex"));
    if (!options.Title.isEmpty())
        xml.writeTextElement(QStringLiteral("dc:title"), options.Title);
    if (!options.Author.isEmpty()) {
        xml.writeTextElement(QStringLiteral("meta:initial-creator"), options.Author);
        xml.writeTextElement(QStringLiteral("dc:creator"), options.Author);
    }
    WriteEmpty(xml, "meta:document-statistic",
        { { "meta:word-count", QString::number(manuscript.Words()) } });
    xml.writeEndDocument();
    return bytes;
}

/// LibreOffice leaves out the space above a paragraph at the top of a page unless the document
/// asks for it, and the chapter headings stand a third of the way down by that space.
QByteArray Settings()
{
    QByteArray bytes;
    QXmlStreamWriter xml(&bytes);
    StartRoot(xml, "office:document-settings", { Office, Config });
    xml.writeAttribute(QStringLiteral("office:version"), OdfVersion);
    xml.writeStartElement(QStringLiteral("office:settings"));
    xml.writeStartElement(QStringLiteral("config:config-item-set"));
    xml.writeAttribute(QStringLiteral("config:name"), QStringLiteral("ooo:configuration-settings"));
    xml.writeStartElement(QStringLiteral("config:config-item"));
    WriteAttributes(
        xml, { { "config:name", "AddParaTableSpacingAtStart" }, { "config:type", "boolean" } });
    xml.writeCharacters(QStringLiteral("true"));
    xml.writeEndDocument();
    return bytes;
}

QByteArray ManifestOf(const QStringList& members)
{
    QByteArray bytes;
    QXmlStreamWriter xml(&bytes);
    StartRoot(xml, "manifest:manifest", { Manifest });
    xml.writeAttribute(QStringLiteral("manifest:version"), OdfVersion);
    WriteEmpty(xml, "manifest:file-entry",
        { { "manifest:full-path", "/" }, { "manifest:version", OdfVersion },
            { "manifest:media-type", MimeType } });
    for (const QString& member : members)
        WriteEmpty(xml, "manifest:file-entry",
            { { "manifest:full-path", member }, { "manifest:media-type", "text/xml" } });
    xml.writeEndDocument();
    return bytes;
}
} // namespace

QByteArray ManuscriptOdt(const ManuscriptDocument& manuscript)
{
    ZipWriter zip;
    // Readers know the file by this member: first in the archive, and stored.
    zip.Add(QStringLiteral("mimetype"), MimeType.toLatin1(), ZipWriter::Packing::Stored);
    const std::pair<QString, QByteArray> members[] = {
        { QStringLiteral("content.xml"), Content(manuscript) },
        { QStringLiteral("styles.xml"), Styles(manuscript) },
        { QStringLiteral("meta.xml"), MetaData(manuscript) },
        { QStringLiteral("settings.xml"), Settings() },
    };
    QStringList names;
    for (const auto& [name, bytes] : members) {
        zip.Add(name, bytes);
        names << name;
    }
    zip.Add(QStringLiteral("META-INF/manifest.xml"), ManifestOf(names));
    return zip.Finish();
}
