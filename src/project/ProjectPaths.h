#pragma once

#include <QString>

/// The names a project is made of on disk, in one place: the project file's and card files'
/// extensions, the folder of the card texts, the settings file, and how long a card name may be.
namespace ProjectPaths {
/// The extension of project files, with and without its dot.
inline const QString ProjectExtension = QStringLiteral(".nodex");
inline const QString ProjectSuffix = QStringLiteral("nodex");
/// The extension of card files, with and without its dot.
inline const QString CardExtension = QStringLiteral(".ndx");
inline const QString CardSuffix = QStringLiteral("ndx");
/// The folder of the card texts inside the project folder, with its trailing "/".
inline const QString TextFilesFolder = QStringLiteral("Text Files/");
/// The extension of a card's text file.
inline const QString TextExtension = QStringLiteral(".txt");
/// The file of the project's days of writing, in the project folder.
inline const QString WritingHistoryFile = QStringLiteral("Writing History.txt");
/// The settings file beside the program (and the editor placement section's file).
/// Card names longer than this are refused when typed, and their files are not loaded.
constexpr int MaxCardNameLength = 40;

/// The text file of a card in a project folder (with its trailing "/").
inline QString TextFilePath(const QString& projectFolder, const QString& cardName)
{
    return projectFolder + TextFilesFolder + cardName + TextExtension;
}
} // namespace ProjectPaths
