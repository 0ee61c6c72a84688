#include "app/EditorOpenTexts.h"

#include "app/EditorWindows.h"
#include "editor/Editor.h"
#include "editor/EditorMemo.h"
#include "editor/MemoPositions.h"
#include "editor/MemoText.h"
#include "messages/MessageTable.h"

#include <QTextCursor>

EditorOpenTexts::EditorOpenTexts(EditorWindows& editors, const MessageTable& messages)
    : FEditors(editors)
    , FMessages(messages)
{
}

bool EditorOpenTexts::IsOpen(CardId card) const
{
    return FEditors.Of(card) != nullptr;
}

QString EditorOpenTexts::Text(CardId card) const
{
    const TfmEditor* editor = FEditors.Of(card);
    return editor ? editor->memEditor->Text() : QString();
}

bool EditorOpenTexts::Replace(CardId card, const QList<TextReplacement>& edits, QString& reason)
{
    TfmEditor* editor = FEditors.Of(card);
    if (!editor)
        return false;
    EditorMemo& memo = *editor->memEditor;
    if (memo.isReadOnly()) {
        reason = FMessages.Text(MessageKey::TEXT_READ_ONLY);
        return false;
    }
    if (edits.isEmpty())
        return true;
    QTextDocument& document = *memo.document();
    const MemoPositions positions(document);
    QTextCursor cursor(&document);
    QTextCursor last; // after the last edit, moved along by the edits before it
    cursor.beginEditBlock();
    for (auto edit = edits.crbegin(); edit != edits.crend(); ++edit) {
        cursor.setPosition(positions.Position(edit->Start, true));
        cursor.setPosition(
            positions.Position(edit->Start + edit->Length, false), QTextCursor::KeepAnchor);
        InsertMemoText(cursor, edit->With);
        if (last.isNull())
            last = cursor;
    }
    SplitLongBlocks(document, cursor.position(), last.position());
    cursor.endEditBlock();
    editor->RefreshEditorState();
    return true;
}
