#pragma once

#include <QByteArray>
#include <QString>

/// Replaces the file at `path` with `bytes` in one step: a crash, a full disk or a failing write
/// leaves the previous file intact. Only a regular file (or a symbolic link to one) is replaced.
/// On failure `error` names the file and gives the system's reason, and false is returned.
/// With `confinedTo` (a folder ending with "/"), a path that is a symbolic link leading out of
/// that folder, or one that cannot be followed, is refused: nothing the program writes for a
/// project may land outside it.
bool WriteFileAtomically(const QString& path, const QByteArray& bytes, QString& error,
                         const QString& confinedTo = {});
