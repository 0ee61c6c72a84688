#pragma once

#include "project/ProjectWatcher.h"

#include <QObject>

class EditorWindows;

/// Follows the open project's files as other programs (a sync tool, another copy of Nodex)
/// change them: a changed text reaches its open editor, which reads it again or asks.
class OutsideChanges : public QObject {
    Q_OBJECT
public:
    explicit OutsideChanges(EditorWindows& editors, QObject* parent = nullptr);

    /// Follows the project in this folder (with its trailing "/"); an empty one follows none.
    /// The same folder again keeps the watch as it is.
    void Follow(const QString& projectFolder);
    /// Looks at the project's files now, for file systems that report no change.
    void Recheck() { FWatcher.Recheck(); }

private:
    void Apply(const QStringList& paths);

    EditorWindows& FEditors;
    QString FFolder;
    ProjectWatcher FWatcher;
};
