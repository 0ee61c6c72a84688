#pragma once

#include "settings/AppSettings.h"
#include "app/BackupCommands.h"
#include "app/CardCommands.h"
#include "app/CardStory.h"
#include "app/CompileCommands.h"
#include "app/EditorCommands.h"
#include "app/EditorWindows.h"
#include "app/MainMenus.h"
#include "app/OptionsApplier.h"
#include "app/OutsideChanges.h"
#include "app/ProjectCommands.h"
#include "app/ProjectSession.h"
#include "app/RecoveryCommands.h"
#include "app/SettingsKeeper.h"
#include "app/StartupSplash.h"
#include "app/UndoGate.h"
#include "app/WritingSession.h"
#include "backup/RollingBackups.h"
#include "project/ProjectModel.h"
#include "project/ProjectState.h"
#include "project/ProjectStore.h"
#include "canvas/CanvasState.h"
#include "canvas/Theme.h"
#include "canvas/ThemeApplier.h"
#include "editor/Editor.h"
#include "messages/LanguageFile.h"
#include "settings/MRUFiles.h"

#include <QMainWindow>
#include <QUndoStack>

#include <functional>

class CanvasFollower;
class FindInProjectCommands;
class OutlineCommands;
class Dialogs;
class TfmAbout;
class MessageTable;
class Shell;
class CanvasScene;
class CanvasView;
class TNodex;

/// The main window: owns the canvas with every card, the open project's state, the theme and
/// the settings, and hands them to the parts that work on them.
class TfmMain : public QMainWindow, public ProjectWindow {
    Q_OBJECT
public:
    /// Runs the window's creation steps: canvas size, start-up theme, empty unnamed workspace.
    TfmMain(const ProgramFolders& folders, Dialogs& dialogs, Shell& shell, MessageTable& messages,
            int splashDraw = -1);
    ~TfmMain() override;

    /// The open project: where it lives and whether it has unsaved changes.
    ProjectState& Project() { return FProject; }
    const ProjectState& Project() const { return FProject; }
    /// The selection, the current card and the mouse state of the canvas.
    CanvasState& Selection() { return FSelection; }
    Theme& CurrentTheme() { return FTheme; }
    ThemeApplier& Themes() { return FThemes; }
    AppSettings& Settings() { return FSettings; }
    CanvasScene& Canvas() { return *FCanvas; }
    /// The project's cards and links, which the canvas follows.
    ProjectModel& Model() { return FModel; }
    CanvasFollower& Follower() { return *FFollower; }
    /// The project's files as other programs change them.
    OutsideChanges& Outside() { return FOutsideChanges; }
    /// Every change of the project, to undo and redo; clean when the project is saved.
    QUndoStack& Steps() { return FSteps; }
    /// Whether the project has changes that are not saved.
    bool ProjectModified() const override { return !FSteps.isClean(); }
    /// The open editor windows by card.
    EditorWindows& CardEditors() { return FEditors; }
    CanvasView& View() { return *FView; }
    MainMenus& Menus() { return FMenus; }
    Dialogs& Dialog() { return FDialogs; }
    const MessageTable& Messages() const { return FMessages; }
    ProjectStore& Store() { return FStore; }
    CardCommands& Cards() { return FCardCommands; }
    ProjectCommands& Commands() { return FProjectCommands; }
    CompileCommands& Compiles() { return FCompileCommands; }
    /// The projects opened most recently, listed after File > Open.
    TMRUFiles& RecentFiles() { return FRecentFiles; }
    BackupCommands& Backups() { return FBackupCommands; }
    /// The outline beside the canvas (View > Outline).
    OutlineCommands& Outline() { return *FOutline; }
    /// The Find in Project window's commands (Edit > Find in Project).
    FindInProjectCommands& FindInProject() { return *FFindInProject; }
    /// The automatic backups made on leaving a project and every hour.
    RollingBackups& AutomaticBackups() { return FRollingBackups; }
    /// The open project's writing history and goals, as the editors feed them.
    WritingSession& Writing() { return *FWriting; }

