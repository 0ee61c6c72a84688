#include "editor/OtherVersion.h"

#include "platform/AtomicWrite.h"

#include <QDateTime>
#include <QFileInfo>

bool KeepOtherVersion(const QString& textFilePath, const QByteArray& bytes, QString& reason)
{
    const qsizetype dot = textFilePath.lastIndexOf(u'.');
    const QString stem = dot > textFilePath.lastIndexOf(u'/') ? textFilePath.left(dot) : textFilePath;
    const QString extension = textFilePath.mid(stem.size());
    const QString time = QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd hhmmss"));
    // Never replaces an earlier kept version: a second one in the same second is numbered.
    for (int copy = 1;; ++copy) {
        const QString number = copy == 1 ? QString() : QStringLiteral(" %1").arg(copy);
        const QString path = QStringLiteral("%1 (other version %2%3)%4").arg(stem, time, number, extension);
        if (CreateFileAtomically(path, bytes, reason))
            return true;
        if (copy == 100 || !QFileInfo::exists(path))
            return false;
    }
}
