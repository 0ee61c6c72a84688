#pragma once

#include <QPlainTextEdit>

#include <optional>

/// The typographic character a key gives with Ctrl alone (Ctrl+5 a degree sign, Ctrl+8 a
/// bullet, Ctrl+= an em dash, Ctrl+- an en dash, Ctrl+. a middle dot, Ctrl+` a copyright
/// sign); none for any other key or other modifiers.
std::optional<QChar> TypographicCharacter(int key, Qt::KeyboardModifiers modifiers);

/// An editor's memo: plain text with margins inside its frame and a tab stop every 75 dialog
/// units' worth of pixels, which types the typographic characters as ordinary, undoable edits
/// and passes F3 on as Repeat Find. Its text goes in and out character for character (see
/// MemoText.h); the lossy QPlainTextEdit accessors are closed.
class EditorMemo : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit EditorMemo(QWidget* parent = nullptr);

    /// The writer's text, exactly: the one way the program reads a memo.
    QString Text() const;
    /// The writer's text of the selection.
    QString SelectedText() const;
    /// Replaces the text without undo history and puts the caret at the start, as loading does.
    void SetText(const QString& text);
    /// Puts text in place of the selection as one edit that Undo takes back; nothing while the
    /// memo is read-only.
    void InsertText(const QString& text);
    /// Undo as the menu items give it; the keys (Undo and Redo) come through keyPressEvent.
    void Undo();
    /// Whether the change the document reports now is an Undo or a Redo rather than the
    /// writer's typing: what the writing history needs to count a paste and its undo once.
    bool UndoingOrRedoing() const { return FUndoingOrRedoing; }

    // Closed: they turn no-break spaces into spaces and soft breaks into line ends.
    QString toPlainText() const = delete;
    void setPlainText(const QString&) = delete;

signals:
    void RepeatFindRequested();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    QMimeData* createMimeDataFromSelection() const override;
    void insertFromMimeData(const QMimeData* source) override;

private:
    /// A key that moves over or deletes one character or word starts beyond the soft breaks
    /// at the caret, so that it acts on the writer's text.
    void StepOverSoftBreaksFor(const QKeyEvent* event);
    /// Cuts the caret's block when typing has made it too long to lay out on every key.
    void KeepBlockShort();

    bool FUndoingOrRedoing = false;
};
