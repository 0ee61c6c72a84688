#include "editor/MemoText.h"

#include "platform/TextFile.h"

#include <QHash>
#include <QTextBlock>
#include <QTextDocument>
#include <algorithm>
#include <utility>

namespace {
// What the break before a block stands for, kept in the block's format; absent for a line end.
constexpr int StandsForProperty = QTextFormat::UserProperty + 0x100;
const QString LineEnd = QStringLiteral("\n");

// Paragraphs longer than this are cut into pieces of about PieceLength characters: short enough
// to lay out again on every key within a frame, long enough that ordinary paragraphs stay whole
// (a cut shows as a line that ends a little early).
constexpr qsizetype LongestBlock = 8192;
constexpr qsizetype PieceLength = 4096;

/// The characters a document takes for block breaks.
bool BreaksBlock(QChar c)
{
    return c == u'\n' || c == QChar::ParagraphSeparator || c == QChar(0xFDD0) || c == QChar(0xFDD1);
}

QTextBlockFormat Standing(const QString& standsFor)
{
    QTextBlockFormat format;
    if (standsFor != LineEnd)
        format.setProperty(StandsForProperty, standsFor);
    return format;
}

QString StandsFor(const QTextBlockFormat& format)
{
    return format.hasProperty(StandsForProperty) ? format.stringProperty(StandsForProperty)
                                                 : LineEnd;
}

/// What the breaks before blocks stand for, read once per block format.
class BreakReader {
public:
    const QString& StandsFor(const QTextBlock& block)
    {
        const int index = block.blockFormatIndex();
        auto known = FByFormat.constFind(index);
        if (known == FByFormat.cend())
            known = FByFormat.insert(index, ::StandsFor(block.blockFormat()));
        return *known;
    }

private:
    QHash<int, QString> FByFormat;
};

/// Where a long paragraph is cut: after a space where one stands near the end of a piece, so
/// that the cut looks like a wrap; otherwise between two characters.
QList<qsizetype> SoftBreakPoints(QStringView paragraph)
{
    QList<qsizetype> cuts;
    qsizetype start = 0;
    while (paragraph.size() - start > LongestBlock) {
        qsizetype cut = start + PieceLength;
        while (cut > start + PieceLength / 2 && paragraph[cut - 1] != u' ')
            --cut;
        if (paragraph[cut - 1] != u' ') {
            // No space near: never between the halves of a surrogate pair or before a mark.
            cut = start + PieceLength;
            while (cut > start + 1 && (paragraph[cut].isLowSurrogate() || paragraph[cut].isMark()))
                --cut;
        }
        while (cut < paragraph.size() && paragraph[cut] == u' ')
            ++cut;
        if (cut == paragraph.size())
            break;
        cuts.append(cut);
        start = cut;
    }
    return cuts;
}

/// The writer's text between two document positions: the text of each block, and between
/// blocks what their break stands for.
QString WriterText(const QTextDocument& document, int from, int to)
{
    BreakReader breaks;
    QString text;
    text.reserve(to - from);
    for (QTextBlock block = document.findBlock(from); block.isValid() && block.position() <= to;
         block = block.next()) {
        if (block.position() > from)
            text += breaks.StandsFor(block);
        const int start = std::max(from, block.position());
        const int end = std::min(to, block.position() + block.length() - 1);
        if (end > start)
            text += QStringView(block.text()).sliced(start - block.position(), end - start);
    }
    return text;
}

/// Whether a text holds a break that stands for something else than a line end, or a paragraph
/// too long for one block; most texts go into a document as they are.
bool NeedsMarks(QStringView text)
{
    qsizetype paragraph = 0;
    for (const QChar c : text) {
        if (c == u'\n')
            paragraph = 0;
        else if (BreaksBlock(c) || ++paragraph > LongestBlock)
            return true;
    }
    return false;
}

/// The text a document is given for the writer's text: a line break at every block break, and
/// the marks of the breaks that stand for something else.
QString ShownText(const QString& writer, QList<std::pair<int, QString>>& marks)
{
    QString shown;
    shown.reserve(writer.size() + writer.size() / PieceLength + 1);
    int block = 0;
    for (qsizetype start = 0;;) {
        qsizetype end = start;
        while (end < writer.size() && !BreaksBlock(writer[end]))
            ++end;
        const QStringView paragraph = QStringView(writer).sliced(start, end - start);
        qsizetype piece = 0;
        for (const qsizetype cut : SoftBreakPoints(paragraph)) {
            shown += paragraph.sliced(piece, cut - piece);
            shown += u'\n';
            marks.append({ ++block, QString() });
            piece = cut;
        }
        shown += paragraph.sliced(piece);
        if (end == writer.size())
            return shown;
        shown += u'\n';
        ++block;
        if (writer[end] != u'\n')
            marks.append({ block, QString(writer[end]) });
        start = end + 1;
    }
}

/// Line ends are ours to write: CR LF and CR become LF.
QString WithLfLineEnds(const QString& text)
{
    return text.contains(u'\r') ? NormaliseLineEnds(text) : text;
}
} // namespace

