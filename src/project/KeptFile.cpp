#include "project/KeptFile.h"

#include "platform/AtomicWrite.h"
#include "platform/NativeName.h"
#include "platform/TextFile.h"

bool KeptFile::Keep(const QString& path, QString& reason)
{
    FPath = path;
    FBytes.reset();
    if (KindOf(path) == FileKind::Missing)
        return true;
    QByteArray bytes;
    if (!ReadFileBytes(path, bytes, reason))
        return false;
    FBytes = std::move(bytes);
    return true;
}

void KeptFile::Keep(const QString& path, QByteArray bytes)
{
    FPath = path;
    FBytes = std::move(bytes);
}

bool KeptFile::Unchanged() const
{
    if (KindOf(FPath) == FileKind::Missing)
        return !FBytes;
    QByteArray bytes;
    QString ignored;
    return FBytes && ReadFileBytes(FPath, bytes, ignored, FBytes->size() + 1) && bytes == *FBytes;
}

bool KeptFile::Restore(QString& reason) const
{
    if (FBytes)
        return WriteFileAtomically(FPath, *FBytes, reason);
    return KindOf(FPath) == FileKind::Missing || RemoveFile(FPath, reason);
}
