#pragma once

#include <QByteArray>
#include <QString>

/// A project file's name without its first ".nodex" (exact case), as backups are named.
QString ProjectBaseName(const QString& projectFileName);

/// The project's path with every link resolved, so that two ways to one project are one.
QByteArray RealProjectPath(const QString& projectFolder, const QString& projectFileName);

/// What names one project among the writer's files kept outside it (automatic backups, unsaved
/// texts, the view): its base name + " (" + eight hexadecimal digits of its real path's hash +
/// ")", so that two projects of the same name in different folders keep theirs apart.
QString ProjectKey(const QString& projectFolder, const QString& projectFileName);
