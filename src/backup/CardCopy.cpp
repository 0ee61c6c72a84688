#include "backup/CardCopy.h"

#include "platform/AsciiCase.h"
#include "platform/AtomicWrite.h"
#include "platform/ConfinedFolder.h"
#include "platform/IniFile.h"
#include "platform/NativeName.h"
#include "platform/TextFile.h"
#include "project/ProjectPaths.h"

#include <algorithm>
#include <sys/stat.h>

namespace {

bool Exists(const QString& path)
{
    struct stat status { };
    return ::lstat(NativePath(path).constData(), &status) == 0;
}

/// Whether a card file of this name stands in the destination: spelt so, or spelt otherwise only
/// in letter case.
bool NameTaken(const QString& destination, const QStringList& names, const QString& fileName)
{
    return Exists(destination + fileName)
        || std::any_of(names.begin(), names.end(),
            [&](const QString& name) { return SameIgnoringAsciiCase(name, fileName); });
}

QByteArray CopiedCardFile(const CardFileData& record)
{
    IniFile file;
    file.LoadFromBytes({});
    WriteCardState(file, record);
    return file.ToBytes();
}

/// Copies a card's text; false, with a reason when there is more to say than that the text was
/// not there to copy or its name was taken.
bool CopyText(
    const QString& fileName, const QString& source, const QString& destination, QString& reason)
{
    const QString text = ProjectPaths::TextFilesFolder + fileName + ProjectPaths::TextExtension;
    // A text reached through a link out of its project stays out, and no text goes out of the
    // other project through a link.
    if (ConfinedFolder(source).Check(source + text) != ConfinedFolder::Entry::Inside
        || !ConfinedFolder(destination).HoldsFolder(destination + ProjectPaths::TextFilesFolder)
        || Exists(destination + text))
        return false;
    QByteArray bytes;
    return ReadFileBytes(source + text, bytes, reason)
        && CreateFileAtomically(destination + text, bytes, reason);
}
} // namespace

CardCopyOutcome CopyCardsToProject(
    const QList<CardToCopy>& cards, const QString& source, const QString& destination)
{
    CardCopyOutcome outcome;
    QStringList names = RegularFileNames(destination);
    for (const CardToCopy& card : cards) {
        const QString cardFile = card.FileName + ProjectPaths::CardExtension;
        QString reason;
        if (NameTaken(destination, names, cardFile)
            || !CreateFileAtomically(destination + cardFile, CopiedCardFile(card.Record), reason)) {
            outcome.AllCopied = false;
            outcome.Reason = reason;
            break;
        }
        names << cardFile;
        if (!CopyText(card.FileName, source, destination, reason)) {
            outcome.AllCopied = false;
            if (outcome.Reason.isEmpty())
                outcome.Reason = reason;
        }
    }
    return outcome;
}
