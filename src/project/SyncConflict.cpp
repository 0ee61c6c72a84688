#include "project/SyncConflict.h"

#include "platform/AsciiCase.h"
#include "platform/NativeName.h"
#include "project/ProjectPaths.h"

#include <QRegularExpression>
#include <algorithm>

namespace {
/// The names a tool gives a copy that are never a writer's: the marker is the tool's own.
QString MarkedOriginal(const QString& fileName)
{
    // The name before the marker and the extension after it make the original's name.
    static const QRegularExpression markers[] = {
        QRegularExpression(
            QStringLiteral(R"(^(.+)\.sync-conflict-\d{8}-\d{6}(?:-[A-Z0-9]{7})?(\.[^.]*)?$)")),
        QRegularExpression(QStringLiteral(
            R"(^(.+) \([^()]*conflicted copy \d{4}-\d{2}-\d{2}[^()]*\)(\.[^.]*)?$)")),
    };
    for (const QRegularExpression& marker : markers) {
        const QRegularExpressionMatch match = marker.match(fileName);
        if (match.hasMatch())
            return match.captured(1) + match.captured(2);
    }
    return {};
}

/// The name of the original as `folderNames` spell it, when it is there: letter case counts
/// only where `anyCase` says not.
QString Beside(const QString& original, const QStringList& folderNames, bool anyCase)
{
    if (folderNames.contains(original))
        return original;
    if (anyCase)
        for (const QString& name : folderNames)
            if (SameIgnoringAsciiCase(name, original))
                return name;
    return {};
}

/// The plainer names, counted only beside their original: a number in brackets, "(Case
/// Conflict)", and a machine's name after a hyphen, as a computer names itself (capitals, digits
/// and hyphens, at most fifteen).
QString PlainOriginal(const QString& fileName, const QStringList& folderNames)
{
    static const QRegularExpression numbered(QStringLiteral(R"(^(.+) \(\d{1,3}\)(\.[^.]*)?$)"));
    static const QRegularExpression caseConflict(
        QStringLiteral(R"(^(.+) \(Case Conflict(?: \d{1,3})?\)(\.[^.]*)?$)"));
    if (const QRegularExpressionMatch match = numbered.match(fileName); match.hasMatch())
        return Beside(match.captured(1) + match.captured(2), folderNames, false);
    if (const QRegularExpressionMatch match = caseConflict.match(fileName); match.hasMatch())
        return Beside(match.captured(1) + match.captured(2), folderNames, true);

    static const QRegularExpression machine(
        QStringLiteral(R"(^(?=.*[A-Z])[A-Z0-9][A-Z0-9-]{1,14}$)"));
    static const QRegularExpression roman(QStringLiteral(R"(^[IVXLCDM]+$)"));
    const qsizetype dot = fileName.lastIndexOf(u'.');
    const QString base = dot > 0 ? fileName.left(dot) : fileName;
    const QString extension = dot > 0 ? fileName.mid(dot) : QString();
    // A machine's name may hold hyphens of its own ("DESKTOP-4F2K9QZ"): each hyphen may begin it.
    for (qsizetype hyphen = base.indexOf(u'-', 1); hyphen > 0;
         hyphen = base.indexOf(u'-', hyphen + 1)) {
        const QString suffix = base.mid(hyphen + 1);
        if (!machine.match(suffix).hasMatch() || roman.match(suffix).hasMatch())
            continue;
        if (const QString original = Beside(base.left(hyphen) + extension, folderNames, false);
            !original.isEmpty())
            return original;
    }
    return {};
}

/// Whether a card file of the project folder, whose names are `cardFolderNames`, holds a card.
bool HoldsCard(const QString& cardFileName, const QStringList& cardFolderNames)
{
    return cardFolderNames.contains(cardFileName)
        && SyncConflictOriginal(cardFileName, cardFolderNames).isEmpty();
}

/// The copy `name` in `folder` is, given the names of its folder and of the project folder.
std::optional<SyncConflictCopy> CopyIn(const QString& projectFolder, const QString& folder,
    const QString& name, const QStringList& folderNames, const QStringList& cardFolderNames)
{
    const QString original = SyncConflictOriginal(name, folderNames);
    if (original.isEmpty())
        return std::nullopt;
    if (folder != projectFolder && name.endsWith(ProjectPaths::TextExtension, Qt::CaseInsensitive)
        && HoldsCard(name.chopped(ProjectPaths::TextExtension.size()) + ProjectPaths::CardExtension,
            cardFolderNames))
        return std::nullopt;
    return SyncConflictCopy { folder + name, folder + original };
}
} // namespace

QString SyncConflictOriginal(const QString& fileName, const QStringList& folderNames)
{
    const QString marked = MarkedOriginal(fileName);
    return marked.isEmpty() ? PlainOriginal(fileName, folderNames) : marked;
}

QList<SyncConflictCopy> SyncConflictsAmong(const QString& projectFolder, const QStringList& paths)
{
    // Both folders are listed once, however many files a sync tool brought at once.
    const QString textFolder = projectFolder + ProjectPaths::TextFilesFolder;
    std::optional<QStringList> cardFolderNames;
    std::optional<QStringList> textFolderNames;
    QList<SyncConflictCopy> copies;
    for (const QString& path : paths) {
        const qsizetype slash = path.lastIndexOf(u'/') + 1;
        const QString folder = path.left(slash);
        if (folder != projectFolder && folder != textFolder)
            continue;
        if (!cardFolderNames)
            cardFolderNames = RegularFileNames(projectFolder);
        if (folder == textFolder && !textFolderNames)
            textFolderNames = RegularFileNames(textFolder);
        if (const std::optional<SyncConflictCopy> copy
            = CopyIn(projectFolder, folder, path.mid(slash),
                folder == projectFolder ? *cardFolderNames : *textFolderNames, *cardFolderNames))
            copies.append(*copy);
    }
    return copies;
}

QList<SyncConflictCopy> ListSyncConflicts(const QString& projectFolder)
{
    QList<SyncConflictCopy> copies;
    const QStringList cardFolderNames = RegularFileNames(projectFolder);
    for (const QString& folder : { projectFolder, projectFolder + ProjectPaths::TextFilesFolder }) {
        QStringList names = folder == projectFolder ? cardFolderNames : RegularFileNames(folder);
        std::sort(names.begin(), names.end());
        for (const QString& name : names)
            if (const std::optional<SyncConflictCopy> copy
                = CopyIn(projectFolder, folder, name, names, cardFolderNames))
                copies.append(*copy);
    }
    return copies;
}
