#pragma once

#include <QByteArray>
#include <QString>

struct stat;

/// What a file was when the program last read or wrote it: enough to tell later whether
/// something else (a sync tool, another copy of the program, an editor) has changed it since.
struct FileIdentity {
    bool Exists = false;
    qint64 Size = 0;
    qint64 ModifiedNs = 0;
    /// The change time, which every write moves and no program can set back.
    qint64 ChangedNs = 0;
    quint64 Device = 0;
    quint64 Inode = 0;
    /// A hash of the content of a file up to HashedFileBytes; empty for a larger one.
    QByteArray Hash;
};

/// Files up to this size are told apart by their content, so that a rewrite within the file
/// system's time resolution is seen, and a copy of identical bytes is not taken for a change.
constexpr qint64 HashedFileBytes = 1 << 20;

/// The identity of a file from the status of its open handle and the bytes read from it or
/// written to it.
FileIdentity IdentityOf(const struct stat& status, const QByteArray& bytes);

/// The identity of the file at `path` as it is now (a symbolic link is followed, as reading
/// does). A missing file has an identity that does not exist; a file that cannot be looked at
/// has one that matches nothing.
FileIdentity CurrentIdentity(const QString& path);

/// Whether the file whose identity was `known` is no longer the same file, judged by `now`:
/// small files by their content, larger ones by size, modification and change time and inode.
bool ChangedSince(const FileIdentity& known, const FileIdentity& now);
