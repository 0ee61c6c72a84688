#include "backup/CardCopy.h"

#include "platform/AsciiCase.h"
#include "platform/AtomicWrite.h"
#include "platform/IniFile.h"
#include "platform/NativeName.h"
#include "project/CardTexts.h"
#include "project/ProjectPaths.h"

#include <algorithm>

namespace {

/// Whether a card file of this name stands in the destination: spelt so, or spelt otherwise only
/// in letter case.
bool NameTaken(const QString& destination, const QStringList& names, const QString& fileName)
{
    return NameTaken(destination + fileName)
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
        if (!CardTexts(source).CopyTo(destination, card.FileName, reason)) {
            outcome.AllCopied = false;
            if (outcome.Reason.isEmpty())
                outcome.Reason = reason;
        }
    }
    return outcome;
}
