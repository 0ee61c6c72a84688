#include "backup/AutomaticBackup.h"

#include "backup/ProjectBackup.h"
#include "platform/AtomicWrite.h"
#include "platform/FileHandle.h"
#include "platform/NativeName.h"
#include "platform/TextFile.h"
#include "project/ProjectKey.h"
#include "backup/BackupZipWriter.h"
#include "messages/ReasonTexts.h"

#include <QCryptographicHash>

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
const QString StampFormat = QStringLiteral("yyyy-MM-dd HH.mm.ss");

/// A file as the backup keeps it.
struct BackedUpFile {
    QByteArray Name;
    QByteArray Bytes;
    QDateTime Modified;
    unsigned Permissions = 0644;
};

/// Whether the files fit into one zip, by their sizes: a stray file of gigabytes is refused
/// before a byte of it is read.
bool FitIntoZip(const QString& projectFolder, const QStringList& paths, QString& reason)
{
    quint64 total = 0;
    for (const QString& path : paths) {
        struct stat status { };
        if (::stat(NativePath(projectFolder + path).constData(), &status) != 0)
            continue;
        total += quint64(status.st_size);
        if (total >= BackupZipWriter::LargestArchive) {
            reason = ReasonText(Reason::BACKUP_TOO_LARGE).arg(ReadableName(projectFolder + path));
            return false;
        }
    }
    return true;
}

/// Reads the project's files; one that went away since it was listed is left out.
bool ReadFiles(const QString& projectFolder, const QStringList& paths, QList<BackedUpFile>& files,
    QString& reason)
{
    for (const QString& path : paths) {
        BackedUpFile file { NativePath(path), {}, {}, 0644 };
        // A file that grew since its size was looked at is still never read whole.
        switch (ReadFileIfPresent(projectFolder + path, file.Bytes, reason,
            qint64(BackupZipWriter::LargestArchive) - 1)) {
        case FileRead::Missing:
            continue;
        case FileRead::Failed:
            return false;
        case FileRead::Read:
            break;
        }
        struct stat status { };
        if (::stat(NativePath(projectFolder + path).constData(), &status) == 0) {
            file.Modified = QDateTime::fromSecsSinceEpoch(status.st_mtime);
            file.Permissions = status.st_mode & 07777;
        }
        files.append(std::move(file));
    }
    reason.clear();
    return true;
}

/// The first line of a backup's comment: the project it holds.
QByteArray Heading(const QByteArray& projectPath)
{
    return "Nodex automatic backup of " + projectPath + "\n";
}

/// What the zip's comment says of the files it holds: the project, and a hash of every name and
/// every byte, which tells whether the next backup would hold anything new.
QByteArray Fingerprint(const QByteArray& projectPath, const QList<BackedUpFile>& files)
{
    QCryptographicHash hash(QCryptographicHash::Sha256);
    for (const BackedUpFile& file : files) {
        const QByteArray size = QByteArray::number(file.Bytes.size());
        hash.addData(file.Name + '\0' + size + '\0');
        hash.addData(file.Bytes);
    }
    return Heading(projectPath) + "SHA-256 " + hash.result().toHex() + "\n";
}

/// What a look at the files shows without reading them, as the comment's last line: a hash of
/// their names, sizes, inodes and times. Every write moves a file's change time, which no program
/// can set back, so an equal line means the very same files. Empty when some file changed within
/// the last seconds before `now`: a file system that keeps times coarsely could give a write
/// just after this look the time it already shows (the "racily clean" file).
QByteArray Listing(const QString& projectFolder, const QStringList& paths, const QDateTime& now)
{
    constexpr qint64 CoarsestTimesNs = 3'000'000'000;
    const qint64 settledBefore = now.toMSecsSinceEpoch() * 1'000'000 - CoarsestTimesNs;
    QCryptographicHash hash(QCryptographicHash::Sha256);
    for (const QString& path : paths) {
        struct stat status { };
        const QByteArray name = NativePath(path);
        hash.addData(name + '\0');
        if (::stat(NativePath(projectFolder + path).constData(), &status) != 0)
            continue;
        const qint64 modified = status.st_mtim.tv_sec * 1'000'000'000LL + status.st_mtim.tv_nsec;
        const qint64 changed = status.st_ctim.tv_sec * 1'000'000'000LL + status.st_ctim.tv_nsec;
        if (std::max(modified, changed) >= settledBefore)
            return {};
        const qint64 fields[] = { qint64(status.st_dev), qint64(status.st_ino), qint64(status.st_size),
            modified, changed, qint64(status.st_mode) };
        hash.addData(QByteArrayView(reinterpret_cast<const char*>(fields), sizeof fields));
    }
    return "Listing " + hash.result().toHex() + "\n";
}

