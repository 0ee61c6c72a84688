#include "FolderDiff.h"

#include <QProcess>
#include <gtest/gtest.h>

QStringList FolderDiff(const QString& project, const QString& backup, const QStringList& excluded)
{
    const QString a = project.endsWith('/') ? project.chopped(1) : project;
    const QString b = backup.endsWith('/') ? backup.chopped(1) : backup;
    QProcess diff;
    QStringList arguments { "-r" };
    for (const QString& name : excluded)
        arguments << "-x" << name;
    diff.start("diff", arguments << a << b);
    EXPECT_TRUE(diff.waitForFinished(-1));
    QString output = QString::fromLocal8Bit(diff.readAllStandardOutput());
    output.replace(a, "project").replace(b, "backup");
    return output.split('\n', Qt::SkipEmptyParts);
}

QStringList BackupDiff(const QString& project, const QString& backup)
{
    QStringList differences = FolderDiff(project, backup);
    differences.removeIf(
        [](const QString& line) { return line.startsWith("Only in project: .~lock."); });
    return differences;
}
