#include "platform/AtomicWrite.h"

#include "platform/FileHandle.h"
#include "platform/FileIdentity.h"
#include "platform/FileSteps.h"
#include "platform/NativeName.h"
#include "messages/ReasonTexts.h"

#include <QCryptographicHash>

#include <cerrno>
#include <cstdio>
#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
enum class Existing { Replace, Keep };

/// What a write must find in its place just before it replaces it, and where it tells what
/// it wrote; none for a write that replaces whatever is there.
struct Guard {
    FileIdentity* Known = nullptr;
    bool FoundChanged = false;
};

const QByteArray TempSuffix = QByteArrayLiteral(".nodex-tmp");
// Beyond this many bytes the temporary name would pass the file system's limit on a name.
constexpr qsizetype LongestPlainTempName = 200;
// Few enough that a write never spins, enough to outlast a clean-up running beside it.
constexpr int OpenAttempts = 3;

bool SameInode(const struct stat& a, const struct stat& b) { return a.st_dev == b.st_dev && a.st_ino == b.st_ino; }

/// Whether the file at `native` may be replaced: missing, or a regular file its owner may write.
/// `mode` receives the permissions an existing file keeps.
bool Replaceable(const QByteArray& native, const QString& shownName, Existing existing,
                 mode_t& mode, QString& error)
{
    struct stat status {};
    if (::lstat(native.constData(), &status) != 0) {
        if (errno == ENOENT)
            return true;
        error = ReasonText(Reason::CANNOT_WRITE).arg(shownName, SystemReason(errno));
        return false;
    }
    if (existing == Existing::Keep) {
        error = ReasonText(Reason::CANNOT_WRITE).arg(shownName, SystemReason(EEXIST));
        return false;
    }
    if (S_ISLNK(status.st_mode)) {
        error = ReasonText(Reason::WRITE_THROUGH_LINK).arg(shownName);
        return false;
    }
    if (!S_ISREG(status.st_mode)) {
        error = ReasonText(Reason::WRITE_NOT_REGULAR).arg(shownName);
        return false;
    }
    // The system always lets the superuser write; a file whose owner may not write it is
    // read-only for this program whoever runs it, as a read-only file is on every desktop.
    if (!(status.st_mode & S_IWUSR)) {
        error = ReasonText(Reason::WRITE_READ_ONLY).arg(shownName);
        return false;
    }
    if (::access(native.constData(), W_OK) != 0) {
        error = ReasonText(Reason::CANNOT_WRITE).arg(shownName, SystemReason(errno));
        return false;
    }
    mode = status.st_mode & 07777;
    return true;
}

/// Opens the temporary file for a replacement, empty and locked for this write. The lock tells
/// a clean-up (or another copy of the program writing the same file) that it is in use.
int OpenTemp(const QByteArray& temp, int& errorNumber)
{
    for (int attempt = 0; attempt < OpenAttempts; ++attempt) {
        if (const StepOutcome outcome = PassFileStep(FileStep::CreateTemp, temp); outcome.ErrorNumber) {
            errorNumber = outcome.ErrorNumber;
            return -1;
        }
        FileHandle file(::open(temp.constData(), O_WRONLY | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0666));
        if (file.Get() < 0) {
            errorNumber = errno;
            // Something else stands under our own temporary name: it is ours to remove.
            if (errno == ELOOP && ::unlink(temp.constData()) == 0)
                continue;
            return -1;
        }
        if (::flock(file.Get(), LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK) {
            errorNumber = EBUSY;
            return -1;
        }
        struct stat opened {};
        struct stat named {};
        // A clean-up may have removed the file between the open and the lock: start again.
        if (::fstat(file.Get(), &opened) != 0 || ::lstat(temp.constData(), &named) != 0
            || !SameInode(opened, named) || !S_ISREG(opened.st_mode))
            continue;
        if (::ftruncate(file.Get(), 0) != 0) {
            errorNumber = errno;
            return -1;
        }
        return file.Release();
    }
    errorNumber = EBUSY;
    return -1;
}

/// Moves the finished temporary file to its name; with Existing::Keep only while nothing has
/// taken that name, decided by the file system in the same step, so that no check can be
/// outrun.
int MoveIntoPlace(const QByteArray& temp, const QByteArray& target, Existing existing)
{
    if (existing == Existing::Replace)
        return ::rename(temp.constData(), target.constData()) == 0 ? 0 : errno;
    if (::renameat2(AT_FDCWD, temp.constData(), AT_FDCWD, target.constData(), RENAME_NOREPLACE)
        == 0)
        return 0;
    if (errno != EINVAL && errno != ENOSYS)
        return errno;
    // A file system that cannot rename without replacing can still link without replacing.
    if (::link(temp.constData(), target.constData()) != 0)
        return errno;
    ::unlink(temp.constData());
    return 0;
}

/// Writes every byte, flushes them to the disk and moves the file into place.
bool WriteAndReplace(int fd, const QByteArray& temp, const QString& path, const QByteArray& bytes,
                     Existing existing, Guard& guard, int& errorNumber)
{
    const QByteArray target = NativePath(path);
    for (qsizetype done = 0; done < bytes.size();) {
        const StepOutcome outcome = PassFileStep(FileStep::Write, temp);
        if (outcome.ErrorNumber) {
            errorNumber = outcome.ErrorNumber;
            return false;
        }
        const ssize_t written = outcome.NoProgress ? 0 : ::write(fd, bytes.constData() + done, size_t(bytes.size() - done));
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0) {
            // A write that takes nothing and names no reason is a disk that is full.
            errorNumber = written < 0 ? errno : ENOSPC;
            return false;
        }
        done += written;
    }
    // The flush is where a full disk or a failing device shows on many file systems.
    if (const StepOutcome outcome = PassFileStep(FileStep::Sync, temp); outcome.ErrorNumber || SyncFileData(fd) != 0) {
        errorNumber = outcome.ErrorNumber ? outcome.ErrorNumber : errno;
        return false;
    }
    // Looked at last, when only the move is left, so that a change made while the bytes were
    // written is seen too. A file removed since loses nothing when it is written again.
    if (guard.Known) {
        const FileIdentity now = CurrentIdentity(path);
        if (now.Exists && ChangedSince(*guard.Known, now)) {
            guard.FoundChanged = true;
            return false;
        }
    }
    // The move keeps the inode and the modification time the bytes gave the file.
    struct stat written {};
    if (guard.Known && ::fstat(fd, &written) != 0) {
        errorNumber = errno;
        return false;
    }
    const StepOutcome outcome = PassFileStep(FileStep::Replace, target);
    errorNumber = outcome.ErrorNumber ? outcome.ErrorNumber : MoveIntoPlace(temp, target, existing);
    // The move itself sets the file's change time: the identity is the one the file has now.
    if (errorNumber == 0 && guard.Known) {
        struct stat moved { };
        *guard.Known = IdentityOf(::fstat(fd, &moved) == 0 ? moved : written, bytes);
    }
    return errorNumber == 0;
}

