#pragma once

#include <QByteArray>
#include <QString>
#include <QStringView>

/// Replaces the file at `path` with `bytes` in one step: the bytes go to a temporary file beside
/// it, are flushed to the disk, and only then take the file's place, so that a crash, a full
/// disk or a failing write leaves the previous file intact. Only a regular file is replaced: a
/// symbolic link is never written through, whatever it leads to, so that no other file can be
/// changed by a write to this one. An existing file keeps its permissions. On failure `error`
/// names the file and gives the system's reason, and false is returned.
bool WriteFileAtomically(const QString& path, const QByteArray& bytes, QString& error);

struct FileIdentity;

enum class GuardedWrite { Written, ChangedOnDisk, Failed };

/// WriteFileAtomically for a file the program has read: when the file is no longer the one
/// `known` describes (see ChangedSince) and has not simply been removed, nothing is written and ChangedOnDisk is returned, so
/// that the caller can ask before another program's change is overwritten. After a write
/// `known` describes the new file, so that the next save compares with it.
GuardedWrite WriteFileIfUnchanged(const QString& path, const QByteArray& bytes, FileIdentity& known,
                                  QString& error);

/// Writes a new file as WriteFileAtomically does, but never replaces anything: when a file (or a
/// link, or a folder) of that name exists, or appears while the bytes are written, nothing is
/// changed and false is returned with the reason ("File exists").
bool CreateFileAtomically(const QString& path, const QByteArray& bytes, QString& error);

/// The temporary name beside a native path that the writes above go through: "." + its name +
/// ".nodex-tmp", or a hash in place of a name too long for that.
QByteArray TempPathBeside(const QByteArray& nativePath);

/// Whether a file name is one of the temporary files WriteFileAtomically writes through:
/// "." + the replaced file's name + ".nodex-tmp" (or a hash in place of a very long name).
bool IsWriteTempName(QStringView fileName);

/// Removes from `folder` the temporary files that killed writes left behind: exactly the files
/// named as IsWriteTempName says, and only those no write of this or another process holds.
void RemoveWriteLeftovers(const QString& folder);
