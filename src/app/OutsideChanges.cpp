#include "app/OutsideChanges.h"

#include "app/EditorWindows.h"
#include "editor/Editor.h"

#include <QSet>

OutsideChanges::OutsideChanges(EditorWindows& editors, QObject* parent)
    : QObject(parent)
    , FEditors(editors)
{
    connect(&FWatcher, &ProjectWatcher::FilesChanged, this, &OutsideChanges::Apply);
}

void OutsideChanges::Follow(const QString& projectFolder)
{
    if (projectFolder == FFolder)
        return;
    FFolder = projectFolder;
    FWatcher.Watch(projectFolder);
}

void OutsideChanges::Apply(const QStringList& paths)
{
    const QSet<QString> changed(paths.cbegin(), paths.cend());
    for (TfmEditor* editor : FEditors.Open())
        if (changed.contains(editor->TextFilePath()))
            editor->CheckTextOnDisk();
}
