#include "app/EditorWindows.h"

#include "editor/Editor.h"

QList<TfmEditor*> EditorWindows::Open() const
{
    QList<TfmEditor*> open;
    for (const QPointer<TfmEditor>& editor : FEditors)
        if (editor)
            open << editor.data();
    return open;
}
