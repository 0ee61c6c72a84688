#include "TempFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

TempFolder::TempFolder() = default;

QString TempFolder::Path(const QString& relative) const
{
    return relative.isEmpty() ? FDir.path() + "/" : FDir.path() + "/" + relative;
}

QString TempFolder::Write(const QString& relative, const QByteArray& bytes) const
{
    const QString path = Path(relative);
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        qFatal("test fixture could not be written: %s", qPrintable(path));
    return path;
}

QByteArray TempFolder::Read(const QString& relative) const
{
    QFile file(Path(relative));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
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
