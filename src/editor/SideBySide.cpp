#include "editor/SideBySide.h"

#include "editor/LineDiff.h"

#include <QPlainTextEdit>
#include <QTextBlock>

namespace {
/// Fills one pane row by row; each line goes in as it is, so no-break spaces and the like stay.
void ShowRows(QPlainTextEdit& pane, const QList<DiffRow>& rows, const QStringList& lines, bool left)
{
    pane.clear();
    QTextCursor cursor(pane.document());
    cursor.beginEditBlock();
    for (int row = 0; row < rows.size(); ++row) {
        const DiffRow& shown = rows[row];
        const int line = left ? shown.Earlier : shown.Current;
        QTextBlockFormat format;
        if (line < 0)
            format.setBackground(QColor(0xee, 0xee, 0xee));
        else if (shown.What == DiffRow::Changed)
            format.setBackground(QColor(0xff, 0xf3, 0xc4));
        else if (shown.What != DiffRow::Same)
            format.setBackground(left ? QColor(0xff, 0xd7, 0xd5) : QColor(0xd4, 0xf5, 0xd4));
        if (row > 0)
            cursor.insertBlock(format);
        else
            cursor.setBlockFormat(format);
        if (line >= 0)
            cursor.insertText(lines[line]);
    }
    cursor.endEditBlock();
    pane.moveCursor(QTextCursor::Start);
}
} // namespace

void ShowSideBySide(QPlainTextEdit& left, const QStringList& leftLines, QPlainTextEdit& right,
    const QStringList& rightLines)
{
    const QList<DiffRow> rows = CompareLines(leftLines, rightLines);
    ShowRows(left, rows, leftLines, true);
    ShowRows(right, rows, rightLines, false);
}
