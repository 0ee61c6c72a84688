#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>

// File names are bytes. Qt spells them in UTF-8 and silently skips any that are not UTF-8, such
// as the names in a project unpacked from an archive made on another system. Here such a name is
// kept in a QString with each byte that is not part of a UTF-8 sequence as the character
// U+DC00 + byte (a lone surrogate, which no real name holds), so that it can be turned back into
// the very same bytes. Qt's file classes cannot open such a path; the platform functions can.

/// A native path or name as a QString, with bytes that are not UTF-8 escaped.
QString PathFromNative(QByteArrayView native);

/// The bytes the file system knows a path by.
QByteArray NativePath(const QString& path);

/// Whether a path holds escaped bytes, so that only the platform functions can open it.
bool HoldsRawBytes(const QString& path);

/// A name as a writer reads it: escaped bytes are read as Windows-1252.
QString ReadableName(const QString& name);

/// The names of the regular files in a folder (symbolic links to regular files included), as
/// the file system spells them, in no particular order. Empty when the folder cannot be read.
QStringList RegularFileNames(const QString& folder);

/// The system's words for an error number, such as "No space left on device".
QString SystemReason(int errorNumber);

enum class FileKind { Missing, Regular, Folder, Other };

/// What a path names, following symbolic links.
FileKind KindOf(const QString& path);
/// Whether anything stands under the name, a link that leads nowhere included: a name that a
/// new file must not take.
bool NameTaken(const QString& path);

/// Whether two paths name one file (as two spellings do where the file system ignores case).
bool SameFile(const QString& a, const QString& b);

/// Moves a file within its file system. A target that already exists (and is not the same
/// file) is not replaced; false, with the reason, when the file was not moved.
bool MoveFile(const QString& from, const QString& to, QString& reason);

/// Deletes a file (a link itself, never what it leads to); false, with the reason, when it could
/// not be deleted. A file that is already gone counts as deleted.
bool RemoveFile(const QString& path, QString& reason);

/// Creates one folder level (its parent must exist); false, with the reason, when it could not be
/// created, also when something of that name is already there.
bool MakeFolder(const QString& path, QString& reason);
