#include "editor/MemoSpellTarget.h"

#include "editor/EditorMemo.h"
#include "editor/MemoPositions.h"

#include <QTextCursor>

TMemoSpellTarget::TMemoSpellTarget(TEditorMemo& memo)
    : FMemo(memo)
{
}

QString TMemoSpellTarget::Text() const
{
    return FMemo.Text();
}

int TMemoSpellTarget::Revision() const
{
    return FMemo.document()->revision();
}

qsizetype TMemoSpellTarget::CaretPosition() const
{
    return MemoPositions(*FMemo.document()).Offset(FMemo.textCursor().position());
}

void TMemoSpellTarget::Select(qsizetype from, qsizetype to)
{
    const MemoPositions positions(*FMemo.document());
    QTextCursor cursor(FMemo.document());
    cursor.setPosition(positions.Position(from, true));
    cursor.setPosition(positions.Position(to, to == from), QTextCursor::KeepAnchor);
    FMemo.setTextCursor(cursor);
    FMemo.ensureCursorVisible();
}

bool TMemoSpellTarget::Replace(qsizetype from, qsizetype to, const QString& text)
{
    if (FMemo.isReadOnly())
        return false;
    Select(from, to);
    FMemo.InsertText(text);
    return true;
}

QRect TMemoSpellTarget::SelectionOnScreen() const
{
    QTextCursor start = FMemo.textCursor();
    QTextCursor end = start;
    start.setPosition(start.selectionStart());
    end.setPosition(end.selectionEnd());
    const QRect area = FMemo.cursorRect(start).united(FMemo.cursorRect(end));
    return QRect(FMemo.viewport()->mapToGlobal(area.topLeft()), area.size());
}

QWidget* TMemoSpellTarget::Control() const
{
    return &FMemo;
}
