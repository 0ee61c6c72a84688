#pragma once

#include "project/ProjectFiles.h"

#include <QList>
#include <QString>

/// A card to be copied into another project.
struct CardToCopy {
    QString FileName; ///< its files' name without ".ndx", spelt as the file system spells it
    CardFileData Record; ///< the keys its card file gets (all but the link)
};

/// How a copy of cards into another project went.
struct CardCopyOutcome {
    bool AllCopied = true;
    QString Reason; ///< why a file could not be written, when it was more than a name already taken
};

/// Copies cards, in order, from the project folder `source` into the project folder
/// `destination` (both ending with "/"): each gets a card file with its own keys but no link, as
/// copied cards arrive unlinked, and a copy of its text. Nothing there is ever replaced, not even
/// by a file that appears while the copy runs. The first card whose card file name is taken there
/// (compared without regard to letter case, as names are within a project) ends the copy, and so
/// does a card file that cannot be written. A text that cannot be copied (its name taken, no
/// text yet, no "Text Files/" folder there) leaves the copy incomplete, and the copy goes on.
CardCopyOutcome CopyCardsToProject(
    const QList<CardToCopy>& cards, const QString& source, const QString& destination);
