#pragma once

#include <QList>
#include <QString>
#include <QStringList>

/// A copy that a sync tool made of a project file when two machines changed it at once:
/// Syncthing's "Name.sync-conflict-<date>-<time>-<device>.ndx", Dropbox's and Nextcloud's
/// "Name (… conflicted copy <date> …).txt", and the plainer names other tools give, "Name (1)",
/// "Name (Case Conflict)" and "Name-MACHINE". Such a copy is no card of its own: it is listed so
/// that the writer can compare it with the file it was copied from.
struct SyncConflictCopy {
    QString Path; ///< the copy
    QString OriginalPath; ///< the file it is a copy of, in the same folder
};

/// The name of the file a conflict copy was made of, or an empty string when `fileName` is no
/// conflict copy. A name the tool marks as a conflict is one by its name alone. The plainer names
/// are names a writer may give a card too ("Chapter (1)", "Act-TWO"): they count only while the
/// original is one of `folderNames`, the other files of its folder, so that a card of such a name
/// with no card of the shorter name beside it stays a card. Roman numerals after a hyphen
/// ("Act-II") are never a machine's name.
QString SyncConflictOriginal(const QString& fileName, const QStringList& folderNames);

/// The conflict copies among files at `paths`, in the project folder `projectFolder` (with its
/// trailing "/") or in its "Text Files/", in the order given. A text is one only while the card
/// of its name is none of the project's cards: the text of a card "Chapter (1)" is that card's.
QList<SyncConflictCopy> SyncConflictsAmong(const QString& projectFolder, const QStringList& paths);

/// The conflict copies of card files and card texts in a project folder (with its trailing
/// "/"), in name order.
QList<SyncConflictCopy> ListSyncConflicts(const QString& projectFolder);
