#include "platform/FileIdentity.h"

#include "platform/NativeName.h"
#include "platform/TextFile.h"

#include <QCryptographicHash>
#include <cerrno>
#include <sys/stat.h>

FileIdentity IdentityOf(const struct stat& status, const QByteArray& bytes)
{
    FileIdentity identity;
    identity.Exists = true;
    identity.Size = qint64(status.st_size);
    identity.ModifiedNs = qint64(status.st_mtim.tv_sec) * 1'000'000'000 + status.st_mtim.tv_nsec;
    identity.ChangedNs = qint64(status.st_ctim.tv_sec) * 1'000'000'000 + status.st_ctim.tv_nsec;
    identity.Device = quint64(status.st_dev);
    identity.Inode = quint64(status.st_ino);
    if (S_ISREG(status.st_mode) && identity.Size <= HashedFileBytes)
        identity.Hash = QCryptographicHash::hash(bytes, QCryptographicHash::Sha1);
    return identity;
}

FileIdentity CurrentIdentity(const QString& path)
{
    struct stat status {};
    if (::stat(NativePath(path).constData(), &status) != 0) {
        FileIdentity identity;
        // Anything but absence is a file we cannot vouch for: it must not pass for the one read.
        identity.Exists = errno != ENOENT && errno != ENOTDIR;
        identity.Inode = ~quint64(0);
        return identity;
    }
    if (S_ISREG(status.st_mode) && status.st_size <= HashedFileBytes) {
        QByteArray bytes;
        QString ignored;
        FileIdentity identity;
        if (ReadFileIdentified(path, bytes, identity, ignored, HashedFileBytes) == FileRead::Read)
            return identity;
    }
    return IdentityOf(status, {});
}

bool ChangedSince(const FileIdentity& known, const FileIdentity& now)
{
    if (known.Exists != now.Exists)
        return true;
    if (!known.Exists)
        return false;
    // The same bytes lose nothing, whoever rewrote them: sync tools often copy a file unchanged.
    if (!known.Hash.isEmpty() && !now.Hash.isEmpty())
        return known.Hash != now.Hash;
    // A copying tool sets the modification time back after a rewrite in place; the change time
    // it cannot.
    return known.Size != now.Size || known.ModifiedNs != now.ModifiedNs
        || known.ChangedNs != now.ChangedNs || known.Device != now.Device
        || known.Inode != now.Inode;
}
