#include "ManuscriptReadBack.h"

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QTextBlock>
#include <QTextDocument>
#include <QXmlStreamReader>
#include <gtest/gtest.h>

namespace {
QList<ReadParagraph> DocumentParagraphs(const QTextDocument& document)
{
    QList<ReadParagraph> paragraphs;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        ReadParagraph paragraph;
        paragraph.Text = block.text();
        paragraph.HeadingLevel = block.blockFormat().headingLevel();
        paragraph.Italic
            = block.begin() != block.end() && block.begin().fragment().charFormat().fontItalic();
        paragraph.Centred = block.blockFormat().alignment() & Qt::AlignHCenter;
        paragraph.NewPage
            = block.blockFormat().pageBreakPolicy() & QTextFormat::PageBreak_AlwaysBefore;
        paragraphs << paragraph;
    }
    return paragraphs;
}

bool IsOdfSpace(QChar c)
{
    return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n';
}

/// Reads a paragraph's text up to its end as an office suite does: runs of white space in the
/// XML are one space, white space at the paragraph's start is nothing, and text:s, text:tab and
/// text:line-break are the characters they stand for.
QString OdfText(QXmlStreamReader& xml)
{
    QString text;
    bool afterSpace = true; // at the start, white space counts for nothing
    int depth = 1;
    while (depth > 0 && !xml.atEnd()) {
        xml.readNext();
        if (xml.isCharacters()) {
            for (const QChar c : xml.text()) {
                if (!IsOdfSpace(c))
                    text += c;
                else if (!afterSpace)
                    text += u' ';
                afterSpace = IsOdfSpace(c);
            }
        } else if (xml.isStartElement()) {
            ++depth;
            if (xml.name() == u"s")
                text += QString(qMax(1, xml.attributes().value("text:c").toInt()), u' ');
            else if (xml.name() == u"tab")
                text += u'\t';
            else if (xml.name() == u"line-break")
                text += QChar::LineSeparator;
            else
                continue; // a span: white space runs on through it
            afterSpace = false;
        } else if (xml.isEndElement()) {
            --depth;
        }
    }
    return text;
}
} // namespace

void PrintTo(const ReadParagraph& paragraph, std::ostream* out)
{
    *out << '"' << paragraph.Text.toStdString() << "\" h" << paragraph.HeadingLevel
         << (paragraph.Italic ? " italic" : "") << (paragraph.Centred ? " centred" : "")
         << (paragraph.NewPage ? " new page" : "");
}

QByteArray RunTool(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(60000) || process.exitCode() != 0) {
        ADD_FAILURE() << program.toStdString()
                      << " failed: " << process.readAllStandardError().toStdString();
        return {};
    }
    return process.readAllStandardOutput();
}

QByteArray ZipMember(const QString& zip, const QString& member)
{
    return RunTool("unzip", { "-p", zip, member });
}

QStringList ZipMembers(const QString& zip)
{
    return QString::fromUtf8(RunTool("unzip", { "-Z1", zip })).split(u'\n', Qt::SkipEmptyParts);
}

QList<ReadParagraph> MarkdownParagraphs(const QByteArray& markdown)
{
    QTextDocument document;
    document.setMarkdown(QString::fromUtf8(markdown));
    return DocumentParagraphs(document);
}

QList<ReadParagraph> HtmlParagraphs(const QByteArray& html)
{
    QTextDocument document;
    document.setHtml(QString::fromUtf8(html));
    return DocumentParagraphs(document);
}

OdtStyles::OdtStyles(const QString& odt)
{
    Read(ZipMember(odt, "styles.xml"));
    Read(ZipMember(odt, "content.xml"));
}

QString OdtStyles::Property(const QString& style, const QString& attribute) const
{
    const QString key = style.contains(u':') ? style : "paragraph:" + style;
    const QString family = key.section(u':', 0, 0);
    for (auto it = FStyles.find(key); it != FStyles.end();
         it = FStyles.find(family + u':' + it->Parent)) {
        if (it->Attributes.contains(attribute))
            return it->Attributes.value(attribute);
        if (it->Parent.isEmpty())
            break;
    }
    return FStyles.value("default:" + family).Attributes.value(attribute);
}

