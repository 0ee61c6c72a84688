#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>

#include <memory>

struct z_stream_s;

/// Builds a zip archive in memory, entry by entry, as any unzip tool reads it: each file
/// deflated (or stored when deflating would not make it smaller) with its CRC-32, its time and
/// its permissions. Names are kept as the file system spells them: a name in UTF-8 carries the
/// archive's UTF-8 flag, any other is kept as its very bytes. More than 65,535 entries are
/// written with the archive's 64-bit end records.
class BackupZipWriter {
public:
    BackupZipWriter();
    ~BackupZipWriter();
    BackupZipWriter(const BackupZipWriter&) = delete;
    BackupZipWriter& operator=(const BackupZipWriter&) = delete;

    /// Adds a file under `name` (its path in the archive, "/" between folders). False with the
    /// reason when the archive would pass 4 GiB, which a zip without 64-bit sizes cannot address.
    bool Add(const QByteArray& name, const QByteArray& bytes, const QDateTime& modified,
        unsigned permissions, QString& reason);
    /// The whole archive, with `comment` (at most 65,535 bytes) at its end.
    QByteArray Finish(const QByteArray& comment);

    /// The comment at the end of a zip archive's bytes; empty when they do not end as an
    /// archive does.
    static QByteArray Comment(const QByteArray& tail);
    /// How many bytes at the end of a file hold its comment, whatever the comment's length.
    static constexpr qsizetype LongestTail = 22 + 0xFFFF;
    /// The size an archive without 64-bit sizes stays below.
    static constexpr quint64 LargestArchive = 0xFFFFFFFFu;

private:
    QByteArray FArchive;
    QByteArray FDirectory; ///< the central directory, written after the last entry
    quint64 FCount = 0;
    std::unique_ptr<z_stream_s> FStream;
};
