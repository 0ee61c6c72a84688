#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>
#include <QStringList>
#include <ostream>

/// One paragraph of an exported file as a reader finds it again.
struct ReadParagraph {
    QString Text;
    int HeadingLevel = 0;
    bool Italic = false;
    bool Centred = false;
    bool NewPage = false; ///< starts on a new page

    bool operator==(const ReadParagraph&) const = default;
};

/// How a failing comparison shows a paragraph.
void PrintTo(const ReadParagraph& paragraph, std::ostream* out);

/// The output of a program run to its end; empty, after failing the test, when it did not run.
QByteArray RunTool(const QString& program, const QStringList& arguments);
/// One member of a zip file (ODT, DOCX, EPUB), read with unzip.
QByteArray ZipMember(const QString& zip, const QString& member);
/// The members of a zip file, in the order they are stored.
QStringList ZipMembers(const QString& zip);

/// The paragraphs of Markdown or HTML, parsed as Qt reads them.
QList<ReadParagraph> MarkdownParagraphs(const QByteArray& markdown);
QList<ReadParagraph> HtmlParagraphs(const QByteArray& html);
/// The styles of an ODT, common and automatic, each with the attributes of its properties, and
/// a style's property as an office suite resolves it: its own, its parent's, the default's.
class OdtStyles {
public:
    explicit OdtStyles(const QString& odt);

    /// A property of a paragraph style, or of a text style, page layout or master page given
    /// as "text:Italic", "page-layout:PageLayout", "master-page:Standard".
    QString Property(const QString& style, const QString& attribute) const;
    bool Has(const QString& key) const { return FStyles.contains(key); }

private:
    struct Entry {
        QString Parent;
        QHash<QString, QString> Attributes;
    };

    void Read(const QByteArray& bytes);

    QHash<QString, Entry> FStyles;
};

/// The paragraphs of an ODT file's content.xml: their text with text:s, text:tab and
/// text:line-break spelt out, and what their styles make of them.
QList<ReadParagraph> OdtParagraphs(const QString& odt);
/// The paragraphs of a DOCX file's document.xml; a page break paragraph marks the next one.
QList<ReadParagraph> DocxParagraphs(const QString& docx);
/// The p, h1 and h2 texts of an EPUB's chapter files, in order.
QList<ReadParagraph> EpubParagraphs(const QString& epub);
/// The text LibreOffice (`soffice`) reads from an office file, one paragraph a line: the file
/// converted to UTF-8 text in the folder `work`, which also holds LibreOffice's profile.
QString LibreOfficeText(const QString& soffice, const QString& file, const QString& work);
/// pdftotext's text, pages parted by form feeds.
QString PdfText(const QString& pdf);

/// The words pdftotext places on a page, and how far down (0 top, 1 bottom) each begins.
struct PlacedWord {
    QString Text;
    int Page = 0;
    double Down = 0;
};
QList<PlacedWord> PdfWords(const QString& pdf);
