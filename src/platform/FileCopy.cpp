#include "platform/FileCopy.h"

#include "platform/FileHandle.h"
#include "platform/FileSteps.h"
#include "platform/NativeName.h"
#include "messages/ReasonTexts.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>

namespace {
constexpr size_t ChunkBytes = 64 * 1024;

/// Writes every byte read from `source` to `target`; 0, or the error number.
int CopyBytes(int source, int target)
{
    char buffer[ChunkBytes];
    for (;;) {
        const ssize_t got = ::read(source, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return errno;
        if (got == 0)
            return 0;
        for (ssize_t done = 0; done < got;) {
            const ssize_t written = ::write(target, buffer + done, size_t(got - done));
            if (written < 0 && errno == EINTR)
                continue;
            if (written <= 0)
                return written < 0 ? errno : ENOSPC;
            done += written;
        }
    }
}

/// Opens the source for reading: a regular file only, so that a FIFO put in its place cannot
/// block the copy for ever.
int OpenSource(const QByteArray& native, mode_t& mode, int& errorNumber)
{
    FileHandle file(::open(native.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    struct stat status { };
    if (file.Get() < 0 || ::fstat(file.Get(), &status) != 0) {
        errorNumber = errno;
        return -1;
    }
    if (!S_ISREG(status.st_mode)) {
        errorNumber = EINVAL;
        return -1;
    }
    mode = status.st_mode & 0777;
    return file.Release();
}

/// The copy itself; 0, or the error number.
int CopyFile(const QByteArray& from, const QByteArray& to)
{
    if (const int failed = PassFileStep(FileStep::Copy, to).ErrorNumber)
        return failed;
    mode_t mode = 0;
    int errorNumber = 0;
    FileHandle source(OpenSource(from, mode, errorNumber));
    if (source.Get() < 0)
        return errorNumber;
    FileHandle copy(
        ::open(to.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode));
    if (copy.Get() < 0)
        return errno;
    errorNumber = CopyBytes(source.Get(), copy.Get());
    // Some file systems report a failed write only when the file is closed.
    if (errorNumber == 0 && ::close(copy.Release()) != 0)
        errorNumber = errno;
    // A partial copy is ours to remove; whatever stood there before the copy was never touched.
    if (errorNumber)
        ::unlink(to.constData());
    return errorNumber;
}
} // namespace

bool CopyIntoNewFile(const QString& from, const QString& to, QString& error)
{
    const int errorNumber = CopyFile(NativePath(from), NativePath(to));
    if (errorNumber == 0)
        return true;
    error
        = ReasonText(Reason::CANNOT_COPY).arg(ReadableName(from), SystemReason(errorNumber));
    return false;
}
