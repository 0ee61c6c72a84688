#include "editor/EditorMemo.h"

#include <QKeyEvent>

namespace {
constexpr Qt::KeyboardModifiers HeldKeys = Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier;
// Tab stops fall every 75 quarter-characters of the dialog font, about 19 pixels on any screen.
constexpr qreal TabStopPixels = 75.0 / 4;
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

TEditorMemo::TEditorMemo(QWidget* parent)
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

void TEditorMemo::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_F3) {
        emit RepeatFindRequested();
        return;
    }
    if (const auto character = TypographicCharacter(event->key(), event->modifiers())) {
        textCursor().insertText(QString(*character));
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}
