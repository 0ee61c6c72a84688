#include "project/CardHistory.h"

#include "platform/AtomicWrite.h"
#include "platform/ConfinedName.h"
#include "platform/TextFile.h"
#include "project/HistoryThinning.h"
#include "project/ProjectPaths.h"

#include <QDir>
#include <QFileInfo>
#include <utility>

const QString CardHistory::FolderName = QStringLiteral(".nodex-history/");

namespace {
const QString EntryExtension = QStringLiteral(".nxh");
// Milliseconds in the name keep quick saves apart and sort entries by time.
const QString EntryTimeFormat = QStringLiteral("yyyyMMdd-HHmmss-zzz");

QString EntryFileName(const QDateTime& time)
{
    return time.toUTC().toString(EntryTimeFormat) + EntryExtension;
}

QDateTime EntryTime(const QString& fileName)
{
    if (!fileName.endsWith(EntryExtension))
        return {};
    const QDateTime read
        = QDateTime::fromString(fileName.chopped(EntryExtension.size()), EntryTimeFormat);
    return read.isValid() ? QDateTime(read.date(), read.time(), Qt::UTC) : QDateTime();
}

/// A folder we write into must be a real folder: a link could lead out of the project.
bool IsRealFolder(const QString& path)
{
    // Without its trailing "/", so that a link is seen as the link and not as where it leads.
    const QFileInfo info(path.chopped(1));
    return info.isDir() && !info.isSymLink();
}
} // namespace

CardHistory::CardHistory(QString projectFolder, int maxEntries)
    : FProjectFolder(std::move(projectFolder))
    , FMaxEntries(maxEntries)
{
}

QString CardHistory::CardFolder(const QString& cardName) const
{
    return FProjectFolder + FolderName + cardName + '/';
}

bool CardHistory::MakeCardFolder(const QString& cardName, QString& error) const
{
    if (!StaysInFolder(cardName)) {
        error = QStringLiteral("%1: Invalid card name").arg(cardName);
        return false;
    }
    const QString history = FProjectFolder + FolderName;
    const QString card = CardFolder(cardName);
    for (const QString& folder : { history, card }) {
        if (!QFileInfo(folder.chopped(1)).isSymLink())
            QDir().mkdir(folder);
        if (!IsRealFolder(folder)) {
            error = QStringLiteral("%1: Not a folder").arg(QDir::toNativeSeparators(folder));
            return false;
        }
    }
    RemoveWriteLeftovers(card);
    return true;
}

bool CardHistory::AddEntry(
    const QString& cardName, const QByteArray& bytes, const QDateTime& time, QString& error)
{
    if (!MakeCardFolder(cardName, error))
        return false;
    const QString folder = CardFolder(cardName);
    // Two saves within one millisecond, or a clock set back onto an entry, take the next free
    // moment rather than overwrite an entry.
    QDateTime entryTime = time.toUTC();
    while (QFileInfo::exists(folder + EntryFileName(entryTime)))
        entryTime = entryTime.addMSecs(1);
    if (!CreateFileAtomically(folder + EntryFileName(entryTime), qCompress(bytes), error))
        return false;

    const QList<CardHistoryEntry> entries = Entries(cardName);
    QList<QDateTime> times;
    for (const CardHistoryEntry& entry : entries)
        times.append(entry.Time);
    // Thinning is tidying: an entry that cannot be removed now is removed by a later save.
    for (int index : EntriesToThin(times, time, FMaxEntries))
        QFile::remove(entries[index].Path);
    return true;
}

QList<CardHistoryEntry> CardHistory::Entries(const QString& cardName) const
{
    QList<CardHistoryEntry> entries;
    if (!StaysInFolder(cardName) || !IsRealFolder(CardFolder(cardName)))
        return entries;
    const QDir folder(CardFolder(cardName));
    const QStringList names
        = folder.entryList({ '*' + EntryExtension }, QDir::Files, QDir::Name | QDir::Reversed);
    for (const QString& name : names) {
        const QDateTime time = EntryTime(name);
        if (time.isValid())
            entries.append({ cardName, time, folder.filePath(name) });
    }
    return entries;
}

bool CardHistory::Read(const CardHistoryEntry& entry, QByteArray& bytes, QString& error) const
{
    QByteArray stored;
    if (!ReadFileBytes(entry.Path, stored, error))
        return false;
    bytes = qUncompress(stored);
    // qCompress leads with the text's length: an empty result for a text that was not empty
    // means the entry is damaged.
    const bool wasEmpty = stored.size() >= 4 && stored.startsWith(QByteArray(4, '\0'));
    if (bytes.isEmpty() && !wasEmpty) {
        error
            = QStringLiteral("%1: Damaged history entry").arg(QDir::toNativeSeparators(entry.Path));
        return false;
    }
    return true;
}

bool CardHistory::Restore(const CardHistoryEntry& entry, const QDateTime& now, QString& error)
{
    QByteArray restored;
    if (!Read(entry, restored, error))
        return false;
    const QString textPath = ProjectPaths::TextFilePath(FProjectFolder, entry.CardName);
    QByteArray current;
    const FileRead read = ReadFileIfPresent(textPath, current, error);
    if (read == FileRead::Failed)
        return false;
    if (read == FileRead::Read && current == restored)
        return true;
    if (read == FileRead::Read && !AddEntry(entry.CardName, current, now, error))
        return false;
    return WriteFileAtomically(textPath, restored, error);
}
