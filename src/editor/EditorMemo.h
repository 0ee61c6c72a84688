#pragma once

#include <QPlainTextEdit>

#include <optional>

/// The typographic character a key gives with Ctrl alone (Ctrl+5 a degree sign, Ctrl+8 a
/// bullet, Ctrl+= an em dash, Ctrl+- an en dash, Ctrl+. a middle dot, Ctrl+` a copyright
/// sign); none for any other key or other modifiers.
std::optional<QChar> TypographicCharacter(int key, Qt::KeyboardModifiers modifiers);

/// An editor's memo: plain text with margins inside its frame and a tab stop every 75 dialog
/// units' worth of pixels, which types the typographic characters as ordinary, undoable edits
/// and passes F3 on as Repeat Find.
class TEditorMemo : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit TEditorMemo(QWidget* parent = nullptr);

signals:
    void RepeatFindRequested();

protected:
    void keyPressEvent(QKeyEvent* event) override;
};
