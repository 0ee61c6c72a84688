#include "compile/ManuscriptHtml.h"

#include "compile/ManuscriptDocument.h"
#include "compile/ManuscriptRuns.h"

#include <QLocale>
#include <QTextBlock>

namespace {
/// A book's page: a serif face, a measure of about seventy characters, indented paragraphs
/// (but the first after a heading or a break), and a chapter on a new page when printed.
constexpr QStringView StyleSheet
    = u"body { font-family: \"Times New Roman\", \"Liberation Serif\", serif; font-size: 12pt; "
      "line-height: 1.5; max-width: 36em; margin: 2em auto; padding: 0 1em; }\n"
      "p { margin: 0; text-indent: 1.5em; white-space: pre-wrap; }\n"
      "h1, h2 { font-weight: bold; white-space: pre-wrap; }\n"
      "h1 { font-size: 1.5em; margin: 2em 0 1em; }\n"
      "h2 { font-size: 1.2em; margin: 1.5em 0 0.5em; }\n"
      "h1 + p, h2 + p, hr + p, p.description + p { text-indent: 0; }\n"
      "p.description { font-style: italic; text-indent: 0; margin-bottom: 0.5em; }\n"
      "hr { border: none; margin: 1em 0; text-align: center; }\n"
      "hr::after { content: \"* * *\"; }\n"
      "p.end { text-align: center; text-indent: 0; margin-top: 1.5em; }\n"
      "header { margin-bottom: 4em; break-after: page; page-break-after: always; }\n"
      "header p { text-indent: 0; line-height: 1.2; }\n"
      "header p.contact-name { display: flex; justify-content: space-between; }\n"
      "header p.title { text-align: center; font-size: 1.5em; margin-top: 6em; }\n"
      "header p.byline { text-align: center; }\n"
      ".centre { text-align: center; text-indent: 0; }\n"
      ".new-page { break-before: page; page-break-before: always; }\n";

/// Text as HTML: markup characters and quotes escaped, a line break within a paragraph a `<br>`.
QString Escaped(QStringView text)
{
    QString out;
    out.reserve(text.size() + text.size() / 16);
    for (const QChar c : text) {
        switch (c.unicode()) {
        case u'&':
            out += QStringLiteral("&amp;");
            break;
        case u'<':
            out += QStringLiteral("&lt;");
            break;
        case u'>':
            out += QStringLiteral("&gt;");
            break;
        case u'"':
            out += QStringLiteral("&quot;");
            break;
        case QChar::LineSeparator:
            out += QStringLiteral("<br>");
            break;
        default:
            out += c;
        }
    }
    return out;
}

/// A block's text with `<em>` and `<strong>` around its emphasised runs.
QString Content(const QTextBlock& block)
{
    QString out;
    for (const StyledRun& run : EmphasisRuns(block)) {
        QString text = Escaped(run.Text);
        if (run.Italic)
            text = QStringLiteral("<em>") + text + QStringLiteral("</em>");
        if (run.Bold)
            text = QStringLiteral("<strong>") + text + QStringLiteral("</strong>");
        out += text;
    }
    return out;
}

/// An element holding a block's text; a block that is centred or begins a page says so in its
/// class.
QString Element(const QTextBlock& block, QStringView tag, QStringView className, QStringView text)
{
    QStringList classes;
    if (!className.isEmpty())
        classes << className.toString();
    if (block.blockFormat().alignment() & Qt::AlignHCenter)
        classes << QStringLiteral("centre");
    if (block.blockFormat().pageBreakPolicy() & QTextFormat::PageBreak_AlwaysBefore)
        classes << QStringLiteral("new-page");
    QString out;
    out += u'<';
    out += tag;
    if (!classes.isEmpty())
        out += QStringLiteral(" class=\"") + classes.join(u' ') + u'"';
    out += u'>';
    out += text;
    out += QStringLiteral("</");
    out += tag;
    out += QStringLiteral(">\n");
    return out;
}

/// One line of the title page.
QString TitleLineElement(const QTextBlock& block)
{
    switch (ManuscriptDocument::TitleLineOf(block)) {
    case TitleLine::NameAndWords: {
        // The name flush left and the word count flush right, on one line.
        const QString text = block.text();
        const qsizetype tab = text.indexOf(u'\t');
        return QStringLiteral("<p class=\"contact-name\"><span>%1</span><span>%2</span></p>\n")
            .arg(Escaped(QStringView(text).left(tab)),
                tab < 0 ? QString() : Escaped(QStringView(text).mid(tab + 1)));
    }
    case TitleLine::Contact:
        return Element(block, u"p", u"contact", Escaped(block.text()));
    case TitleLine::Title:
        return Element(block, u"p", u"title", Escaped(block.text()));
    case TitleLine::Byline:
        return Element(block, u"p", u"byline", Escaped(block.text()));
    }
    return Element(block, u"p", {}, Escaped(block.text()));
}
} // namespace

QByteArray ManuscriptHtml(const ManuscriptDocument& manuscript)
{
    QString out = QStringLiteral("<!DOCTYPE html>\n<html lang=\"%1\">\n<head>\n"
                                 "<meta charset=\"utf-8\">\n<title>%2</title>\n<style>\n")
                      .arg(Escaped(QLocale().bcp47Name()), Escaped(manuscript.Options().Title));
    out += StyleSheet;
    out += QStringLiteral("</style>\n</head>\n<body>\n");
    bool inTitlePage = false;
    for (QTextBlock block = manuscript.Document().begin(); block.isValid(); block = block.next()) {
        const ManuscriptBlock kind = ManuscriptDocument::KindOf(block);
        if ((kind == ManuscriptBlock::TitlePage) != inTitlePage) {
            inTitlePage = !inTitlePage;
            out += inTitlePage ? QStringLiteral("<header>\n") : QStringLiteral("</header>\n");
        }
        switch (kind) {
        case ManuscriptBlock::TitlePage:
            out += TitleLineElement(block);
            break;
        case ManuscriptBlock::Chapter:
            out += Element(block, u"h1", {}, Content(block));
            break;
        case ManuscriptBlock::Section:
            out += Element(block, u"h2", {}, Content(block));
            break;
        case ManuscriptBlock::Subtitle:
            out += Element(block, u"p", u"description", Content(block));
            break;
        case ManuscriptBlock::SceneBreak:
            out += QStringLiteral("<hr>\n");
            break;
        case ManuscriptBlock::End:
            out += Element(block, u"p", u"end", Content(block));
            break;
        case ManuscriptBlock::Paragraph:
        default:
            out += Element(block, u"p", {}, Content(block));
            break;
        }
    }
    if (inTitlePage)
        out += QStringLiteral("</header>\n");
    // No line end after the last tag: Qt's reader (and so the program's own) takes it for a
    // space at the end of the last paragraph.
    out += QStringLiteral("</body>\n</html>");
    return out.toUtf8();
}
