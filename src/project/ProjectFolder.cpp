#include "project/ProjectFolder.h"

#include "project/ProjectFiles.h"
#include "platform/NativeName.h"
#include "project/ProjectPaths.h"
#include "project/SyncConflict.h"

#include <algorithm>

std::optional<CardFileEntry> CardFileEntryOf(
    const QString& fileName, const QStringList& folderNames)
{
    // A sync tool's conflict copy is another version of a card, not a card of its own.
    if (!IsCardFileName(fileName) || !SyncConflictOriginal(fileName, folderNames).isEmpty())
        return std::nullopt;
    const QString name = ReadableName(CardNameOfFile(fileName));
    if (name.size() > ProjectPaths::MaxCardNameLength)
        return std::nullopt;
    return CardFileEntry{fileName, name};
}

QList<CardFileEntry> ListCardFiles(const QString& folder)
{
    QList<CardFileEntry> cards;
    const QStringList names = RegularFileNames(folder);
    for (const QString& fileName : names)
        if (const std::optional<CardFileEntry> entry = CardFileEntryOf(fileName, names))
            cards.append(*entry);
    std::sort(cards.begin(), cards.end(), [](const CardFileEntry& a, const CardFileEntry& b) {
        return a.FileName < b.FileName;
    });
    return cards;
}

namespace {
/// A project file's name; hidden ones are the program's own (a project's lock).
bool IsProjectFileName(const QString& fileName)
{
    return !fileName.startsWith('.') && fileName.endsWith(ProjectPaths::ProjectExtension, Qt::CaseInsensitive);
}
} // namespace

QStringList ProjectFileNames(const QString& folder)
{
    QStringList projects;
    for (const QString& fileName : RegularFileNames(folder))
        if (IsProjectFileName(fileName))
            projects << fileName;
    projects.sort();
    return projects;
}

bool HoldsProject(const QString& folder)
{
    const QStringList names = RegularFileNames(folder);
    return std::any_of(names.cbegin(), names.cend(), [](const QString& fileName) {
        return IsCardFileName(fileName) || IsProjectFileName(fileName);
    });
}
