#include "editor/EmphasisEdit.h"

#include <QList>
#include <QString>
#include <QStringView>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <algorithm>
#include <optional>

namespace {
/// A stretch of a line, in its own offsets, `End` past its last character.
struct TextSpan {
    qsizetype Start = 0;
    qsizetype End = 0;
};

/// The pair of marks of one emphasis on a line.
struct EmphasisMarks {
    qsizetype Left = 0; ///< where the opening mark starts
    qsizetype Right = 0; ///< where the closing mark starts
    qsizetype Length = 0;
};

const QString ItalicMark = QStringLiteral("*");
const QString BoldMark = QStringLiteral("**");

bool InWord(QChar c)
{
    return c.isLetterOrNumber() || c.isMark();
}

/// An apostrophe or hyphen that joins two parts of a word ("keeper's", "half-light").
bool Joins(QChar c)
{
    return c == u'\'' || c == QChar(0x2019) || c == u'-';
}

/// How many `c` stand in a row from `at` in the direction `step` (+1 or -1), within the line;
/// a run whose first mark is escaped (`\*`) counts one less.
qsizetype Run(QStringView line, qsizetype at, int step, QChar c)
{
    qsizetype count = 0;
    for (qsizetype i = at; i >= 0 && i < line.size() && line[i] == c; i += step)
        ++count;
    // A backslash before the run escapes its first mark.
    const qsizetype before = step < 0 ? at - count : at - 1;
    if (count > 0 && before >= 0 && line[before] == u'\\')
        --count;
    return count;
}

/// Whether runs of marks of `c` on both sides hold the emphasis: `_` only italic; of `*` an
/// odd run on both sides is italic, a run of two or more bold.
bool Holds(qsizetype left, qsizetype right, QChar c, Emphasis emphasis)
{
    if (emphasis == Emphasis::Bold)
        return c == u'*' && left >= 2 && right >= 2;
    return c == u'_' ? left >= 1 && right >= 1 : left % 2 == 1 && right % 2 == 1;
}

/// A stretch of one block the command acts on, in the block's offsets.
struct BlockSpan {
    QTextBlock Block;
    TextSpan Span;
    std::optional<EmphasisMarks> Marks;
};

TextSpan TrimmedSpan(QStringView line, TextSpan span)
{
    while (span.Start < span.End && line[span.Start].isSpace())
        ++span.Start;
    while (span.End > span.Start && line[span.End - 1].isSpace())
        --span.End;
    return span;
}

/// The offset after an edit of a block of an offset before it: marks inserted or removed
/// before it move it.
qsizetype Shifted(qsizetype offset, const BlockSpan& span, bool removing, qsizetype markLength)
{
    if (removing) {
        const EmphasisMarks& marks = *span.Marks;
        qsizetype shifted = offset;
        if (offset > marks.Right)
            shifted -= std::min(offset - marks.Right, marks.Length);
        if (offset > marks.Left)
            shifted -= std::min(offset - marks.Left, marks.Length);
        return shifted;
    }
    // Inserted: one mark before the span's text, one after it.
    return offset + (offset >= span.Span.Start ? markLength : 0)
        + (offset > span.Span.End ? markLength : 0);
}
/// The word that holds the caret or ends at it (a letter or digit run, with apostrophes and
/// hyphens inside it); an empty span at the caret where there is none.
TextSpan WordAt(QStringView line, qsizetype caret)
{
    const auto inWordAt = [line](qsizetype i) {
        if (i < 0 || i >= line.size())
            return false;
        if (InWord(line[i]))
            return true;
        return Joins(line[i]) && i > 0 && i + 1 < line.size() && InWord(line[i - 1])
            && InWord(line[i + 1]);
    };
    TextSpan word { caret, caret };
    while (inWordAt(word.Start - 1))
        --word.Start;
    while (inWordAt(word.End))
        ++word.End;
    return word;
}

/// Where the marks of an emphasis stand around a span of a line: just outside it (`*word*` with
/// "word" chosen) or just inside it (with "*word*" chosen); nothing when the span does not
/// stand so. Of `***word***` both emphases are read, and their marks are the ones next to the
/// text: one for italic, two for bold. An escaped mark (`\*`) is none.
std::optional<EmphasisMarks> MarksAround(QStringView line, TextSpan span, Emphasis emphasis)
{
    const qsizetype length = emphasis == Emphasis::Bold ? 2 : 1;
    for (const QChar c : { QChar(u'*'), QChar(u'_') }) {
        // Each mark just outside the span or just inside it: a selection that runs over lines
        // ends on one line inside the marks and starts on the next outside them.
        for (const bool leftInside : { false, true }) {
            for (const bool rightInside : { false, true }) {
                const qsizetype left
                    = leftInside ? Run(line, span.Start, +1, c) : Run(line, span.Start - 1, -1, c);
                const qsizetype right
                    = rightInside ? Run(line, span.End - 1, -1, c) : Run(line, span.End, +1, c);
                const qsizetype textStart = span.Start + (leftInside ? left : 0);
                const qsizetype textEnd = span.End - (rightInside ? right : 0);
                // Marks taken inside need text between them; around nothing they are the pair
                // just put in at the caret.
                if ((leftInside || rightInside) && textEnd <= textStart)
                    continue;
                if (Holds(left, right, c, emphasis))
                    return EmphasisMarks { textStart - length, textEnd, length };
            }
        }
    }
    return std::nullopt;
}

} // namespace

