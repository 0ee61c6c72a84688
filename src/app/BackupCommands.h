#pragma once

#include <QDateTime>
#include <functional>

struct CanvasState;
struct ProjectState;
class Dialogs;
class MessageTable;
class ProjectModel;
class ProjectStore;

/// The File menu's commands that copy project data on disk: Backup Project makes a dated copy of
/// the whole project in the program's "Backups/" folder, Copy To Project copies the selected
/// cards with their texts into another project. Both take the files as they are on disk and
/// change nothing of the open project.
class BackupCommands {
public:
    BackupCommands(const ProjectState& project, const CanvasState& selection, const ProjectModel& model,
        const ProjectStore& store, Dialogs& dialogs, const MessageTable& messages);

    void mnuBackupProjectClick();
    void mnuCopyToProjectClick();

    /// The local time a backup is named after.
    std::function<QDateTime()> Now = [] { return QDateTime::currentDateTime(); };

private:
    const ProjectState& FProject;
    const CanvasState& FSelection;
    const ProjectModel& FModel;
    const ProjectStore& FStore;
    Dialogs& FDialogs;
    const MessageTable& FMessages;
};