void OdtStyles::Read(const QByteArray& bytes)
{
    QXmlStreamReader xml(bytes);
    QString key;
    int depth = 0; // within the style being read
    while (xml.readNext() != QXmlStreamReader::Invalid && !xml.atEnd()) {
        if (xml.isEndElement() && depth > 0)
            --depth;
        if (!xml.isStartElement())
            continue;
        const QXmlStreamAttributes attributes = xml.attributes();
        if (depth == 0) {
            const QStringView name = xml.name();
            if (name == u"style")
                key = attributes.value("style:family").toString() + u':'
                    + attributes.value("style:name").toString();
            else if (name == u"default-style")
                key = "default:" + attributes.value("style:family").toString();
            else if (name == u"page-layout" || name == u"master-page")
                key = name.toString() + u':' + attributes.value("style:name").toString();
            else
                continue;
            FStyles[key].Parent = attributes.value("style:parent-style-name").toString();
        }
        ++depth;
        // The header's spacing would hide the page's margins.
        if (xml.name() == u"header-footer-properties")
            continue;
        for (const QXmlStreamAttribute& attribute : attributes)
            FStyles[key].Attributes.insert(
                attribute.qualifiedName().toString(), attribute.value().toString());
    }
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
}

QList<ReadParagraph> OdtParagraphs(const QString& odt)
{
    const OdtStyles styles(odt);
    QXmlStreamReader xml(ZipMember(odt, "content.xml"));
    QList<ReadParagraph> paragraphs;
    while (!xml.atEnd()) {
        xml.readNext();
        if (!xml.isStartElement() || (xml.name() != u"p" && xml.name() != u"h"))
            continue;
        const QString style = xml.attributes().value("text:style-name").toString();
        ReadParagraph paragraph;
        paragraph.NewPage = styles.Property(style, "fo:break-before") == u"page";
        paragraph.Italic = styles.Property(style, "fo:font-style") == u"italic";
        paragraph.Centred = styles.Property(style, "fo:text-align") == u"center";
        paragraph.HeadingLevel
            = xml.name() == u"h" ? xml.attributes().value("text:outline-level").toInt() : 0;
        paragraph.Text = OdfText(xml);
        paragraphs << paragraph;
    }
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    return paragraphs;
}

QList<ReadParagraph> DocxParagraphs(const QString& docx)
{
    QXmlStreamReader xml(ZipMember(docx, "word/document.xml"));
    QList<ReadParagraph> paragraphs;
    bool pageBreak = false;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement() && xml.name() == u"p") {
            ReadParagraph paragraph;
            bool breaks = false;
            // A paragraph is italic when all its text is; a word in italics does not make it so.
            bool runItalic = false;
            bool plainText = false;
            int depth = 1;
            while (depth > 0 && !xml.atEnd()) {
                xml.readNext();
                if (xml.isStartElement()) {
                    if (xml.name() == u"t") {
                        paragraph.Italic = runItalic && !plainText;
                        plainText = plainText || !runItalic;
                        // Reads past its end; a tab within a text is white space to a word
                        // processor, only a tab element is a tab.
                        paragraph.Text += xml.readElementText().replace(u'\t', u' ');
                        continue;
                    }
                    ++depth;
                    if (xml.name() == u"r")
                        runItalic = false;
                    else if (xml.name() == u"tab")
                        paragraph.Text += u'\t';
                    else if (xml.name() == u"br" && xml.attributes().value("w:type") == u"page")
                        breaks = true;
                    else if (xml.name() == u"br")
                        paragraph.Text += QChar::LineSeparator;
                    else if (xml.name() == u"i")
                        runItalic = xml.attributes().value("w:val") != u"0";
                    else if (xml.name() == u"jc" && xml.attributes().value("w:val") == u"center")
                        paragraph.Centred = true;
                    else if (xml.name() == u"pStyle")
                        paragraph.HeadingLevel
                            = xml.attributes().value("w:val").startsWith(u"Heading")
                            ? xml.attributes().value("w:val").mid(7).toInt()
                            : 0;
                } else if (xml.isEndElement()) {
                    --depth;
                }
            }
            if (breaks && paragraph.Text.isEmpty()) {
                pageBreak = true;
                continue;
            }
            paragraph.NewPage = pageBreak;
            pageBreak = false;
            paragraphs << paragraph;
        }
    }
    return paragraphs;
}

