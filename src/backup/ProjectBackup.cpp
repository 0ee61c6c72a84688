#include "backup/ProjectBackup.h"

#include "project/ProjectFiles.h"
#include "platform/ConfinedFolder.h"
#include "platform/FileCopy.h"
#include "platform/NativeName.h"
#include "messages/ReasonTexts.h"
#include "platform/StagingFolder.h"
#include "project/CardTexts.h"
#include "project/ProjectPaths.h"

namespace {

QString TwoDigits(int value)
{
    return QStringLiteral("%1").arg(value, 2, 10, QLatin1Char('0'));
}

/// Adds the files of one folder of the project that `wanted` accepts, sorted, as paths inside
/// the project, and those of them that lead out to `leftOut`.
template <typename Wanted>
bool AddFiles(const ConfinedFolder& project, const QString& projectFolder, const QString& folder,
    Wanted wanted, QStringList& files, QStringList& leftOut, QString& reason)
{
    QStringList names;
    QStringList leadingOut;
    if (!project.Files(projectFolder + folder, names, reason, &leadingOut))
        return false;
    names.sort();
    for (const QString& name : names)
        if (wanted(name))
            files << folder + name;
    leadingOut.sort();
    for (const QString& name : leadingOut)
        if (wanted(name))
            leftOut << folder + name;
    return true;
}
} // namespace

bool FilesToBackUp(const QString& projectFolder, const QString& projectFileName, QStringList& files,
    QStringList& leftOut, QString& reason)
{
    files.clear();
    leftOut.clear();
    const ConfinedFolder project(projectFolder);
    if (project.Check(projectFolder + projectFileName) == ConfinedFolder::Entry::LeadsOut) {
        reason = ReasonText(Reason::COPY_LINK_OUT).arg(ReadableName(projectFileName));
        return false;
    }
    files << projectFileName;
    const auto ofTheProject = [](const QString& name) {
        return IsCardFileName(name) || name == ProjectPaths::WritingHistoryFile;
    };
    if (!AddFiles(project, projectFolder, QString(), ofTheProject, files, leftOut, reason))
        return false;
    // A folder of texts kept elsewhere through a link is left out whole.
    if (project.Check(projectFolder + ProjectPaths::TextFilesFolder.chopped(1))
        == ConfinedFolder::Entry::LeadsOut) {
        leftOut << ProjectPaths::TextFilesFolder;
        return true;
    }
    return AddFiles(project, projectFolder, ProjectPaths::TextFilesFolder,
        CardTexts::IsTextFileName, files, leftOut, reason);
}

QString LeftOutReason(const QStringList& leftOut)
{
    QStringList names;
    for (const QString& path : leftOut)
        names << "'" + ReadableName(path) + "'";
    return ReasonText(Reason::BACKUP_LEFT_OUT).arg(names.join(QStringLiteral(", ")));
}

QString BackupFolderName(const QString& projectFileName, const QDateTime& when)
{
    const QDate day = when.date();
    const QTime time = when.time();
    const int hour = time.hour() % 12 == 0 ? 12 : time.hour() % 12;
    return QStringLiteral("%1 (%2-%3-%4 @ %5.%6.%7 %8)")
        .arg(ProjectBaseName(projectFileName), TwoDigits(day.day()), TwoDigits(day.month()), TwoDigits(day.year() % 100),
            TwoDigits(hour), TwoDigits(time.minute()), TwoDigits(time.second()),
            time.hour() < 12 ? u"AM" : u"PM");
}

bool BackupProject(const QString& backupsFolder, const QString& projectFolder,
    const QString& projectFileName, const QDateTime& when, QStringList& leftOut, QString& reason)
{
    leftOut.clear();
    if (KindOf(backupsFolder) != FileKind::Folder) {
        reason = ReasonText(Reason::FOLDER_MISSING).arg(ReadableName(backupsFolder));
        return false;
    }
    QStringList files;
    if (!FilesToBackUp(projectFolder, projectFileName, files, leftOut, reason))
        return false;
    StagingFolder::RemoveLeftovers(backupsFolder);
    StagingFolder backup(backupsFolder + BackupFolderName(projectFileName, when));
    if (!backup.Create(reason) || !MakeFolder(backup.Path() + ProjectPaths::TextFilesFolder, reason))
        return false;
    // A failure ends the backup at once: the folder would be thrown away all the same.
    for (const QString& file : files)
        if (!CopyIntoNewFile(projectFolder + file, backup.Path() + file, reason))
            return false;
    return backup.Commit(reason);
}
