#pragma once

#include <QString>
#include <QStringList>

/// What `diff -r` finds between two folders, file names and bytes, with the folders' paths
/// shown as "project" and "backup": nothing when they hold the same files.
/// `excluded` names files and folders left out wherever they are.
QStringList FolderDiff(
    const QString& project, const QString& backup, const QStringList& excluded = {});

/// The same for a project folder and its backup, less the lock file of the project that is open.
QStringList BackupDiff(const QString& project, const QString& backup);
