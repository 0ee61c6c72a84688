#pragma once

#include <QByteArray>
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
/// The paragraphs of an ODT file's content.xml: their text with text:s, text:tab and
/// text:line-break spelt out, and whether their style breaks the page before them.
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
