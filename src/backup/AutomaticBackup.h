#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>

/// What became of one automatic backup.
struct AutomaticBackupOutcome {
    enum class Result {
        Made,      ///< a new zip is in place
        Unchanged, ///< the newest backup already holds the project as it is
        Failed,    ///< nothing new was written; Reason says why
    };
    Result Outcome = Result::Failed;
    QString Path;   ///< the zip written
    QString Reason; ///< why it failed, or what could not be cleared away after it was made
    /// Files left out as links that lead out of the project (see FilesToBackUp).
    QStringList LeftOut;
};

/// The folder of one project's automatic backups under `backupsFolder`: "Automatic/" + the
/// project's base name + " (" + eight hexadecimal digits of its path's hash + ")/", so that two
/// projects of the same name in different folders keep their backups apart.
QString AutomaticBackupFolder(const QString& backupsFolder, const QString& projectFolder,
    const QString& projectFileName);

/// The name of one backup: the project's base name + " (yyyy-MM-dd HH.mm.ss).zip", local time,
/// so that the names sort as the backups were made.
QString AutomaticBackupName(const QString& projectFileName, const QDateTime& when);

/// The automatic backups of a project in its folder, oldest first: only files named as
/// AutomaticBackupName names them, never a temporary file of a write that was cut short.
QStringList AutomaticBackups(const QString& folder, const QString& projectFileName);

/// Writes the project's files as they are on disk (see FilesToBackUp) into one zip file in its
/// automatic backup folder, which is made as needed. Files that together would pass the 4 GiB
/// a zip holds fail the backup before any of them is read. The zip appears whole under its name or
/// not at all; temporary files of killed backups are cleared first. Nothing is written when the
/// newest backup holds the very same files (its comment keeps a hash of them, and of their sizes
/// and times, so that a project whose files all settled before `when` is not even read). Once the new zip
/// is in place, the oldest backups beyond `keep` go; the one just made always stays.
AutomaticBackupOutcome MakeAutomaticBackup(const QString& backupsFolder, const QString& projectFolder,
    const QString& projectFileName, const QDateTime& when, int keep);
