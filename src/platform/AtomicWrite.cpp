#include "platform/AtomicWrite.h"

#include "platform/NativeName.h"

#include <QCryptographicHash>
#include <QSaveFile>

#include <cerrno>
#include <cstdio>
#include <sys/stat.h>
#include <unistd.h>

namespace {

/// Whether the file at `path` may be replaced: missing, or a regular file its owner may write.
bool Replaceable(const QString& path, QString& error)
{
    struct stat status {};
    if (::stat(NativePath(path).constData(), &status) != 0)
        return true;
    const QString name = ReadableName(path);
    if (!S_ISREG(status.st_mode)) {
        error = QStringLiteral("Cannot write '%1': not a regular file.").arg(name);
        return false;
    }
    // The system always lets the superuser write; a file whose owner may not write it is
    // read-only for this program whoever runs it, as a read-only file is on every desktop.
    if (!(status.st_mode & S_IWUSR)) {
        error = QStringLiteral("Cannot write '%1': the file is read-only.").arg(name);
        return false;
    }
    if (::access(NativePath(path).constData(), W_OK) != 0) {
        error = QStringLiteral("Cannot write '%1': %2").arg(name, SystemReason(errno));
        return false;
    }
    return true;
}

/// Writes through QSaveFile; `shownName` is the file the user knows.
bool SaveThroughQt(const QString& path, const QByteArray& bytes, const QString& shownName, QString& error)
{
    // Unbuffered, so that a failure reaches this function with the system's reason: Qt 6.4's
    // commit() reports success after its own buffered flush failed on a full disk, and a
    // buffered write cut short reports no reason at all.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        error = QStringLiteral("Cannot open '%1' for writing: %2").arg(shownName, file.errorString());
        return false;
    }
    const auto fail = [&] {
        error = QStringLiteral("Cannot write '%1': %2").arg(shownName, file.errorString());
        file.cancelWriting();
        return false;
    };
    // A write cut short is tried again for the rest, which then fails with the reason.
    for (qsizetype done = 0; done < bytes.size();) {
        const qint64 written = file.write(bytes.constData() + done, bytes.size() - done);
        if (written <= 0)
            return fail();
        done += written;
    }
    if (!file.flush() || file.error() != QFileDevice::NoError)
        return fail();
    if (!file.commit()) {
        error = QStringLiteral("Cannot save '%1': %2").arg(shownName, file.errorString());
        return false;
    }
    return true;
}

} // namespace

bool WriteFileAtomically(const QString& path, const QByteArray& bytes, QString& error,
                         const QString& confinedTo)
{
    error.clear();
    if (path.isEmpty()) {
        error = QStringLiteral("Cannot write a file without a name.");
        return false;
    }
    if (!confinedTo.isEmpty() && LeadsOutOf(path, confinedTo)) {
        error = QStringLiteral("'%1' is a link to a place outside the project folder; the program "
                               "never writes through it.")
                    .arg(ReadableName(path));
        return false;
    }
    if (!Replaceable(path, error))
        return false;
    const QString shownName = ReadableName(path);
    if (!HoldsRawBytes(path))
        return SaveThroughQt(path, bytes, shownName, error);

    // Qt cannot spell a name that is not UTF-8: the file is saved whole under a name it can
    // spell beside it, then moved over the original in one step.
    const qsizetype slash = path.lastIndexOf('/');
    const QString staging = path.left(slash + 1) + '.'
        + QCryptographicHash::hash(NativePath(path), QCryptographicHash::Md5).toHex() + ".saving";
    if (!SaveThroughQt(staging, bytes, shownName, error))
        return false;
    if (::rename(NativePath(staging).constData(), NativePath(path).constData()) != 0) {
        error = QStringLiteral("Cannot save '%1': %2").arg(shownName, SystemReason(errno));
        ::unlink(NativePath(staging).constData());
        return false;
    }
    return true;
}