/// The comment of a backup zip, read from its end only; empty when it cannot be read.
QByteArray CommentOf(const QString& path)
{
    FileHandle file(::open(NativePath(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    struct stat status { };
    if (file.Get() < 0 || ::fstat(file.Get(), &status) != 0 || !S_ISREG(status.st_mode))
        return {};
    QByteArray tail(
        qsizetype(std::min<off_t>(status.st_size, BackupZipWriter::LongestTail)), '\0');
    const ssize_t read = ::pread(file.Get(), tail.data(), size_t(tail.size()), status.st_size - tail.size());
    return read == tail.size() ? BackupZipWriter::Comment(tail) : QByteArray();
}

/// Makes the folder and the levels above it that are missing, each spelt as the project is.
bool MakeFolders(const QString& folder, const QString& from, QString& reason)
{
    for (qsizetype slash = folder.indexOf('/', from.size()); slash >= 0; slash = folder.indexOf('/', slash + 1)) {
        const QString level = folder.left(slash);
        if (KindOf(level) != FileKind::Folder && !MakeFolder(level, reason))
            return false;
    }
    return true;
}
} // namespace

QString AutomaticBackupFolder(const QString& backupsFolder, const QString& projectFolder,
    const QString& projectFileName)
{
    return backupsFolder + "Automatic/" + ProjectKey(projectFolder, projectFileName) + "/";
}

QString AutomaticBackupName(const QString& projectFileName, const QDateTime& when)
{
    return ProjectBaseName(projectFileName) + " (" + when.toString(StampFormat) + ").zip";
}

QStringList AutomaticBackups(const QString& folder, const QString& projectFileName)
{
    // Compared piece by piece: a name that is not UTF-8 holds what no pattern can match.
    const QString prefix = ProjectBaseName(projectFileName) + " (";
    const QString suffix = QStringLiteral(").zip");
    QStringList backups = RegularFileNames(folder);
    backups.removeIf([&](const QString& name) {
        return !name.startsWith(prefix) || !name.endsWith(suffix)
            || !QDateTime::fromString(name.sliced(prefix.size()).chopped(suffix.size()), StampFormat).isValid();
    });
    backups.sort();
    return backups;
}

AutomaticBackupOutcome MakeAutomaticBackup(const QString& backupsFolder, const QString& projectFolder,
    const QString& projectFileName, const QDateTime& when, int keep)
{
    using Result = AutomaticBackupOutcome::Result;
    AutomaticBackupOutcome outcome;
    keep = std::max(keep, 1);
    const QString folder = AutomaticBackupFolder(backupsFolder, projectFolder, projectFileName);
    if (!MakeFolders(folder, backupsFolder.chopped(1), outcome.Reason))
        return outcome;
    RemoveWriteLeftovers(folder);
    QStringList paths;
    if (!FilesToBackUp(projectFolder, projectFileName, paths, outcome.LeftOut, outcome.Reason))
        return outcome;
    // The files are looked at before they are read: one written in between makes the next look
    // differ, and the next backup reads it again.
    const QByteArray listing = Listing(projectFolder, paths, when);
    QStringList backups = AutomaticBackups(folder, projectFileName);
    const QByteArray newest = backups.isEmpty() ? QByteArray() : CommentOf(folder + backups.last());
    const QByteArray project = RealProjectPath(projectFolder, projectFileName);
    if (!listing.isEmpty() && newest.startsWith(Heading(project)) && newest.endsWith("\n" + listing)) {
        outcome.Outcome = Result::Unchanged;
        return outcome;
    }
    QList<BackedUpFile> files;
    if (!FitIntoZip(projectFolder, paths, outcome.Reason)
        || !ReadFiles(projectFolder, paths, files, outcome.Reason))
        return outcome;
    const QByteArray fingerprint = Fingerprint(project, files);
    if (!newest.isEmpty() && newest.startsWith(fingerprint)) {
        outcome.Outcome = Result::Unchanged;
        return outcome;
    }
    BackupZipWriter zip;
    for (BackedUpFile& file : files) {
        if (!zip.Add(file.Name, file.Bytes, file.Modified, file.Permissions, outcome.Reason))
            return outcome;
        file.Bytes.clear();
    }
    const QString name = AutomaticBackupName(projectFileName, when);
    // Two backups in one second: the later holds the later state, and replaces the earlier.
    if (!WriteFileAtomically(folder + name, zip.Finish(fingerprint + listing), outcome.Reason))
        return outcome;
    outcome.Outcome = Result::Made;
    outcome.Path = folder + name;

    backups = AutomaticBackups(folder, projectFileName);
    backups.removeAll(name);
    for (qsizetype old = 0; old < backups.size() - (keep - 1); ++old)
        if (QString reason; !RemoveFile(folder + backups[old], reason))
            outcome.Reason = reason;
    return outcome;
}
