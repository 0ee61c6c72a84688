#pragma once

#include "editor/EditorSettings.h"
#include "project/ProjectModel.h"

#include <QString>
#include <functional>
#include <memory>

struct AppSettings;
struct CanvasState;
struct EditorContext;
struct ProjectState;
struct Theme;
class CanvasFollower;
class CanvasScene;
class Dialogs;
class EditorWindows;
class MessageTable;
class ProjectStore;
class QWidget;
class TfmEditor;
class TNodex;

/// The commands that reach a card's text through its editor: opening the editor, the card's
/// history, printing, word counts, and a dropped file's text; the open editors follow the
/// options through here.
class EditorCommands {
public:
    EditorCommands(QWidget& window, EditorContext& context, ProjectState& project,
        CanvasState& selection, const AppSettings& settings, const Theme& theme,
        CanvasScene& canvas, CanvasFollower& follower, ProjectStore& store, EditorWindows& editors,
        Dialogs& dialogs, const MessageTable& messages);

    /// What an editor takes from the settings and the project when it is opened.
    EditorSettings CurrentEditorSettings() const;
    /// Opens the card's editor, or brings up the one that is open; false, doing nothing, unless
    /// exactly one card is selected.
    bool OpenCardEditor(TNodex* card);
    /// Opens the card's editor, or brings up the one that is open, whatever is selected.
    TfmEditor* OpenEditorOf(TNodex& card);
    /// The card's text in a hidden editor, as the commands that print or import use it.
    std::unique_ptr<TfmEditor> MakeHiddenEditor(const TNodex& card);
    /// Gives the open editors what the options say, captions included.
    void ApplyOptionsToEditors();
    bool AnyEditorModified() const;
    /// Saves and closes every editor with unsaved text; false when a text could not be saved.
    bool SaveModifiedEditors();
    /// The writer chose not to save the editors' texts: what is kept of them for recovery goes.
    void DiscardUnsavedTexts();
    /// Takes a text file into a new card's text, through an editor that is never shown.
    void ImportCardText(const TNodex& card, const QString& path);

    /// The History window of the card under the pop-up menu.
    void pmnuHistoryClick();
    void pmnuWordCountClick();
    void mnuWordCountClick();
    void pmnuPrintClick();

    /// An editor was closed: the caption and menus are brought up to date.
    std::function<void()> EditorClosed;
    /// A card's editor wrote its text.
    std::function<void(CardId)> TextSaved;
    /// A card's editor opened and read its text.
    std::function<void(TfmEditor&)> EditorOpened;

private:
    QWidget& FWindow;
    EditorContext& FEditorContext;
    ProjectState& FProject;
    CanvasState& FSelection;
    const AppSettings& FSettings;
    const Theme& FTheme;
    CanvasScene* FCanvas;
    CanvasFollower& FFollower;
    ProjectStore& FStore;
    EditorWindows& FEditors;
    Dialogs& FDialogs;
    const MessageTable& FMessages;
};
