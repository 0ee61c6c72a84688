#include "project/ProjectFolder.h"

#include "project/ProjectFiles.h"
#include "platform/NativeName.h"
#include "project/ProjectPaths.h"
#include "project/SyncConflict.h"

#include <algorithm>

QList<CardFileEntry> ListCardFiles(const QString& folder)
{
    QList<CardFileEntry> cards;
    for (const QString& fileName : RegularFileNames(folder)) {
        // A sync tool's conflict copy is another version of a card, not a card of its own.
        if (!IsCardFileName(fileName) || IsSyncConflictName(fileName))
            continue;
        const QString name = ReadableName(CardNameOfFile(fileName));
        if (name.size() <= ProjectPaths::MaxCardNameLength)
            cards.append({fileName, name});
    }
    std::sort(cards.begin(), cards.end(), [](const CardFileEntry& a, const CardFileEntry& b) {
        return a.FileName < b.FileName;
    });
    return cards;
}
