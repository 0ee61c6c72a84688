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

    // QSaveFile asks the system whether the file may be written, which always says yes to the
    // superuser; a file whose owner may not write it is read-only for this program whoever
    // runs it, as a read-only file is on every desktop.
    const QFileInfo existing(path);
    if (existing.exists() && existing.isFile()
        && !(existing.permissions() & QFileDevice::WriteOwner)) {
        error = QStringLiteral("Cannot write '%1': the file is read-only.").arg(path);
        return false;
    }

    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        error = QStringLiteral("Cannot open '%1' for writing: %2").arg(path, file.errorString());
        return false;
    }
    if (file.write(bytes) != bytes.size()) {
        error = QStringLiteral("Cannot write '%1': %2").arg(path, file.errorString());
        file.cancelWriting();
        return false;
    }
    if (!file.commit()) {
        error = QStringLiteral("Cannot save '%1': %2").arg(path, file.errorString());
        return false;
    }
    return true;
}
