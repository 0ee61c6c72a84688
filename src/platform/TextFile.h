#pragma once

#include <QByteArray>
#include <QString>

struct FileIdentity;

/// Decodes file bytes. A byte-order mark decides (UTF-8, UTF-16 LE or BE); without one each line
/// that is valid UTF-8 is UTF-8 and any other line Windows-1252, so that files made on other
/// systems keep their accents and one stray byte does not garble the lines around it.
QString DecodeText(const QByteArray& bytes);

/// Turns CR LF and lone CR line ends into LF.
QString NormaliseLineEnds(QString text);

enum class LineEnds { Lf, CrLf };

/// Text as it is written: UTF-8 without a byte-order mark, every line end (CR LF, CR or LF) as
/// `lineEnds` says.
QByteArray EncodeText(QStringView text, LineEnds lineEnds);

/// Appends a text file's text as the compilation writes it: decoded as DecodeText does, UTF-8,
/// every line end (CR LF, CR or LF) written as CR LF. A file that is UTF-8 (the common case) is
/// copied byte by byte without being decoded.
void AppendCrLfText(QByteArray& out, const QByteArray& fileBytes);

/// Reads the bytes of a regular file (a symbolic link to one is followed). Anything else (a FIFO,
/// a device, a folder) is refused without being opened: reading it could block for ever. With
/// `maxBytes`, a larger file is refused before it is read.
bool ReadFileBytes(const QString& path, QByteArray& bytes, QString& error, qint64 maxBytes = -1);

enum class FileRead { Read, Missing, Failed };

/// ReadFileBytes for a file that may not be there: a missing file (or folder on its path) is
/// Missing, not an error, and is found by the open itself rather than by a look beforehand.
FileRead ReadFileIfPresent(const QString& path, QByteArray& bytes, QString& error, qint64 maxBytes = -1);

/// ReadFileIfPresent that also gives the identity of what was read, for a later write or look
/// to compare with (see FileIdentity). A missing file's identity does not exist.
FileRead ReadFileIdentified(const QString& path, QByteArray& bytes, FileIdentity& identity, QString& error,
                            qint64 maxBytes = -1);

/// Reads a whole text file with ReadFileBytes, DecodeText and normalised line ends.
bool ReadTextFile(const QString& path, QString& text, QString& error);

/// Writes text as UTF-8 without a byte-order mark, with the given line ends, atomically and
/// never through a link (see WriteFileAtomically).
bool WriteTextFile(const QString& path, const QString& text, LineEnds lineEnds, QString& error);

/// Whether bytes can be read as text: they have a UTF-16 byte-order mark, or hold no NUL byte
/// (UTF-16 without its mark, or a file that is no text at all, would decode to rubbish that a
/// write would make permanent).
bool ReadsAsText(const QByteArray& bytes);