QList<ReadParagraph> EpubParagraphs(const QString& epub)
{
    QList<ReadParagraph> paragraphs;
    static const QRegularExpression chapterFile(R"(/ch\d+\.xhtml$)");
    for (const QString& member : ZipMembers(epub)) {
        if (!chapterFile.match(member).hasMatch())
            continue;
        bool first = true;
        QXmlStreamReader xml(ZipMember(epub, member));
        while (!xml.atEnd()) {
            xml.readNext();
            if (!xml.isStartElement())
                continue;
            const QStringView name = xml.name();
            if (name != u"p" && name != u"h1" && name != u"h2")
                continue;
            ReadParagraph paragraph;
            paragraph.HeadingLevel = name == u"p" ? 0 : name.mid(1).toInt();
            paragraph.Centred = xml.attributes().value("style").contains(u"center");
            paragraph.NewPage = first;
            first = false;
            // The text of the element and of those within it, a line break where a br stands;
            // the line end that follows a br in the file is no text.
            bool afterBreak = false;
            for (int depth = 1; depth > 0 && !xml.atEnd();) {
                xml.readNext();
                if (xml.isCharacters()) {
                    QStringView text = xml.text();
                    if (afterBreak && text.startsWith(u'\n'))
                        text = text.mid(1);
                    paragraph.Text += text;
                    afterBreak = false;
                } else if (xml.isEndElement()) {
                    --depth;
                } else if (xml.isStartElement()) {
                    ++depth;
                    afterBreak = xml.name() == u"br";
                    if (afterBreak)
                        paragraph.Text += QChar::LineSeparator;
                }
            }
            paragraphs << paragraph;
        }
        EXPECT_FALSE(xml.hasError())
            << member.toStdString() << ": " << xml.errorString().toStdString();
    }
    return paragraphs;
}

QString LibreOfficeText(const QString& soffice, const QString& file, const QString& work)
{
    RunTool(soffice,
        { "--headless", "-env:UserInstallation=file://" + work + "/profile", "--convert-to",
            "txt:Text (encoded):UTF8", "--outdir", work + "/txt", file });
    QFile text(work + "/txt/" + QFileInfo(file).completeBaseName() + ".txt");
    EXPECT_TRUE(text.open(QIODevice::ReadOnly)) << text.fileName().toStdString();
    return QString::fromUtf8(text.readAll());
}

QString PdfText(const QString& pdf)
{
    return QString::fromUtf8(RunTool("pdftotext", { "-layout", "-enc", "UTF-8", pdf, "-" }));
}

QList<PlacedWord> PdfWords(const QString& pdf)
{
    QXmlStreamReader xml(RunTool("pdftotext", { "-bbox", "-enc", "UTF-8", pdf, "-" }));
    QList<PlacedWord> words;
    int page = -1;
    double height = 1;
    while (!xml.atEnd()) {
        xml.readNext();
        if (!xml.isStartElement())
            continue;
        if (xml.name() == u"page") {
            ++page;
            height = xml.attributes().value("height").toDouble();
        } else if (xml.name() == u"word") {
            const double top = xml.attributes().value("yMin").toDouble();
            words << PlacedWord { xml.readElementText(), page, top / height };
        }
    }
    return words;
}
