#pragma once

#include <QList>
#include <QString>

/// A copy that a sync tool made of a project file when two machines changed it at once:
/// Syncthing's "Name.sync-conflict-<date>-<time>-<device>.ndx", Dropbox's and Nextcloud's
/// "Name (… conflicted copy <date> …).txt". Such a copy is no card of its own: it is listed so
/// that the writer can compare it with the file it was copied from.
struct SyncConflictCopy {
    QString Path;         ///< the copy
    QString OriginalPath; ///< the file it is a copy of, in the same folder
};

/// The name of the file a conflict copy was made of, or an empty string when `fileName` is no
/// conflict copy.
QString SyncConflictOriginal(const QString& fileName);

inline bool IsSyncConflictName(const QString& fileName) { return !SyncConflictOriginal(fileName).isEmpty(); }

/// The conflict copies of card files and card texts in a project folder (with its trailing
/// "/"), in name order.
QList<SyncConflictCopy> ListSyncConflicts(const QString& projectFolder);
