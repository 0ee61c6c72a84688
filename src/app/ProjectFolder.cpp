#include "app/ProjectFolder.h"

#include "app/ProjectFiles.h"
#include "platform/NativeName.h"

#include <QLoggingCategory>
#include <QRegularExpression>

#include <algorithm>
#include <sys/stat.h>
#include <unistd.h>

Q_LOGGING_CATEGORY(lcProjectFolder, "nodex.project")

namespace {
constexpr int RandomPartLength = 6;

bool IsRandomPart(QStringView part)
{
    if (part.size() != RandomPartLength)
        return false;
    bool upper = false;
    bool lower = false;
    for (const QChar c : part) {
        // Qt draws the six characters from the letters A to Z and a to z alone.
        if (c.unicode() > 0x7F || !c.isLetter())
            return false;
        upper = upper || c.isUpper();
        lower = lower || c.isLower();
    }
    // Random letters mix their cases; a word a writer put there ("backup", "BACKUP", "Backup",
    // "OldOne") is left alone, even at the cost of leaving a leftover that happens to look like one.
    static const QRegularExpression word(QStringLiteral("^[A-Z]?[a-z]+([A-Z][a-z]+)*$"));
    return upper && lower && !word.match(part).hasMatch();
}
} // namespace

QList<CardFileEntry> ListCardFiles(const QString& folder)
{
    QList<CardFileEntry> cards;
    for (const QString& fileName : RegularFileNames(folder)) {
        if (!IsCardFileName(fileName))
            continue;
        const QString name = ReadableName(CardNameOfFile(fileName));
        if (name.size() <= MaxCardNameLength)
            cards.append({fileName, name});
    }
    std::sort(cards.begin(), cards.end(), [](const CardFileEntry& a, const CardFileEntry& b) {
        return a.FileName < b.FileName;
    });
    return cards;
}

bool IsSaveLeftover(const QString& fileName, const QSet<QString>& replacedFileNames)
{
    const qsizetype dot = fileName.size() - RandomPartLength - 1;
    return dot > 0 && fileName[dot] == '.' && IsRandomPart(QStringView(fileName).sliced(dot + 1))
        && replacedFileNames.contains(fileName.left(dot));
}

void RemoveSaveLeftovers(const QString& folder, const QStringList& fileNames,
                         const QSet<QString>& replacedFileNames)
{
    for (const QString& fileName : fileNames) {
        if (!IsSaveLeftover(fileName, replacedFileNames))
            continue;
        const QByteArray path = NativePath(folder + fileName);
        struct stat status {};
        // A link is never a leftover of ours.
        if (::lstat(path.constData(), &status) != 0 || !S_ISREG(status.st_mode))
            continue;
        if (::unlink(path.constData()) != 0)
            qCInfo(lcProjectFolder).noquote() << "Cannot remove the leftover" << folder + fileName;
    }
}
