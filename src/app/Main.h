#pragma once

#include "settings/AppSettings.h"
#include "app/BackupCommands.h"
#include "app/CardCommands.h"
#include "app/EditorWindows.h"
#include "app/MainMenus.h"
#include "app/OutsideChanges.h"
#include "app/ProjectCommands.h"
#include "steps/ProjectOptionsStep.h"
#include "backup/RollingBackups.h"
#include "project/ProjectModel.h"
#include "project/ProjectState.h"
#include "project/ProjectStore.h"
#include "platform/WindowPlacement.h"
#include "canvas/CanvasState.h"
#include "canvas/Theme.h"
#include "canvas/ThemeApplier.h"
#include "editor/Editor.h"
#include "messages/LanguageFile.h"
#include "settings/MRUFiles.h"

#include <QMainWindow>
#include <QUndoStack>

#include <functional>
#include <memory>

class CanvasFollower;
class Dialogs;
class TfmAbout;
class TfmCompile;
class TfmFindAndCompile;
class TfmOptions;
struct OptionValues;
class MessageTable;
class QGraphicsPixmapItem;
class Shell;
class CanvasScene;
class CanvasView;
class TNodex;

/// The main window: owns the canvas with every card, the open project's state, the theme and
/// the settings, and hands them to the code that works on them.
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
    /// The projects opened most recently, listed after File > Open.
    TMRUFiles& RecentFiles() { return FRecentFiles; }
    BackupCommands& Backups() { return FBackupCommands; }
    /// The automatic backups made on leaving a project and every hour.
    RollingBackups& AutomaticBackups() { return FRollingBackups; }

    /// The properties dialog, made after the main window.
    void SetPropertiesDialog(TfmProperties& dialog) { FCardCommands.SetPropertiesDialog(dialog); }
    /// The windows a language file translates, made after the main window.
    void SetTranslatedWindows(TranslatedWindows windows) { FTranslatedWindows = std::move(windows); }
    /// Translates every window and message from the language file the settings name; without
    /// that file everything stays as it is.
    void ApplyLanguage();

    /// The options dialog, made after the main window.
    void SetOptionsDialog(TfmOptions& dialog) { fmOptions = &dialog; }
    /// The about box, made after the main window.
    void SetAboutBox(TfmAbout& about) { fmAbout = &about; }
    /// The compile window and the Find & Compile dialog, made after the main window.
    void SetCompileWindows(TfmCompile& compile, TfmFindAndCompile& findAndCompile);
    /// Fills the compile list with the cards whose text holds `text`, then shows the list.
    void FindAndCompile(const QString& text, bool matchCase, bool clearList);
    /// What every editor window shares; the templates are made after the main window.
    EditorContext& Editors() { return FEditorContext; }
    /// What an editor takes from the settings and the project when it is opened.
    EditorSettings CurrentEditorSettings() const;

    /// Opens a project and places the window as the project keeps it. False, after a message,
    /// when it could not be opened; a failure while loading leaves the empty unnamed workspace.
    bool OpenProject(const QString& path) override;
    /// Writes the project; unsaved changes stay marked when anything could not be written.
    void SaveProject() override;
    /// Backs the project up and returns to the empty unnamed workspace.
    void CloseProject() override;
    bool AnyEditorModified() const override;
    bool SaveModifiedEditors() override;
    void CreateCardFromFile(const QString& path, QPoint canvasPoint) override;

    /// Reads "Nodex.ini" into the settings and places the window as it keeps it.
    void LoadSettings();
    /// Writes every setting to "Nodex.ini"; the window's bounds only for the unnamed workspace.
    void SaveSettings();

    /// Rebuilds the caption and the enabled, visible and checked states of the menus.
    void UpdateCaption();
    /// Sizes the canvas from the workspace size setting and scrolls back to its origin.
    void ApplyWorkspaceSize();
    /// Destroys every card; no card is current afterwards.
    void ClearCanvas();
    /// The state submenu's captions from the theme's state names.
    void ApplyStateCaptions();
    /// Hides the start-up picture for good.
    void HideSplash();
    bool SplashVisible() const;
    QPixmap SplashPicture() const;
    /// Opens the card's editor, or brings up the one that is open; acts only when exactly one
    /// card is selected.
    void OpenCardEditor(TNodex* card);
    /// The card's text in a hidden editor, as the commands that print or import use it.
    std::unique_ptr<TfmEditor> MakeHiddenEditor(const TNodex& card);
    /// Edit > Undo and Redo: a step that cannot be undone or redone safely says why, and the
    /// stack stays where it was.
    void Undo();
    void Redo();

