#pragma once

#include <QString>

/// Copies the regular file `from` byte for byte into a new file `to`, which takes the original's
/// permissions. Nothing at `to` is replaced or written through: an existing file or link there
/// fails the copy. On failure nothing is left at `to`, and `error` names the file and gives the
/// system's reason.
bool CopyIntoNewFile(const QString& from, const QString& to, QString& error);
