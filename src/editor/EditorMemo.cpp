#include "editor/EditorMemo.h"

#include "editor/MemoText.h"

#include <QKeyEvent>
#include <QScopedValueRollback>
#include <QMimeData>
#include <QTextBlock>
#include <algorithm>
#include <iterator>

namespace {
constexpr Qt::KeyboardModifiers HeldKeys = Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier;
// Tab stops fall every 75 quarter-characters of the dialog font, about 19 pixels on any screen.
constexpr qreal TabStopPixels = 75.0 / 4;

/// A key that moves over or deletes characters, the way it goes, and whether it selects.
struct CharacterKey {
    QKeySequence::StandardKey Key;
    bool Forward;
    QTextCursor::MoveMode Mode;
};
constexpr CharacterKey CharacterKeys[] = {
    { QKeySequence::MoveToNextChar, true, QTextCursor::MoveAnchor },
    { QKeySequence::MoveToPreviousChar, false, QTextCursor::MoveAnchor },
    { QKeySequence::MoveToNextWord, true, QTextCursor::MoveAnchor },
    { QKeySequence::MoveToPreviousWord, false, QTextCursor::MoveAnchor },
    { QKeySequence::SelectNextChar, true, QTextCursor::KeepAnchor },
    { QKeySequence::SelectPreviousChar, false, QTextCursor::KeepAnchor },
    { QKeySequence::SelectNextWord, true, QTextCursor::KeepAnchor },
    { QKeySequence::SelectPreviousWord, false, QTextCursor::KeepAnchor },
    { QKeySequence::Delete, true, QTextCursor::MoveAnchor },
    { QKeySequence::DeleteEndOfWord, true, QTextCursor::MoveAnchor },
    { QKeySequence::DeleteStartOfWord, false, QTextCursor::MoveAnchor },
};
} // namespace

std::optional<QChar> TypographicCharacter(int key, Qt::KeyboardModifiers modifiers)
{
    if ((modifiers & HeldKeys) != Qt::ControlModifier)
        return std::nullopt;
    switch (key) {
    case Qt::Key_5: return QChar(0x00B0);        // degree sign
    case Qt::Key_8: return QChar(0x2022);        // bullet
    case Qt::Key_Equal: return QChar(0x2014);    // em dash
    case Qt::Key_Minus: return QChar(0x2013);    // en dash
    case Qt::Key_Period: return QChar(0x00B7);   // middle dot
    case Qt::Key_QuoteLeft: return QChar(0x00A9); // copyright sign
    default: return std::nullopt;
    }
}

EditorMemo::EditorMemo(QWidget* parent)
    : QPlainTextEdit(parent)
{
    setObjectName("memEditor");
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    setTabChangesFocus(false);
    setTabStopDistance(TabStopPixels);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    // The text keeps 12 pixels from the sides and 6 from the top and bottom of its frame.
    setViewportMargins(12, 6, 12, 6);
}

QString EditorMemo::Text() const
{
    return MemoText(*document());
}

QString EditorMemo::SelectedText() const
{
    return SelectedMemoText(textCursor());
}

void EditorMemo::SetText(const QString& text)
{
    SetMemoText(*document(), text);
    setTextCursor(QTextCursor(document()));
}

void EditorMemo::InsertText(const QString& text)
{
    if (isReadOnly())
        return;
    QTextCursor cursor = textCursor();
    cursor.beginEditBlock();
    const int start = cursor.selectionStart();
    InsertMemoText(cursor, text);
    SplitLongBlocks(*document(), start, cursor.position());
    cursor.endEditBlock();
    setTextCursor(cursor);
    ensureCursorVisible();
}

void EditorMemo::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_F3) {
        emit RepeatFindRequested();
        return;
    }
    if (event->matches(QKeySequence::Undo) || event->matches(QKeySequence::Redo)) {
        QScopedValueRollback undoing(FUndoingOrRedoing, true);
        QPlainTextEdit::keyPressEvent(event);
        return;
    }
    if (isReadOnly()) {
        QPlainTextEdit::keyPressEvent(event);
        return;
    }
    if (const auto character = TypographicCharacter(event->key(), event->modifiers())) {
        InsertText(QString(*character));
        return;
    }
    // A memo knows one kind of line end, also when Shift is held.
    if (event->matches(QKeySequence::InsertParagraphSeparator)
        || event->matches(QKeySequence::InsertLineSeparator)) {
        InsertText(QStringLiteral("\n"));
        return;
    }
    StepOverSoftBreaksFor(event);
    QPlainTextEdit::keyPressEvent(event);
    KeepBlockShort();
}

void EditorMemo::Undo()
{
    QScopedValueRollback undoing(FUndoingOrRedoing, true);
    undo();
}

void EditorMemo::inputMethodEvent(QInputMethodEvent* event)
{
    QPlainTextEdit::inputMethodEvent(event);
    KeepBlockShort();
}

void EditorMemo::StepOverSoftBreaksFor(const QKeyEvent* event)
{
    const bool backspace
        = event->key() == Qt::Key_Backspace && !(event->modifiers() & ~Qt::ShiftModifier);
    const CharacterKey* key = std::find_if(std::begin(CharacterKeys), std::end(CharacterKeys),
        [event](const CharacterKey& k) { return event->matches(k.Key); });
    if (!backspace && key == std::end(CharacterKeys))
        return;
    const bool forward = !backspace && key->Forward;
    const QTextCursor::MoveMode mode = backspace ? QTextCursor::MoveAnchor : key->Mode;
    QTextCursor cursor = textCursor();
    // A selection is what a plain move or delete acts on; only a selecting key goes beyond it.
    if (mode == QTextCursor::MoveAnchor && cursor.hasSelection())
        return;
    const int before = cursor.position();
    StepOverSoftBreaks(cursor, forward, mode);
    if (cursor.position() != before)
        setTextCursor(cursor);
}

void EditorMemo::KeepBlockShort()
{
    // Only after a new edit: right after Undo the cut would join an older edit and lose Redo.
    if (document()->availableRedoSteps() > 0)
        return;
    const int caret = textCursor().position();
    SplitLongBlocks(*document(), caret, caret);
}

QMimeData* EditorMemo::createMimeDataFromSelection() const
{
    auto* data = new QMimeData;
    data->setText(SelectedText());
    return data;
}

void EditorMemo::insertFromMimeData(const QMimeData* source)
{
    if (!isReadOnly() && source->hasText())
        InsertText(source->text());
}
