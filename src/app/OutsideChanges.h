#pragma once

#include "project/ProjectWatcher.h"
#include "project/SyncConflict.h"

#include <QObject>
#include <functional>

class EditorWindows;
class ProjectStore;
class QUndoStack;

/// Follows the open project's files as other programs (a sync tool, another copy of Nodex)
/// change them: changed, new and removed card files are taken into the model, which the canvas
/// follows, and a changed text reaches its open editor, which reads it again or asks.
class OutsideChanges : public QObject {
    Q_OBJECT
public:
    /// `stateNamed` tells whether the theme names a revision state.
    OutsideChanges(ProjectStore& store, EditorWindows& editors, QUndoStack& steps,
                   std::function<bool(int state)> stateNamed, QObject* parent = nullptr);

    /// Follows the project in this folder (with its trailing "/"); an empty one follows none.
    /// The same folder again keeps the watch as it is.
    void Follow(const QString& projectFolder);
    /// Looks at the project's files now, for file systems that report no change.
    void Recheck() { FWatcher.Recheck(); }

signals:
    /// Cards were made, changed or removed as their files were elsewhere.
    void CardsTaken();
    /// Sync tools' conflict copies: every one in a project as it is followed, then each one
    /// that appears.
    void ConflictCopiesFound(const QList<SyncConflictCopy>& copies);
    /// The project's folder was renamed, moved or removed while it was open.
    void ProjectFolderGone();

private:
    void Apply(const QStringList& paths);
    void TakeCardFiles(const QStringList& paths);

    ProjectStore& FStore;
    EditorWindows& FEditors;
    QUndoStack& FSteps;
    std::function<bool(int state)> FStateNamed;
    QString FFolder;
    ProjectWatcher FWatcher;
};
