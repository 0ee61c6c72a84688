#include "platform/AtomicWrite.h"

#include <QFileInfo>
#include <QSaveFile>

bool WriteFileAtomically(const QString& path, const QByteArray& bytes, QString& error)
{
    error.clear();
    if (path.isEmpty()) {
        error = QStringLiteral("Cannot write a file without a name.");
        return false;
    }

    const QFileInfo existing(path);
    if (existing.exists()) {
        if (!existing.isFile()) {
            error = QStringLiteral("Cannot write '%1': not a regular file.").arg(path);
            return false;
        }
        // QSaveFile asks the system whether the file may be written, which always says yes to
        // the superuser; a file whose owner may not write it is read-only for this program
        // whoever runs it, as a read-only file is on every desktop.
        if (!(existing.permissions() & QFileDevice::WriteOwner)) {
            error = QStringLiteral("Cannot write '%1': the file is read-only.").arg(path);
            return false;
        }
        // QSaveFile's own words for this case repeat the path and give no reason.
        if (!existing.isWritable()) {
            error = QStringLiteral("Cannot write '%1': Permission denied").arg(path);
            return false;
        }
    }

    // Unbuffered, so that a failure reaches this function with the system's reason: Qt 6.4's
    // commit() reports success after its own buffered flush failed on a full disk, and a
    // buffered write cut short reports no reason at all.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        error = QStringLiteral("Cannot open '%1' for writing: %2").arg(path, file.errorString());
        return false;
    }
    const auto fail = [&] {
        error = QStringLiteral("Cannot write '%1': %2").arg(path, file.errorString());
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
        error = QStringLiteral("Cannot save '%1': %2").arg(path, file.errorString());
        return false;
    }
    return true;
}
