#include "editor/MemoSpellTarget.h"

#include "editor/EditorMemo.h"
#include "editor/MemoPositions.h"

#include <QTextCursor>

MemoSpellTarget::MemoSpellTarget(EditorMemo& memo)
    : FMemo(memo)
{
}

QString MemoSpellTarget::Text() const
{
    return FMemo.Text();
}

int MemoSpellTarget::Revision() const
{
    return FMemo.document()->revision();
}

qsizetype MemoSpellTarget::CaretPosition() const
{
    return MemoPositions(*FMemo.document()).Offset(FMemo.textCursor().position());
}

void MemoSpellTarget::Select(qsizetype from, qsizetype to)
{
    const MemoPositions positions(*FMemo.document());
    QTextCursor cursor(FMemo.document());
    cursor.setPosition(positions.Position(from, true));
    cursor.setPosition(positions.Position(to, to == from), QTextCursor::KeepAnchor);
    FMemo.setTextCursor(cursor);
    FMemo.ensureCursorVisible();
}

bool MemoSpellTarget::Replace(qsizetype from, qsizetype to, const QString& text)
{
    if (FMemo.isReadOnly())
        return false;
    Select(from, to);
    FMemo.InsertText(text);
    return true;
}

QRect MemoSpellTarget::SelectionOnScreen() const
{
    QTextCursor start = FMemo.textCursor();
    QTextCursor end = start;
    start.setPosition(start.selectionStart());
    end.setPosition(end.selectionEnd());
    const QRect area = FMemo.cursorRect(start).united(FMemo.cursorRect(end));
    return QRect(FMemo.viewport()->mapToGlobal(area.topLeft()), area.size());
}

QWidget* MemoSpellTarget::Control() const
{
    return &FMemo;
}
