#include "app/OutsideChanges.h"

#include "app/EditorWindows.h"
#include "editor/Editor.h"
#include "project/ProjectStore.h"

#include <QFileInfo>
#include <QSet>
#include <QUndoStack>

OutsideChanges::OutsideChanges(ProjectStore& store, EditorWindows& editors, QUndoStack& steps,
                               std::function<bool(int state)> stateNamed, QObject* parent)
    : QObject(parent)
    , FStore(store)
    , FEditors(editors)
    , FSteps(steps)
    , FStateNamed(std::move(stateNamed))
{
    connect(&FWatcher, &ProjectWatcher::FilesChanged, this, &OutsideChanges::Apply);
    connect(&FWatcher, &ProjectWatcher::FolderGone, this, &OutsideChanges::ProjectFolderGone);
}

void OutsideChanges::Follow(const QString& projectFolder)
{
    if (projectFolder == FFolder)
        return;
    FFolder = projectFolder;
    FWatcher.Watch(projectFolder);
    if (!FFolder.isEmpty())
        emit ConflictCopiesFound(ListSyncConflicts(FFolder));
}

void OutsideChanges::Apply(const QStringList& paths)
{
    TakeCardFiles(paths);
    // A copy that went away again is no longer there to compare.
    QList<SyncConflictCopy> copies = SyncConflictsAmong(FFolder, paths);
    copies.removeIf([](const SyncConflictCopy& copy) { return !QFileInfo::exists(copy.Path); });
    if (!copies.isEmpty())
        emit ConflictCopiesFound(copies);
    const QSet<QString> changed(paths.cbegin(), paths.cend());
    for (TfmEditor* editor : FEditors.Open())
        if (changed.contains(editor->TextFilePath()))
            editor->CheckTextOnDisk();
}

void OutsideChanges::TakeCardFiles(const QStringList& paths)
{
    QStringList fileNames;
    for (const QString& path : paths)
        if (path.startsWith(FFolder) && !QStringView(path).mid(FFolder.size()).contains(u'/'))
            fileNames << path.mid(FFolder.size());
    ProjectStore::OutsideSteps steps;
    steps.StateNamed = FStateNamed;
    steps.HoldsUnsavedText = [this](CardId card) {
        const TfmEditor* editor = FEditors.Of(card);
        return editor && editor->IsModified();
    };
    if (FStore.TakeOutsideCardFiles(fileNames, steps).Followed.isEmpty())
        return;
    // The steps were taken on the cards as they were: undoing one now would put back, unasked,
    // what the other program changed. What is unsaved here stays marked so.
    const bool saved = FSteps.isClean();
    FSteps.clear();
    if (!saved)
        FSteps.resetClean();
    emit CardsTaken();
}
