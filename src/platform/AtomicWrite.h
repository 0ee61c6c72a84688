#pragma once

#include <QByteArray>
#include <QString>

/// Replaces the file at `path` with `bytes` in one step: a crash, a full disk or a failing write
/// leaves the previous file intact. Only a regular file (or a symbolic link to one) is replaced.
/// On failure `error` names the file and gives the system's reason, and false is returned.
bool WriteFileAtomically(const QString& path, const QByteArray& bytes, QString& error);
