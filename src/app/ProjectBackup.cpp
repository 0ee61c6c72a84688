#include "app/ProjectBackup.h"

#include "project/ProjectFiles.h"
#include "platform/ConfinedFolder.h"
#include "platform/FileCopy.h"
#include "platform/NativeName.h"
#include "platform/ReasonTexts.h"
#include "platform/StagingFolder.h"
#include "project/ProjectPaths.h"

namespace {

QString TwoDigits(int value)
{
    return QStringLiteral("%1").arg(value, 2, 10, QLatin1Char('0'));
}

/// Copies the files of one project folder that `wanted` accepts into the same names in `to`.
template <typename Wanted>
bool CopyFiles(const ConfinedFolder& project, const QString& from, const QString& to, Wanted wanted,
    QString& reason)
{
    QStringList names;
    if (!project.Files(from, names, reason))
        return false;
    for (const QString& name : names)
        if (wanted(name) && !CopyIntoNewFile(from + name, to + name, reason))
            return false;
    return true;
}
} // namespace

QString BackupFolderName(const QString& projectFileName, const QDateTime& when)
{
    QString base = projectFileName;
    if (const qsizetype extension = base.indexOf(ProjectPaths::ProjectExtension); extension >= 0)
        base.remove(extension, 6);
    const QDate day = when.date();
    const QTime time = when.time();
    const int hour = time.hour() % 12 == 0 ? 12 : time.hour() % 12;
    return QStringLiteral("%1 (%2-%3-%4 @ %5.%6.%7 %8)")
        .arg(base, TwoDigits(day.day()), TwoDigits(day.month()), TwoDigits(day.year() % 100),
            TwoDigits(hour), TwoDigits(time.minute()), TwoDigits(time.second()),
            time.hour() < 12 ? u"AM" : u"PM");
}

bool BackupProject(const QString& backupsFolder, const QString& projectFolder,
    const QString& projectFileName, const QDateTime& when, QString& reason)
{
    if (KindOf(backupsFolder) != FileKind::Folder) {
        reason = ReasonText(Reason::FOLDER_MISSING).arg(ReadableName(backupsFolder));
        return false;
    }
    StagingFolder::RemoveLeftovers(backupsFolder);
    StagingFolder backup(backupsFolder + BackupFolderName(projectFileName, when));
    if (!backup.Create(reason))
        return false;
    const ConfinedFolder project(projectFolder);
    const QString projectFile = projectFolder + projectFileName;
    if (project.Check(projectFile) == ConfinedFolder::Entry::LeadsOut) {
        reason
            = ReasonText(Reason::COPY_LINK_OUT)
                  .arg(ReadableName(projectFileName));
        return false;
    }
    // A failure ends the backup at once: the folder would be thrown away all the same.
    return CopyIntoNewFile(projectFile, backup.Path() + projectFileName, reason)
        && CopyFiles(project, projectFolder, backup.Path(), IsCardFileName, reason)
        && MakeFolder(backup.Path() + ProjectPaths::TextFilesFolder, reason)
        && CopyFiles(
            project, projectFolder + ProjectPaths::TextFilesFolder, backup.Path() + ProjectPaths::TextFilesFolder,
            [](const QString& name) { return name.endsWith(ProjectPaths::TextExtension, Qt::CaseInsensitive); },
            reason)
        && backup.Commit(reason);
}