bool WriteThroughTemp(const QString& path, const QByteArray& bytes, Existing existing, Guard& guard,
                      QString& error)
{
    error.clear();
    if (path.isEmpty() || path.endsWith('/')) {
        error = ReasonText(Reason::WRITE_WITHOUT_NAME);
        return false;
    }
    const QByteArray target = NativePath(path);
    const QString shownName = ReadableName(path);
    mode_t mode = 0;
    if (!Replaceable(target, shownName, existing, mode, error))
        return false;

    const QByteArray temp = TempPathBeside(target);
    int errorNumber = 0;
    FileHandle file(OpenTemp(temp, errorNumber));
    if (file.Get() < 0) {
        error = errorNumber == EBUSY
            ? ReasonText(Reason::WRITE_BUSY).arg(shownName)
            : ReasonText(Reason::CANNOT_WRITE).arg(shownName, SystemReason(errorNumber));
        return false;
    }
    // A replaced file keeps its permissions; a new one takes the process's defaults.
    if ((mode && ::fchmod(file.Get(), mode) != 0)
        || !WriteAndReplace(file.Get(), temp, path, bytes, existing, guard, errorNumber)) {
        if (!errorNumber)
            errorNumber = errno;
        ::unlink(temp.constData());
        error = guard.FoundChanged ? ReasonText(Reason::CHANGED_ON_DISK).arg(shownName)
                                   : ReasonText(Reason::CANNOT_WRITE).arg(shownName, SystemReason(errorNumber));
        return false;
    }
    return true;
}
} // namespace

bool WriteFileAtomically(const QString& path, const QByteArray& bytes, QString& error)
{
    Guard none;
    return WriteThroughTemp(path, bytes, Existing::Replace, none, error);
}

GuardedWrite WriteFileIfUnchanged(const QString& path, const QByteArray& bytes, FileIdentity& known,
                                  QString& error)
{
    Guard guard{&known};
    if (WriteThroughTemp(path, bytes, Existing::Replace, guard, error))
        return GuardedWrite::Written;
    return guard.FoundChanged ? GuardedWrite::ChangedOnDisk : GuardedWrite::Failed;
}

bool CreateFileAtomically(const QString& path, const QByteArray& bytes, QString& error)
{
    Guard none;
    return WriteThroughTemp(path, bytes, Existing::Keep, none, error);
}

QByteArray TempPathBeside(const QByteArray& nativePath)
{
    const qsizetype slash = nativePath.lastIndexOf('/');
    QByteArray name = nativePath.mid(slash + 1);
    if (name.size() > LongestPlainTempName)
        name = QCryptographicHash::hash(name, QCryptographicHash::Md5).toHex();
    return nativePath.left(slash + 1) + '.' + name + TempSuffix;
}

bool IsWriteTempName(QStringView fileName)
{
    const QString suffix = QString::fromLatin1(TempSuffix);
    return fileName.size() > suffix.size() + 1 && fileName.startsWith('.') && fileName.endsWith(suffix);
}

void RemoveWriteLeftovers(const QString& folder)
{
    const QByteArray prefix = NativePath(folder.endsWith('/') ? folder : folder + '/');
    DIR* dir = ::opendir(prefix.constData());
    if (!dir)
        return;
    while (const dirent* entry = ::readdir(dir)) {
        const QByteArray name(entry->d_name);
        if (!IsWriteTempName(PathFromNative(name)))
            continue;
        const QByteArray path = prefix + name;
        FileHandle file(::open(path.constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
        struct stat opened {};
        struct stat named {};
        // A write in progress holds its lock: only what no one holds is a leftover.
        if (file.Get() >= 0 && ::flock(file.Get(), LOCK_EX | LOCK_NB) == 0 && ::fstat(file.Get(), &opened) == 0
            && ::lstat(path.constData(), &named) == 0 && SameInode(opened, named) && S_ISREG(named.st_mode))
            ::unlink(path.constData());
    }
    ::closedir(dir);
}
