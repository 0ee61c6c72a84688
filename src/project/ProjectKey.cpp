#include "project/ProjectKey.h"

#include "platform/NativeName.h"
#include "project/ProjectPaths.h"

#include <QCryptographicHash>

#include <climits>
#include <cstdlib>

QString ProjectBaseName(const QString& projectFileName)
{
    QString base = projectFileName;
    if (const qsizetype extension = base.indexOf(ProjectPaths::ProjectExtension); extension >= 0)
        base.remove(extension, ProjectPaths::ProjectExtension.size());
    return base;
}

QByteArray RealProjectPath(const QString& projectFolder, const QString& projectFileName)
{
    const QByteArray path = NativePath(projectFolder + projectFileName);
    char resolved[PATH_MAX];
    return ::realpath(path.constData(), resolved) ? QByteArray(resolved) : path;
}

QString ProjectKey(const QString& projectFolder, const QString& projectFileName)
{
    const QByteArray real = RealProjectPath(projectFolder, projectFileName);
    const QString hash = QString::fromLatin1(
        QCryptographicHash::hash(real, QCryptographicHash::Sha256).toHex().left(8));
    return ProjectBaseName(projectFileName) + " (" + hash + ")";
}
