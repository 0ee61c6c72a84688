#pragma once

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

/// A key pressed and released as a real keyboard sends it, with the text it carries: Enter
/// carries "\r", Esc "\x1b", Tab "\t", Ctrl+V "\x16".
inline void PressKey(
    QWidget* widget, Qt::Key key, Qt::KeyboardModifiers modifiers, const QString& text)
{
    QKeyEvent press(QEvent::KeyPress, key, modifiers, text);
    QKeyEvent release(QEvent::KeyRelease, key, modifiers, text);
    QApplication::sendEvent(widget, &press);
    QApplication::sendEvent(widget, &release);
}
