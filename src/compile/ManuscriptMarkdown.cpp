#include "compile/ManuscriptMarkdown.h"

#include "compile/ManuscriptDocument.h"
#include "compile/ManuscriptRuns.h"

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

/// The emphasis of each character of a line.
struct Emphasis {
    QList<bool> Italic;
    QList<bool> Bold;
};

/// Emphasis opens only before and closes only after a character that is no blank: blanks at
/// either end of an emphasised run are left plain, where the marks can stand around the words.
void KeepBlanksPlain(QList<bool>& on, QStringView text)
{
    for (qsizetype i = 0; i < on.size();) {
        if (!on[i]) {
            ++i;
            continue;
        }
        qsizetype end = i;
        while (end < on.size() && on[end])
            ++end;
        for (qsizetype j = i; j < end && text[j].isSpace(); ++j)
            on[j] = false;
        for (qsizetype j = end; j > i && text[j - 1].isSpace(); --j)
            on[j - 1] = false;
        i = end;
    }
}

/// Writes the marks that take the emphasis from what is open to what the next character has:
/// the marks open last are closed first, so that emphasis within emphasis nests.
void SwitchEmphasis(QString& out, QList<QStringView>& open, bool italic, bool bold)
{
    const auto wanted = [&](QStringView mark) { return mark == u"*" ? italic : bold; };
    qsizetype keep = 0;
    while (keep < open.size() && wanted(open[keep]))
        ++keep;
    while (open.size() > keep) {
        out += open.last();
        open.removeLast();
    }
    for (const QStringView mark : { QStringView(u"**"), QStringView(u"*") }) {
        if (wanted(mark) && !open.contains(mark)) {
            out += mark;
            open.append(mark);
        }
    }
}

/// One line of text as Markdown, with `*` and `**` around the emphasised characters.
QString MarkdownLine(QStringView text, const Emphasis* emphasis)
{
    QString out;
    out.reserve(text.size() + text.size() / 8);
    qsizetype first = 0;
    while (first < text.size() && IsEdgeSpace(text[first]))
        out += Reference(text[first++]);
    qsizetype end = text.size();
    while (end > first && IsEdgeSpace(text[end - 1]))
        --end;
    QList<QStringView> open;
    for (qsizetype i = first; i < end; ++i) {
        if (emphasis)
            SwitchEmphasis(out, open, emphasis->Italic[i], emphasis->Bold[i]);
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
    SwitchEmphasis(out, open, false, false);
    for (qsizetype i = end; i < text.size(); ++i)
        out += Reference(text[i]);
    return out;
}

/// A block's text as Markdown: a line break within it is a backslash at the end of a line, and
/// each line is escaped on its own, as each one can start a list or a heading.
QString MarkdownBlock(const QTextBlock& block)
{
    const QList<StyledRun> runs = EmphasisRuns(block);
    QString whole;
    Emphasis emphasis;
    bool emphasised = false;
    for (const StyledRun& run : runs) {
        whole += run.Text;
        emphasis.Italic.insert(emphasis.Italic.size(), run.Text.size(), run.Italic);
        emphasis.Bold.insert(emphasis.Bold.size(), run.Text.size(), run.Bold);
        emphasised = emphasised || run.Italic || run.Bold;
    }
    QString text;
    qsizetype start = 0;
    while (true) {
        qsizetype end = whole.indexOf(QChar::LineSeparator, start);
        if (end < 0)
            end = whole.size();
        const QStringView line = QStringView(whole).mid(start, end - start);
        if (emphasised) {
            Emphasis lineEmphasis { emphasis.Italic.mid(start, end - start),
                emphasis.Bold.mid(start, end - start) };
            KeepBlanksPlain(lineEmphasis.Italic, line);
            KeepBlanksPlain(lineEmphasis.Bold, line);
            text += MarkdownLine(line, &lineEmphasis);
        } else {
            text += MarkdownLine(line, nullptr);
        }
        if (end == whole.size())
            break;
        text += QStringLiteral("\\\n");
        start = end + 1;
    }
    return text;
}
} // namespace

QString MarkdownText(QStringView text)
{
    return MarkdownLine(text, nullptr);
}

QByteArray ManuscriptMarkdown(const ManuscriptDocument& manuscript)
{
    QString out;
    for (QTextBlock block = manuscript.Document().begin(); block.isValid(); block = block.next()) {
        switch (ManuscriptDocument::KindOf(block)) {
        case ManuscriptBlock::Chapter:
            out += QStringLiteral("# ") + MarkdownBlock(block);
            break;
        case ManuscriptBlock::Section:
            out += QStringLiteral("## ") + MarkdownBlock(block);
            break;
        case ManuscriptBlock::Subtitle:
            out += u'*' + MarkdownBlock(block) + u'*';
            break;
        case ManuscriptBlock::SceneBreak:
            // A thematic break, whatever mark the writer typed: the one every reader knows.
            out += QStringLiteral("* * *");
            break;
        default:
            out += MarkdownBlock(block);
            break;
        }
        out += QStringLiteral("\n\n");
    }
    return out.toUtf8();
}
