#pragma once

#include <QString>

/// Whether a file can be imported as a card's text: its extension is ".txt" or ".rtf", in any
/// letter case.
bool IsImportableFile(const QString& path);

/// The plain text of a ".txt" file, or of a ".rtf" document without its formatting, with LF
/// line ends. False with the reason when it cannot be read.
bool ReadImportFile(const QString& path, QString& text, QString& error);
