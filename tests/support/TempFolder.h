#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

/// A temporary folder that tests fill with files: paths are relative to it, parent folders are
/// made as needed, names that are not UTF-8 are given as PathFromNative escapes them, and
/// everything is removed when the test ends.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();

    /// Absolute path of a file or folder inside, joined with "/".
    QString Path(const QString& relative = {}) const;
    /// Writes bytes to a file inside, making its folders; returns its absolute path.
    QString Write(const QString& relative, const QByteArray& bytes) const;
    /// The bytes of a file inside; empty when it is missing.
    QByteArray Read(const QString& relative) const;
    bool Exists(const QString& relative) const;
    /// Makes a folder inside; returns its absolute path with a trailing "/".
    QString MakeFolder(const QString& relative) const;

private:
    QTemporaryDir FDir;
};
