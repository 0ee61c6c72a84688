#include "platform/HeldFolder.h"

#include "platform/NativeName.h"

#include <QByteArray>
#include <climits>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

void HeldFolder::Hold(const QString& folder)
{
    // A handle on the folder itself follows it through a rename, where its path does not.
    FHandle.Reset(::open(NativePath(folder).constData(), O_PATH | O_DIRECTORY | O_CLOEXEC));
    FPath = IsHeld() ? folder : QString();
}

void HeldFolder::LetGo()
{
    FHandle.Reset();
    FPath.clear();
}

bool HeldFolder::Gone() const
{
    if (!IsHeld())
        return false;
    struct stat held { };
    struct stat atPath { };
    if (::fstat(FHandle.Get(), &held) != 0 || ::stat(NativePath(FPath).constData(), &atPath) != 0)
        return true;
    return held.st_dev != atPath.st_dev || held.st_ino != atPath.st_ino;
}

QString HeldFolder::WhereNow() const
{
    if (!IsHeld())
        return {};
    struct stat held { };
    if (::fstat(FHandle.Get(), &held) != 0 || held.st_nlink == 0)
        return {};
    char target[PATH_MAX];
    const QByteArray link = "/proc/self/fd/" + QByteArray::number(FHandle.Get());
    const ssize_t length = ::readlink(link.constData(), target, sizeof target - 1);
    if (length <= 0)
        return {};
    const QString now = PathFromNative(QByteArrayView(target, length));
    // The path a handle names is only a hint: the folder found there must be the one held.
    struct stat found { };
    if (::stat(NativePath(now).constData(), &found) != 0 || found.st_dev != held.st_dev
        || found.st_ino != held.st_ino)
        return {};
    return now + "/";
}
