#include "platform/StagingFolder.h"

#include "platform/AtomicWrite.h"
#include "platform/FileSteps.h"
#include "platform/NativeName.h"
#include "messages/ReasonTexts.h"

#include <QList>
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>

namespace {
int RemoveEntry(int parentFd, const QByteArray& parentPath, const QByteArray& name);

/// Removes everything in the open folder `fd` (taken over and closed); 0, or the error number.
int EmptyFolder(int fd, const QByteArray& path)
{
    DIR* dir = ::fdopendir(fd);
    if (!dir) {
        const int failed = errno;
        ::close(fd);
        return failed;
    }
    // Names first: a folder changed while it is read may skip entries.
    QList<QByteArray> names;
    while (const dirent* entry = ::readdir(dir)) {
        const QByteArray name(entry->d_name);
        if (name != "." && name != "..")
            names << name;
    }
    int failed = 0;
    for (const QByteArray& name : names)
        if ((failed = RemoveEntry(::dirfd(dir), path, name)) != 0)
            break;
    ::closedir(dir);
    return failed;
}

/// Removes one entry of a folder, a folder with all it holds. A link is removed itself, never
/// followed, so that nothing outside the tree can go with it.
int RemoveEntry(int parentFd, const QByteArray& parentPath, const QByteArray& name)
{
    const QByteArray path = parentPath + '/' + name;
    if (const int failed = PassFileStep(FileStep::Remove, path).ErrorNumber)
        return failed;
    if (::unlinkat(parentFd, name.constData(), 0) == 0 || errno == ENOENT)
        return 0;
    if (errno != EISDIR && errno != EPERM)
        return errno;
    const int fd
        = ::openat(parentFd, name.constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0)
        return errno;
    if (const int failed = EmptyFolder(fd, path))
        return failed;
    return ::unlinkat(parentFd, name.constData(), AT_REMOVEDIR) == 0 || errno == ENOENT ? 0 : errno;
}

/// Removes a folder and everything in it; 0, or the error number.
int RemoveTree(const QByteArray& path)
{
    const qsizetype slash = path.lastIndexOf('/');
    const QByteArray parent = slash > 0 ? path.left(slash) : QByteArray("/");
    FileHandle parentFd(::open(parent.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (parentFd.Get() < 0)
        return errno;
    return RemoveEntry(parentFd.Get(), parent, path.mid(slash + 1));
}

/// Makes the folder's new name last through a power cut: the folder holding it is flushed.
void SyncParent(const QByteArray& path)
{
    const QByteArray parent = path.left(std::max<qsizetype>(path.lastIndexOf('/'), 1));
    FileHandle fd(::open(parent.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (fd.Get() >= 0)
        ::fsync(fd.Get());
}

int Rename(const QByteArray& from, const QByteArray& to, unsigned int flags, FileStep step)
{
    if (const int failed = PassFileStep(step, to).ErrorNumber)
        return failed;
    return ::renameat2(AT_FDCWD, from.constData(), AT_FDCWD, to.constData(), flags) == 0 ? 0
                                                                                         : errno;
}

bool Unsupported(int errorNumber)
{
    return errorNumber == EINVAL || errorNumber == ENOSYS;
}

/// Moves a folder into place where the file system cannot exchange two names in one step: a
/// folder already there is moved aside first, and back when the new one cannot take its place.
int ReplaceStepwise(const QByteArray& staging, const QByteArray& target)
{
    struct stat status { };
    if (::lstat(target.constData(), &status) != 0)
        return Rename(staging, target, 0, FileStep::Move);
    const QByteArray aside = TempPathBeside(target + ".old");
    RemoveTree(aside);
    if (const int failed = Rename(target, aside, 0, FileStep::Move))
        return failed;
    if (const int failed = Rename(staging, target, 0, FileStep::Move)) {
        Rename(aside, target, 0, FileStep::Move);
        return failed;
    }
    RemoveTree(aside);
    return 0;
}

} // namespace

StagingFolder::StagingFolder(QString finalPath)
    : FFinal(std::move(finalPath))
    , FStaging(PathFromNative(TempPathBeside(NativePath(FFinal))))
{
}

StagingFolder::~StagingFolder()
{
    if (FCreated && !FCommitted)
        RemoveTree(NativePath(FStaging));
}

QString StagingFolder::Path() const
{
    return FStaging + '/';
}

bool StagingFolder::Create(QString& reason)
{
    if (!MakeFolder(FStaging, reason))
        return false;
    FCreated = true;
    FLock.Reset(
        ::open(NativePath(FStaging).constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
    if (FLock.Get() >= 0 && ::flock(FLock.Get(), LOCK_EX | LOCK_NB) == 0)
        return true;
    reason
        = ReasonText(Reason::CANNOT_CREATE).arg(ReadableName(FStaging), SystemReason(errno));
    return false;
}

bool StagingFolder::Commit(QString& reason)
{
    const QByteArray staging = NativePath(FStaging);
    const QByteArray target = NativePath(FFinal);
    // One flush of the whole file system costs far less than one for each of thousands of files.
    int failed = PassFileStep(FileStep::Sync, staging).ErrorNumber;
    if (!failed && ::syncfs(FLock.Get()) != 0)
        failed = errno;
    if (!failed)
        failed = Rename(staging, target, RENAME_NOREPLACE, FileStep::Replace);
    if (failed == EEXIST || failed == ENOTEMPTY) {
        // The folder there goes as a whole: exchanged with the new one, then removed.
        failed = Rename(staging, target, RENAME_EXCHANGE, FileStep::Replace);
        if (!failed)
            RemoveTree(staging);
    }
    if (Unsupported(failed))
        failed = ReplaceStepwise(staging, target);
    if (failed) {
        reason = ReasonText(Reason::CANNOT_MOVE_TO)
                     .arg(ReadableName(FStaging), ReadableName(FFinal), SystemReason(failed));
        return false;
    }
    FCommitted = true;
    FLock.Reset();
    SyncParent(target);
    return true;
}

void StagingFolder::RemoveLeftovers(const QString& parent)
{
    const QByteArray native = NativePath(parent.endsWith('/') ? parent.chopped(1) : parent);
    FileHandle parentFd(::open(native.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    DIR* dir = parentFd.Get() < 0 ? nullptr : ::fdopendir(::dup(parentFd.Get()));
    if (!dir)
        return;
    QList<QByteArray> leftovers;
    while (const dirent* entry = ::readdir(dir)) {
        const QByteArray name(entry->d_name);
        struct stat status { };
        if (IsWriteTempName(PathFromNative(name))
            && ::fstatat(parentFd.Get(), name.constData(), &status, AT_SYMLINK_NOFOLLOW) == 0
            && S_ISDIR(status.st_mode))
            leftovers << name;
    }
    ::closedir(dir);
    for (const QByteArray& name : leftovers) {
        // A build in progress holds its lock: only what no one holds is a leftover.
        FileHandle folder(::openat(
            parentFd.Get(), name.constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
        if (folder.Get() >= 0 && ::flock(folder.Get(), LOCK_EX | LOCK_NB) == 0)
            RemoveEntry(parentFd.Get(), native, name);
    }
}
