#include "compile/ManuscriptOdt.h"

#include "compile/ManuscriptOdtStyles.h"
#include "compile/ManuscriptRuns.h"
#include "compile/OdfXml.h"
#include "platform/ZipWriter.h"

#include <QTextBlock>
#include <map>

using namespace OdfXml;

namespace {
const QString MimeType = QStringLiteral("application/vnd.oasis.opendocument.text");

/// The automatic text styles of emphasis, by italic + 2 × bold.
const QString EmphasisStyles[]
    = { QString(), QStringLiteral("Italic"), QStringLiteral("Bold"), QStringLiteral("BoldItalic") };

/// The common style of the part a block is.
QString PartStyle(const QTextBlock& block)
{
    switch (ManuscriptDocument::KindOf(block)) {
    case ManuscriptBlock::TitlePage:
        switch (ManuscriptDocument::TitleLineOf(block)) {
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

/// Writes a block's text, its italic and bold words in spans; what the paragraph's style already
/// sets (a heading's bold, a description's italics) needs none.
void WriteRuns(QXmlStreamWriter& xml, const QTextBlock& block)
{
    const QString text = block.text();
    qsizetype from = 0;
    for (const StyledRun& run : EmphasisRuns(block)) {
        const qsizetype to = from + run.Text.size();
        if (run.Italic || run.Bold) {
            xml.writeStartElement(QStringLiteral("text:span"));
            xml.writeAttribute(QStringLiteral("text:style-name"),
                EmphasisStyles[int(run.Italic) + 2 * int(run.Bold)]);
            WriteText(xml, text, from, to);
            xml.writeEndElement();
        } else {
            WriteText(xml, text, from, to);
        }
        from = to;
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
    xml.writeAttribute(QStringLiteral("office:version"), OdfXml::Version);
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

QByteArray MetaData(const ManuscriptDocument& manuscript)
{
    const ManuscriptOptions& options = manuscript.Options();
    QByteArray bytes;
    QXmlStreamWriter xml(&bytes);
    StartRoot(xml, "office:document-meta", { Office, Meta, Dc });
    xml.writeAttribute(QStringLiteral("office:version"), OdfXml::Version);
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
    xml.writeAttribute(QStringLiteral("office:version"), OdfXml::Version);
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
    xml.writeAttribute(QStringLiteral("manifest:version"), OdfXml::Version);
    WriteEmpty(xml, "manifest:file-entry",
        { { "manifest:full-path", "/" }, { "manifest:version", OdfXml::Version },
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
        { QStringLiteral("styles.xml"), ManuscriptOdtStyles::Bytes(manuscript) },
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