QString MemoText(const QTextDocument& document)
{
    return WriterText(document, 0, document.characterCount() - 1);
}

QString MemoText(const QTextDocument& document, int from, int to)
{
    return WriterText(document, std::min(from, to), std::max(from, to));
}

QString SelectedMemoText(const QTextCursor& cursor)
{
    return MemoText(*cursor.document(), cursor.selectionStart(), cursor.selectionEnd());
}

void SetMemoText(QTextDocument& document, const QString& text)
{
    // The document is given the text with a line break at every block break, and then each
    // break that stands for something else is marked.
    const QString writer = WithLfLineEnds(text);
    QList<std::pair<int, QString>> marks; // block number, what the break before it stands for
    const QString shown = NeedsMarks(writer) ? ShownText(writer, marks) : writer;

    // One edit without history, so that the layout sees one change and lays out lazily.
    const bool undo = document.isUndoRedoEnabled();
    document.setUndoRedoEnabled(false);
    QTextCursor cursor(&document);
    cursor.beginEditBlock();
    document.setPlainText(shown);
    for (const auto& [number, standsFor] : std::as_const(marks)) {
        cursor.setPosition(document.findBlockByNumber(number).position());
        cursor.setBlockFormat(Standing(standsFor));
    }
    cursor.endEditBlock();
    document.setUndoRedoEnabled(undo);
}

void InsertMemoText(QTextCursor& cursor, const QString& text)
{
    const QString writer = WithLfLineEnds(text);
    cursor.beginEditBlock();
    cursor.removeSelectedText();
    const int start = cursor.position();
    const QString inherited = BreakReader().StandsFor(cursor.block());
    cursor.insertText(writer);
    // Every block the text began took the format of the block it went into; each gets its own.
    const bool allLineEnds = std::none_of(
        writer.cbegin(), writer.cend(), [](QChar c) { return c != u'\n' && BreaksBlock(c); });
    if (inherited != LineEnd || !allLineEnds) {
        QTextBlock block = cursor.document()->findBlock(start);
        for (const QChar c : writer) {
            if (!BreaksBlock(c))
                continue;
            block = block.next();
            const QString standsFor = c == u'\n' ? LineEnd : QString(c);
            if (standsFor != inherited)
                QTextCursor(block).setBlockFormat(Standing(standsFor));
        }
    }
    cursor.endEditBlock();
}

void SplitLongBlocks(QTextDocument& document, int from, int to)
{
    QList<QTextBlock> tooLong;
    for (QTextBlock block = document.findBlock(from); block.isValid() && block.position() <= to;
         block = block.next()) {
        if (block.length() - 1 > LongestBlock)
            tooLong.append(block);
    }
    if (tooLong.isEmpty())
        return;
    // From the last cut to the first, so that the places still to cut stay where they were.
    QTextCursor cursor(&document);
    cursor.joinPreviousEditBlock();
    for (auto block = tooLong.crbegin(); block != tooLong.crend(); ++block) {
        const int start = block->position();
        const QList<qsizetype> cuts = SoftBreakPoints(block->text());
        for (auto cut = cuts.crbegin(); cut != cuts.crend(); ++cut) {
            cursor.setPosition(start + int(*cut));
            cursor.insertBlock(Standing(QString()));
        }
    }
    cursor.endEditBlock();
}

QList<int> SoftBreakPositions(const QTextDocument& document)
{
    QList<int> positions;
    BreakReader breaks;
    for (QTextBlock block = document.firstBlock().next(); block.isValid(); block = block.next()) {
        if (breaks.StandsFor(block).isEmpty())
            positions.append(block.position() - 1);
    }
    return positions;
}

bool IsSoftBreakBefore(const QTextBlock& block)
{
    return block.isValid() && block.previous().isValid()
        && StandsFor(block.blockFormat()).isEmpty();
}

QString StandsForBefore(const QTextBlock& block)
{
    return block.previous().isValid() ? StandsFor(block.blockFormat()) : QString();
}

void StepOverSoftBreaks(QTextCursor& cursor, bool forward, QTextCursor::MoveMode mode)
{
    if (forward) {
        while (cursor.atBlockEnd() && IsSoftBreakBefore(cursor.block().next()))
            cursor.movePosition(QTextCursor::NextCharacter, mode);
    } else {
        while (cursor.atBlockStart() && IsSoftBreakBefore(cursor.block()))
            cursor.movePosition(QTextCursor::PreviousCharacter, mode);
    }
}
