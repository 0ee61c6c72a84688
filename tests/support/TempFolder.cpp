#include "TempFolder.h"

#include "platform/NativeName.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <fcntl.h>
#include <ftw.h>

namespace {
/// Opens a file by the bytes the file system knows it by, so that a name that is not UTF-8
/// (escaped as PathFromNative escapes it) is written and read as any other.
bool OpenNative(QFile& file, const QString& path, int flags, QIODevice::OpenMode mode)
{
    const int handle = ::open(NativePath(path).constData(), flags | O_CLOEXEC, 0666);
    return handle >= 0 && file.open(handle, mode, QFileDevice::AutoCloseHandle);
}
} // namespace

TempFolder::TempFolder() = default;

TempFolder::~TempFolder()
{
    // Qt skips the names that are not UTF-8, which projects from other systems hold; the
    // system's own walk removes every name it meets.
    ::nftw(
        NativePath(FDir.path()).constData(),
        [](const char* path, const struct stat*, int, FTW*) { return ::remove(path); }, 16,
        FTW_DEPTH | FTW_PHYS);
}

QString TempFolder::Path(const QString& relative) const
{
    return relative.isEmpty() ? FDir.path() + "/" : FDir.path() + "/" + relative;
}

QString TempFolder::Write(const QString& relative, const QByteArray& bytes) const
{
    const QString path = Path(relative);
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file;
    if (!OpenNative(file, path, O_WRONLY | O_CREAT | O_TRUNC, QIODevice::WriteOnly)
        || file.write(bytes) != bytes.size())
        qFatal("test fixture could not be written: %s", qPrintable(path));
    return path;
}

QByteArray TempFolder::Read(const QString& relative) const
{
    QFile file;
    return OpenNative(file, Path(relative), O_RDONLY, QIODevice::ReadOnly) ? file.readAll()
                                                                           : QByteArray();
}

bool TempFolder::Exists(const QString& relative) const
{
    return QFileInfo::exists(Path(relative));
}

QString TempFolder::MakeFolder(const QString& relative) const
{
    QDir().mkpath(Path(relative));
    return Path(relative) + "/";
}
