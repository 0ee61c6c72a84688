#pragma once

#include "project/ProjectStore.h"
#include "project/ProjectView.h"

#include <QList>
#include <QString>
#include <functional>

struct CanvasState;
struct ProjectState;
struct Theme;
class CanvasFollower;
class CanvasScene;
class CanvasView;
class CompileCommands;
class Dialogs;
class MessageTable;
class OutsideChanges;
class ProjectModel;
class QUndoStack;
class RollingBackups;
class SettingsKeeper;
class ThemeApplier;
class TMRUFiles;

/// The project the main window shows, from opening to leaving it: the store reads and writes
/// it, and the canvas, the undo stack, the compile list, the recent files, the watch and the
/// automatic backups follow.
class ProjectSession {
public:
    ProjectSession(ProjectState& project, CanvasState& selection, Theme& theme,
        ThemeApplier& themes, ProjectModel& model, CanvasScene& canvas, CanvasView& view,
        CanvasFollower& follower, ProjectStore& store, QUndoStack& steps, TMRUFiles& recentFiles,
        OutsideChanges& outside, RollingBackups& backups, CompileCommands& compiles,
        SettingsKeeper& settingsFile, Dialogs& dialogs, const MessageTable& messages);

    /// Opens a project and places the window as the project keeps it. False, after a message,
    /// when it could not be opened; a failure while loading leaves the empty unnamed workspace.
    bool OpenProject(const QString& path);
    /// Writes the project; unsaved changes stay marked when anything could not be written.
    void SaveProject();
    /// Backs the project up and returns to the empty unnamed workspace.
    void CloseProject();
    /// Destroys every card; no card is current afterwards.
    void ClearCanvas();

    /// The canvas is to be sized again from the workspace size.
    std::function<void()> WorkspaceResized;
    /// The caption and the menus are to be brought up to date.
    std::function<void()> CaptionChanged;
    /// Save As, offered when the project's folder went away while it was open.
    std::function<void()> SaveAsWanted;
    /// The cards are to show their descriptions and word counts as the project was last seen.
    std::function<void(bool descriptions, bool wordCounts)> StoryShown;
    /// Whether the outline is shown, and showing or hiding it: kept with the view.
    std::function<bool()> OutlineShown;
    std::function<void(bool)> ShowOutline;

    /// Says that the project's folder was renamed, moved or removed, and offers Save As.
    void TellFolderGone();
    /// Keeps how the project is looked at (zoom, scroll) for the next time it opens, without
    /// asking and without writing the project.
    void KeepView();

private:
    /// Returns to the empty unnamed workspace, also from a project that failed to open.
    void DropProject();
    /// Shows what a step of the store could not do.
    void ShowFailures(const QList<StoreMessage>& failures);
    /// Shows the project as it was last looked at; the project file's zoom when the project
    /// was saved since (here or elsewhere), as that is the newer.
    void RestoreView();
    /// Warns that the project's folder holds other projects, which share its cards; once for
    /// each set of them.
    void WarnSharedFolder();
    /// Writes the view file with the zoom and scroll shown now; a failure is only logged.
    void WriteView(const ProjectView& view, ProjectViewData data);

    ProjectState& FProject;
    CanvasState& FSelection;
    Theme& FTheme;
    ThemeApplier& FThemes;
    ProjectModel& FModel;
    CanvasScene* FCanvas;
    CanvasView* FView;
    CanvasFollower* FFollower;
    ProjectStore& FStore;
    QUndoStack& FSteps;
    TMRUFiles& FRecentFiles;
    OutsideChanges& FOutsideChanges;
    RollingBackups& FRollingBackups;
    CompileCommands& FCompileCommands;
    SettingsKeeper& FSettingsKeeper;
    Dialogs& FDialogs;
    const MessageTable& FMessages;
};
