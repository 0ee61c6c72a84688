#pragma once

#include <QByteArray>
#include <QString>

/// Replaces the file at `path` with `bytes` in one step: a crash, a full disk or a failing write
/// leaves the previous file intact. On failure `error` says why and false is returned.
bool WriteFileAtomically(const QString& path, const QByteArray& bytes, QString& error);
