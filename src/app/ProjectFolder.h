#pragma once

#include <QList>
#include <QSet>
#include <QString>

/// A card file found in a project folder.
struct CardFileEntry {
    QString FileName; ///< as the file system spells it (see NativeName.h)
    QString Name;     ///< the card's name: the file name without ".ndx", readable
};

/// The card files of a project folder in name order, so that a project opens the same way on
/// every file system: regular files (or links to them) ending in ".ndx" in any letter case,
/// with names of at most MaxCardNameLength characters. Names that are not UTF-8 read as
/// Windows-1252.
QList<CardFileEntry> ListCardFiles(const QString& folder);

/// Whether `fileName` is what a save that was killed leaves beside a file it replaces: the
/// replaced file's name, a dot and six random letters or digits.
bool IsSaveLeftover(const QString& fileName, const QSet<QString>& replacedFileNames);

/// Removes the leftovers of killed saves of `replacedFileNames` from `folder`, among
/// `fileNames`, the folder's regular files as RegularFileNames lists them.
void RemoveSaveLeftovers(const QString& folder, const QStringList& fileNames,
                         const QSet<QString>& replacedFileNames);