void ToggleEmphasis(QTextCursor& cursor, Emphasis emphasis)
{
    QTextDocument* document = cursor.document();
    const bool selected = cursor.hasSelection();
    const int from = cursor.selectionStart();
    const int to = cursor.selectionEnd();
    QList<BlockSpan> spans;
    for (QTextBlock block = document->findBlock(from); block.isValid() && block.position() <= to;
         block = block.next()) {
        const QString line = block.text();
        const qsizetype start = std::max(from - block.position(), 0);
        const qsizetype end = std::min<qsizetype>(to - block.position(), line.size());
        TextSpan span = selected ? TrimmedSpan(line, { start, end }) : WordAt(line, start);
        // A line the selection only touches, or holds only blanks of, is no line to mark.
        if (selected && span.Start == span.End)
            continue;
        spans.append({ block, span, MarksAround(line, span, emphasis) });
    }
    if (spans.isEmpty())
        return;
    const bool removing = std::all_of(
        spans.cbegin(), spans.cend(), [](const BlockSpan& span) { return span.Marks.has_value(); });
    const QString& mark = emphasis == Emphasis::Bold ? BoldMark : ItalicMark;

    // The caret's place as a block offset, to be put back on the same character.
    const qsizetype caretIn = cursor.position() - cursor.block().position();
    const int caretBlock = cursor.block().blockNumber();
    const bool forward = cursor.position() >= cursor.anchor();

    // Begun where the writer's selection is, so that Undo puts it back there.
    QTextCursor edit(cursor);
    edit.beginEditBlock();
    for (const BlockSpan& span : spans) {
        const int base = span.Block.position();
        if (removing) {
            // The closing mark first, so that the opening one stays where it was found.
            for (const qsizetype at : { span.Marks->Right, span.Marks->Left }) {
                edit.setPosition(base + int(at));
                edit.setPosition(base + int(at + span.Marks->Length), QTextCursor::KeepAnchor);
                edit.removeSelectedText();
            }
        } else if (!span.Marks) {
            edit.setPosition(base + int(span.Span.End));
            edit.insertText(mark);
            edit.setPosition(base + int(span.Span.Start));
            edit.insertText(mark);
        }
    }
    edit.endEditBlock();

    if (!selected) {
        const qsizetype shifted = Shifted(caretIn, spans.first(), removing, mark.size());
        cursor.setPosition(document->findBlockByNumber(caretBlock).position() + int(shifted));
        return;
    }
    // A selection covers the text that was marked or unmarked, without the marks.
    const auto textOf = [&](const BlockSpan& span) {
        const int base = span.Block.position();
        if (removing)
            return std::pair(
                base + int(span.Marks->Left), base + int(span.Marks->Right - span.Marks->Length));
        if (span.Marks)
            return std::pair(
                base + int(span.Marks->Left + span.Marks->Length), base + int(span.Marks->Right));
        return std::pair(
            base + int(span.Span.Start + mark.size()), base + int(span.Span.End + mark.size()));
    };
    const int start = textOf(spans.first()).first;
    const int end = textOf(spans.last()).second;
    cursor.setPosition(forward ? start : end);
    cursor.setPosition(forward ? end : start, QTextCursor::KeepAnchor);
}