    /// The dialogs and windows made after the main window.
    void SetPropertiesDialog(TfmProperties& dialog) { FCardCommands.SetPropertiesDialog(dialog); }
    void SetTranslatedWindows(TranslatedWindows windows) { FOptions.SetTranslatedWindows(std::move(windows)); }
    void SetOptionsDialog(TfmOptions& dialog) { FOptions.SetOptionsDialog(dialog); }
    void SetAboutBox(TfmAbout& about) { fmAbout = &about; }
    void SetCompileWindows(TfmCompile& compile, TfmFindAndCompile& findAndCompile)
    {
        FCompileCommands.SetCompileWindows(compile, findAndCompile);
    }
    /// What every editor window shares; the templates are made after the main window.
    EditorContext& Editors() { return FEditorContext; }

    /// Opens a project and places the window as the project keeps it, then offers the texts its
    /// editors kept unsaved when the program was stopped. False, after a message, when it could
    /// not be opened; a failure while loading leaves the empty unnamed workspace.
    bool OpenProject(const QString& path) override;
    /// Writes the project; unsaved changes stay marked when anything could not be written.
    void SaveProject() override;
    /// Backs the project up and returns to the empty unnamed workspace.
    void CloseProject() override;
    bool AnyEditorModified() const override { return FEditorCommands.AnyEditorModified(); }
    bool SaveModifiedEditors() override { return FEditorCommands.SaveModifiedEditors(); }
    void DiscardEditorChanges() override { FEditorCommands.DiscardUnsavedTexts(); }
    void CreateCardFromFile(const QString& path, QPoint canvasPoint) override;

    /// Rebuilds the caption and the enabled, visible and checked states of the menus.
    void UpdateCaption();
    /// Sizes the canvas from the workspace size setting and scrolls back to its origin.
    void ApplyWorkspaceSize();
    /// Destroys every card; no card is current afterwards.
    void ClearCanvas();
    bool SplashVisible() const { return FSplash.Visible(); }
    QPixmap SplashPicture() const { return FSplash.Picture(); }
    /// Opens the card's editor, or brings up the one that is open; acts only when exactly one
    /// card is selected.
    void OpenCardEditor(TNodex* card);
    /// Edit > Undo and Redo: a step that cannot be undone or redone safely says why, and the
    /// stack stays where it was.
    void Undo();
    void Redo();

signals:
    /// The editor of this card is to be opened or brought up.
    void CardEditorRequested(TNodex* card);
    /// The window closed for good: the program is ending.
    void Closed();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void ConnectCommands();
    void ConnectCanvas();
    /// The View menu's zoom commands, and the zoom kept with the project.
    void ConnectZoom();
    /// The View menu's items that choose what cards show under their names.
    void ConnectStory();
    /// Runs when a menu opens: the start-up picture goes, and the menus are brought up to date.
    void menuClicked();

    void mnuExitClick();
    /// New and Open act only while the main window itself has the keyboard.
    bool HasKeyboard() const;
    /// The canvas point under the pointer now.
    QPoint PointerOnCanvas() const;
    /// Runs a command and brings the caption and menus up to date.
    void RunCardCommand(const std::function<void()>& command);
    /// The words of every card's text, read from the files: for a project whose writing
    /// history does not know them yet.
    qint64 ProjectWords() const;

    Dialogs& FDialogs;
    Shell& FShell;
    MessageTable& FMessages;
    EditorContext FEditorContext;
    ProjectState FProject;
    CanvasState FSelection;
    AppSettings FSettings;
    Theme FTheme;
    MainMenus FMenus;
    ProjectModel FModel;
    QUndoStack FSteps;
    EditorWindows FEditors;
    CanvasScene* FCanvas;
    CanvasView* FView;
    ThemeApplier FThemes;
    CanvasFollower* FFollower;
    ProjectStore FStore;
    CardCommands FCardCommands;
    ProjectCommands FProjectCommands;
    TMRUFiles FRecentFiles;
    BackupCommands FBackupCommands;
    OutsideChanges FOutsideChanges;
    RollingBackups FRollingBackups;
    SettingsKeeper FSettingsKeeper;
    EditorCommands FEditorCommands;
    CompileCommands FCompileCommands;
    UndoGate FUndoGate;
    StartupSplash FSplash;
    OptionsApplier FOptions;
    ProjectSession FSession;
    RecoveryCommands FRecovery;
    CardStory FStory;
    TfmAbout* fmAbout = nullptr;
    OutlineCommands* FOutline = nullptr;
    FindInProjectCommands* FFindInProject = nullptr;
    WritingSession* FWriting = nullptr;
};
