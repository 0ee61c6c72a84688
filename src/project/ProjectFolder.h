#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

/// A card file found in a project folder.
struct CardFileEntry {
    QString FileName; ///< as the file system spells it (see NativeName.h)
    QString Name;     ///< the card's name: the file name without ".ndx", readable
};

/// The card a file in a project folder holds, by its name and the names of the other files
/// there (`folderNames`, which tell a sync tool's copy by its original); none for a file that is
/// no card file (see ListCardFiles).
std::optional<CardFileEntry> CardFileEntryOf(
    const QString& fileName, const QStringList& folderNames);

/// The card files of a project folder in name order, so that a project opens the same way on
/// every file system: regular files (or links to them) ending in ".ndx" in any letter case,
/// with names of at most MaxCardNameLength characters, sync tools' conflict copies left out.
/// Names that are not UTF-8 read as Windows-1252.
QList<CardFileEntry> ListCardFiles(const QString& folder);

/// The project files of a folder (regular files ending in ".nodex" in any letter case, hidden
/// ones left out), in name order.
QStringList ProjectFileNames(const QString& folder);
/// Whether a folder already holds a project: a project file or any card file. The loader takes
/// every card file of a folder as a card of its project, so a second project saved there
/// would share those cards.
bool HoldsProject(const QString& folder);
