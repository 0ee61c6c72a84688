#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

/// A file's bytes kept in memory by an undo step, so that the step can put the file back byte
/// for byte, and can tell whether the file was changed on disk since.
class KeptFile {
public:
    KeptFile() = default;
    /// Keeps what `path` holds now; a missing file is kept as missing. False, with the reason,
    /// when an existing file cannot be read.
    bool Keep(const QString& path, QString& reason);
    /// Keeps bytes just read from (or written to) `path`, without reading them again.
    void Keep(const QString& path, QByteArray bytes);
    /// The file now goes by another name (its card was renamed): it is compared and put back
    /// there.
    void Follow(const QString& path) { FPath = path; }

    const QString& Path() const { return FPath; }
    bool Exists() const { return FBytes.has_value(); }
    qint64 Size() const { return FBytes ? FBytes->size() : 0; }
    /// Whether the file on disk is as kept: the same bytes, or missing as it was.
    bool Unchanged() const;
    /// Puts the kept file back: the bytes written atomically, or the file removed when it was
    /// missing. False, with the reason, when that fails.
    bool Restore(QString& reason) const;

private:
    QString FPath;
    std::optional<QByteArray> FBytes;
};
