#pragma once

#include <QString>
#include <functional>

class Dialogs;
class EditorWindows;
class MessageTable;
class QUndoStack;
struct MainMenus;

/// The gate every undo and redo passes: a step runs only when it is safe now, with the open
/// editors' texts saved before it and loaded again where it changed their files.
class UndoGate {
public:
    UndoGate(QUndoStack& steps, EditorWindows& editors, MainMenus& menus, Dialogs& dialogs,
        const MessageTable& messages);

    /// Edit > Undo and Redo: a step that cannot be undone or redone safely says why, and the
    /// stack stays where it was.
    void Undo();
    void Redo();
    /// The Edit menu's captions and states as the undo stack has them.
    void UpdateEditMenu();
    /// The language changed: the steps already on the stack, named in the language `before`,
    /// take their names in the language `now` ("Undo New Card" becomes "Rückgängig: Neuer
    /// Nodex", not "Rückgängig: New Card").
    static void RetranslateSteps(QUndoStack& steps, const MessageTable& before, const MessageTable& now);

private:
    /// Undoes (redoes) a step when it is safe now and its files could be moved; when not, the
    /// writer is told why and nothing changed.
    void RunStep(bool undo);
    /// Runs an undo or redo; the open editors whose text file it changed load it again.
    void RunStepKeepingEditorsCurrent(const std::function<void()>& run);
    /// Saves every open editor's unsaved text; false with the reason when one cannot be saved.
    bool SaveEditorTexts(QString& reason);

    QUndoStack& FSteps;
    EditorWindows& FEditors;
    MainMenus& FMenus;
    Dialogs& FDialogs;
    const MessageTable& FMessages;
};
