#pragma once

#include <QPoint>
#include <QString>
#include <QStringList>

#include <functional>

struct ProjectState;
class Dialogs;
class MessageTable;

/// What the project commands need of the window that shows the project.
class ProjectWindow {
public:
    virtual ~ProjectWindow() = default;
    virtual bool OpenProject(const QString& path) = 0;
    virtual void SaveProject() = 0;
    virtual void CloseProject() = 0;
    /// Whether the project has changes that are not saved.
    virtual bool ProjectModified() const = 0;
    /// Whether any card's editor holds unsaved text.
    virtual bool AnyEditorModified() const = 0;
    /// Saves and closes every editor with unsaved text; false when a text could not be saved
    /// (its editor stays open, and the command that asked must not destroy the cards).
    virtual bool SaveModifiedEditors() = 0;
    /// The writer chose not to save the editors' texts: what is kept of them for recovery goes.
    virtual void DiscardEditorChanges() = 0;
    /// Makes a card at a canvas point from a dropped text file.
    virtual void CreateCardFromFile(const QString& path, QPoint canvasPoint) = 0;
};

/// The commands by which the writer makes, opens, saves and leaves projects: New, Open, Save
/// As, a recent project, and files dropped from the file manager, each with the questions that
/// keep unsaved work from being lost.
class ProjectCommands {
public:
    ProjectCommands(ProjectState& project, ProjectWindow& window, Dialogs& dialogs,
                    const MessageTable& messages);

    /// What the save questions do once an unnamed project was given its name and saved.
    enum class AfterSaveAs {
        GoOn, ///< the command goes on with the project saved
        Stop, ///< the window stays, to be closed again (closing the window)
    };
    /// The save questions before a command drops the open project: first the editors', then the
    /// project's. False when the writer cancelled, or when what was to be saved could not be.
    bool SavePrompts(AfterSaveAs afterSaveAs = AfterSaveAs::GoOn);
    void New();
    void Open();
    /// Gives a project its folder and name, and saves it there: an unnamed one, or one whose
    /// folder went away while it was open. A folder that holds another project gets a new
    /// folder inside it for this one. False when no save was made (the dialog was cancelled,
    /// or the name refused).
    bool SaveAs();
    void OpenRecentProject(const QString& path);
    /// Files dropped on the main window, at a canvas point.
    void DropFiles(const QStringList& paths, QPoint canvasPoint);

    /// Takes a path out of the recent-files list.
    std::function<void(const QString& path)> ForgetRecent;
    /// Shows a short note in the status line.
    std::function<void(const QString& text)> ShowStatus;

private:
    /// Where the file dialogs start: the project's folder, or the writer's documents.
    QString DialogFolder() const;

    ProjectState& FProject;
    ProjectWindow& FWindow;
    Dialogs& FDialogs;
    const MessageTable& FMessages;
};
