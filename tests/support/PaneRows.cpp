#include "PaneRows.h"

#include <QPlainTextEdit>
#include <QTextBlock>

QStringList PaneLines(const QPlainTextEdit& pane)
{
    QStringList lines;
    for (QTextBlock block = pane.document()->begin(); block.isValid(); block = block.next())
        lines.append(block.text());
    return lines;
}

QColor RowTint(const QPlainTextEdit& pane, int row)
{
    const QBrush background = pane.document()->findBlockByNumber(row).blockFormat().background();
    return background.style() == Qt::NoBrush ? QColor() : background.color();
}
