#pragma once

#include "project/ProjectKey.h"

#include <QDateTime>
#include <QString>
#include <QStringList>

/// What a backup of a project holds, as paths inside the project folder: the project file, then
/// every card file and every text file in "Text Files/", each group sorted. A file reached
/// through a link counts while the link stays inside the project; one that leads out is left
/// out and named in `leftOut` ("Text Files/" itself when that folder leads out), and a project
/// file that leads out fails the list with the reason.
bool FilesToBackUp(const QString& projectFolder, const QString& projectFileName, QStringList& files,
    QStringList& leftOut, QString& reason);

/// What the writer is told of the files a backup left out as links that lead out of the project.
QString LeftOutReason(const QStringList& leftOut);

/// The name of a project's backup folder: the project file's name without its first ".nodex",
/// then the time of the backup as " (dd-MM-yy @ hh.mm.ss AM)", the hour on the 12-hour clock.
/// The name is a format, the same in every language: "AM" and "PM" are never translated.
QString BackupFolderName(const QString& projectFileName, const QDateTime& when);

/// Copies a project into a new folder of `backupsFolder` (which must exist) named after the
/// project and `when`: the project file, every card file, and every text file in a folder
/// "Text Files/" of its own, each byte for byte under the very same name. The folder appears
/// only once every copy is made, replacing as a whole a backup of the same name; after any
/// failure no folder of that name is left and false is returned with the reason. A file reached
/// through a link counts as the file it leads to while that stays inside the project; links that
/// lead out of the project are never followed out of it: the backup is made without them, and
/// `leftOut` names them.
bool BackupProject(const QString& backupsFolder, const QString& projectFolder,
    const QString& projectFileName, const QDateTime& when, QStringList& leftOut, QString& reason);
