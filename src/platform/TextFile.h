#pragma once

#include <QByteArray>
#include <QString>

/// Decodes file bytes: UTF-8 when they are valid UTF-8 (a byte-order mark is skipped), otherwise
/// Windows-1252, so that files made on other systems keep their accents.
QString DecodeText(const QByteArray& bytes);

/// Turns CR LF and lone CR line ends into LF.
QString NormaliseLineEnds(const QString& text);

enum class LineEnds { Lf, CrLf };

/// Reads a whole text file with DecodeText and normalised line ends.
bool ReadTextFile(const QString& path, QString& text, QString& error);

/// Writes text as UTF-8 without a byte-order mark, with the given line ends, atomically.
bool WriteTextFile(const QString& path, const QString& text, LineEnds lineEnds, QString& error);
