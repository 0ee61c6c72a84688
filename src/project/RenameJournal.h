#pragma once

#include <QString>

// A card's rename changes several files: the new card file, the text file, the card files that
// link to the card, and the old card file. A small journal in the project folder records the
// rename before the first of them changes and goes after the last, so that a rename cut short by
// a crash is found at the next open and finished: once the new card file is on disk the rename
// goes through; before that nothing has changed and the journal alone goes.

/// What one rename moves, as file names inside the project folder.
struct CardRename {
    QString OldCardFile; ///< "A.ndx", as the file system spells it
    QString NewCardFile; ///< "B.ndx"
};

/// The journal's path in a project folder (which ends with "/").
QString RenameJournalPath(const QString& projectFolder);

/// Records a rename before any of its files change; false, with the reason, when it could not.
bool BeginCardRename(const QString& projectFolder, const CardRename& rename, QString& reason);
/// The rename is complete: its journal goes.
void EndCardRename(const QString& projectFolder);

/// Points a card file's link at `newName` when it names `oldName`, key by key; false, with the
/// reason, when the file could not be read or written.
bool RelinkCardFile(const QString& path, const QString& oldName, const QString& newName, QString& reason);

/// Finishes a rename that a crash cut short, or drops its journal when none of its files had
/// changed yet. Called before a project's cards are read.
void FinishInterruptedRename(const QString& projectFolder);
