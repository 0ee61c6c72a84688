#include "compile/ManuscriptMarkdown.h"

#include "compile/ManuscriptDocument.h"

#include <QTextBlock>

namespace {
/// Characters that start or end markup anywhere in a line.
constexpr QStringView Markup = u"\\`*_[]<>&#!|~";
/// Characters that start a block (a list, a quote, a rule, a setext underline) at a line's start.
constexpr QStringView LineStarts = u"-+=>:";

bool IsEdgeSpace(QChar c)
{
    return c == u' ' || c == u'\t';
}

QString Reference(QChar c)
{
    return QStringLiteral("&#%1;").arg(c.unicode());
}
} // namespace

QString MarkdownText(QStringView text)
{
    QString out;
    out.reserve(text.size() + text.size() / 8);
    qsizetype first = 0;
    while (first < text.size() && IsEdgeSpace(text[first]))
        out += Reference(text[first++]);
    qsizetype end = text.size();
    while (end > first && IsEdgeSpace(text[end - 1]))
        --end;
    for (qsizetype i = first; i < end; ++i) {
        const QChar c = text[i];
        const bool atStart = i == first;
        // "1." or "1)" would start a numbered list.
        const bool listNumber = (c == u'.' || c == u')') && i > first
            && std::all_of(
                text.begin() + first, text.begin() + i, [](QChar d) { return d.isDigit(); });
        if (Markup.contains(c) || (atStart && LineStarts.contains(c)) || listNumber)
            out += u'\\';
        out += c;
    }
    for (qsizetype i = end; i < text.size(); ++i)
        out += Reference(text[i]);
    return out;
}

QByteArray ManuscriptMarkdown(const ManuscriptDocument& manuscript)
{
    QString out;
    for (QTextBlock block = manuscript.Document().begin(); block.isValid(); block = block.next()) {
        // A line break within a paragraph is a backslash at the end of a line; each line is
        // escaped on its own, as each one can start a list or a heading.
        const QString whole = block.text();
        QString text;
        bool first = true;
        for (const QStringView line : QStringView(whole).split(QChar::LineSeparator)) {
            if (!first)
                text += QStringLiteral("\\\n");
            text += MarkdownText(line);
            first = false;
        }
        switch (ManuscriptDocument::KindOf(block)) {
        case ManuscriptBlock::Chapter:
            out += QStringLiteral("# ") + text;
            break;
        case ManuscriptBlock::Section:
            out += QStringLiteral("## ") + text;
            break;
        case ManuscriptBlock::Subtitle:
            out += u'*' + text + u'*';
            break;
        default:
            out += text;
            break;
        }
        out += QStringLiteral("\n\n");
    }
    return out.toUtf8();
}