signals:
    /// The editor of this card is to be opened or brought up.
    void CardEditorRequested(TNodex* card);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    /// Returns to the empty unnamed workspace, also from a project that failed to open.
    void DropProject();
    void CreateSplash(int draw);
    void CentreSplash();
    void ConnectCommands();
    void ConnectCanvas();
    /// The View menu's zoom commands, and the zoom kept with the project.
    void ConnectZoom();
    /// Runs when a menu opens: the start-up picture goes, and the menus are brought up to date.
    void menuClicked();

    void UpdateCardMenu(const TNodex& card);
    void Explore(const QString& folder);
    void mnuExitClick();
    /// New and Open act only while the main window itself has the keyboard.
    bool HasKeyboard() const;
    /// The canvas point under the pointer now.
    QPoint PointerOnCanvas() const;
    /// Runs a card command and brings the caption and menus up to date.
    void RunCardCommand(const std::function<void()>& command);
    void pmnuWordCountClick();
    /// The History window of the card under the pop-up menu.
    void pmnuHistoryClick();
    void mnuWordCountClick();
    void pmnuPrintClick();
    void mnuCompileClick();
    /// Tools > Export Manuscript: the compile list as a manuscript, filled first when empty.
    void mnuExportManuscriptClick();
    void pmnuToCompilationClick();
    void ShowCompileWindow();
    /// Tools > Options: the settings and the project's options through the options dialog.
    void mnuOptionsClick();
    OptionValues CurrentOptions() const;
    /// Takes the options of a dialog closed with OK into the program, and writes the settings.
    void ApplyOptions(const OptionValues& options);
    /// Gives the open editors what the options say, captions included.
    void ApplyOptionsToEditors();
    /// The project's options as they are now, and applied from a step.
    ProjectOptions CurrentProjectOptions() const;
    void ApplyProjectOptions(const ProjectOptions& options);
    /// The cards of the chain from `first` on, as the canvas shows them.
    QList<TNodex*> ChainItems(const TNodex* first) const;
    /// Whether a step may be undone (or redone) now; when not, the writer is told why.
    bool StepIsSafe(const QUndoCommand* command, bool undo);
    /// Runs an undo or redo; the open editors whose text file it changed load it again.
    void RunStepKeepingEditorsCurrent(const std::function<void()>& run);
    /// Saves every open editor's unsaved text; false with the reason when one cannot be saved.
    bool SaveEditorTexts(QString& reason);
    /// The Edit menu's captions and states as the undo stack has them.
    void UpdateEditMenu();
    /// Shows what a step of the store could not do.
    void ShowFailures(const QList<StoreMessage>& failures);
    /// Where the window stands now, as a project file keeps it.
    WindowPlacement CurrentPlacement() const;
    /// Places the window as stored, fitted to the screen it would stand on.
    void ApplyPlacement(const WindowPlacement& placement);
    /// Whether the theme names a revision state; a card of an unnamed one shows the first.
    bool StateNamed(int state) const;

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
    QGraphicsPixmapItem* imgFlash = nullptr;
    TfmAbout* fmAbout = nullptr;
    TfmCompile* fmCompile = nullptr;
    TfmFindAndCompile* fmFindAndCompile = nullptr;
    TfmOptions* fmOptions = nullptr;
    TranslatedWindows FTranslatedWindows;
    bool FLanguageApplied = false;
};
