#include "project/CardHistory.h"

#include "platform/AtomicWrite.h"
#include "platform/ConfinedName.h"
#include "platform/NativeName.h"
#include "platform/TextFile.h"
#include "project/HistoryDelta.h"
#include "project/HistoryEntryFile.h"
#include "project/HistoryThinning.h"

#include <QDir>
#include <QFileInfo>
#include <QLoggingCategory>
#include <algorithm>
#include <utility>

const QString CardHistory::FolderName = QStringLiteral(".nodex-history/");

Q_LOGGING_CATEGORY(lcHistory, "nodex.history")

namespace {
// Every so many entries one keeps its whole text, so that reading an old entry rebuilds only a
// few deltas and one damaged file takes only its neighbours with it.
constexpr qsizetype WholeTextEvery = 16;
constexpr qsizetype RecentTextsKept = 4;
// Compressed, no entry we write comes near twice the largest text it may hold.
constexpr qint64 LargestEntryFile = 2 * MaxHistoryTextBytes;
const QString EntryExtension = QStringLiteral(".nxh");
// Milliseconds in the name keep quick saves apart and sort entries by time.
const QString EntryTimeFormat = QStringLiteral("yyyyMMdd-HHmmss-zzz");

QString EntryFileName(const QDateTime& time)
{
    return time.toUTC().toString(EntryTimeFormat) + EntryExtension;
}

QString EntryStamp(const QString& path)
{
    return QFileInfo(path).completeBaseName();
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
    , FMaxEntries(std::max(1, maxEntries))
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

struct CardHistory::Stored {
    QString Stamp;
    QString Base; ///< the entry this one is a delta from; empty for a whole text
    QString Path;
    QDateTime Time;
};

QList<CardHistory::Stored> CardHistory::StoredEntries(const QString& cardName) const
{
    QList<Stored> stored;
    for (const CardHistoryEntry& entry : Entries(cardName)) {
        QString base;
        // An entry whose start cannot be read counts as whole: nothing is made to depend on it.
        ReadEntryBase(entry.Path, base);
        stored.append({ EntryStamp(entry.Path), base, entry.Path, entry.Time });
    }
    return stored;
}

bool CardHistory::TextOf(
    const QString& folder, const QString& stamp, QByteArray& text, QString& error) const
{
    QList<QByteArray> deltas; // from the wanted entry towards the newer one whose text is known
    QList<QString> paths;
    QString current = stamp;
    QByteArray known;
    for (;;) {
        const QString path = folder + current + EntryExtension;
        const auto recent = std::find_if(FRecentTexts.cbegin(), FRecentTexts.cend(),
            [&](const auto& pair) { return pair.first == path; });
        if (recent != FRecentTexts.cend()) {
            known = recent->second;
            break;
        }
        QByteArray bytes;
        if (!ReadFileBytes(path, bytes, error, LargestEntryFile))
            return false;
        HistoryEntryFile entry;
        // A delta is made from a newer entry, so that following the bases always ends.
        if (!DecodeEntryFile(bytes, entry) || (!entry.Base.isEmpty() && entry.Base <= current)) {
            error = QStringLiteral("%1: Damaged history entry").arg(QDir::toNativeSeparators(path));
            return false;
        }
        if (entry.Base.isEmpty()) {
            known = entry.Payload;
            break;
        }
        deltas.append(entry.Payload);
        paths.append(path);
        current = entry.Base;
    }
    while (!deltas.isEmpty()) {
        QByteArray older;
        if (!ApplyDelta(known, deltas.takeLast(), older)) {
            error = QStringLiteral("%1: Damaged history entry")
                        .arg(QDir::toNativeSeparators(paths.last()));
            return false;
        }
        known = std::move(older);
        paths.removeLast();
    }
    FRecentTexts.prepend({ folder + stamp + EntryExtension, known });
    if (FRecentTexts.size() > RecentTextsKept)
        FRecentTexts.removeLast();
    text = known;
    return true;
}

bool CardHistory::StoreAgainst(
    Stored& entry, const QString& baseStamp, const QByteArray& baseText, QString& error) const
{
    const QString folder = QFileInfo(entry.Path).path() + '/';
    QByteArray text;
    if (!TextOf(folder, entry.Stamp, text, error))
        return false;
    HistoryEntryFile file { baseStamp, {} };
    if (!baseStamp.isEmpty())
        file.Payload = EncodeDelta(baseText, text);
    // Texts that share little are kept whole: a delta would cost more and save nothing.
    if (baseStamp.isEmpty() || file.Payload.size() > text.size() / 2)
        file = { {}, text };
    if (file.Base.isEmpty() && entry.Base.isEmpty())
        return true;
    if (!WriteFileAtomically(entry.Path, EncodeEntryFile(file), error))
        return false;
    entry.Base = file.Base;
    return true;
}

void CardHistory::Thin(QList<Stored>& entries, const QDateTime& now)
{
    QList<QDateTime> times;
    for (const Stored& entry : entries)
        times.append(entry.Time);
    // Of the entries sharing a period, one that reads wins over a damaged one.
    const auto readable = [&](int index) {
        QByteArray text;
        QString error;
        return TextOf(
            QFileInfo(entries[index].Path).path() + '/', entries[index].Stamp, text, error);
    };
    QStringList thinned;
    for (int index : EntriesToThin(times, now, FMaxEntries, readable))
        thinned.append(entries[index].Stamp);

    // Thinning is tidying: an entry that cannot be removed now is removed by a later save.
    for (const QString& stamp : thinned) {
        const auto removed = std::find_if(entries.begin(), entries.end(),
            [&](const Stored& entry) { return entry.Stamp == stamp; });
        const QString folder = QFileInfo(removed->Path).path() + '/';
        const QString newBase = removed->Base;
        QByteArray baseText;
        QString error;
        bool needed = !newBase.isEmpty() && !TextOf(folder, newBase, baseText, error);
        // The entries made from this one are made from its own base first, or kept whole.
        for (Stored& dependent : entries)
            if (!needed && dependent.Base == stamp)
                needed = !StoreAgainst(dependent, newBase, baseText, error);
        if (needed || !RemoveFile(removed->Path, error)) {
            qCWarning(lcHistory, "%s", qUtf8Printable(error));
            continue;
        }
        entries.erase(removed);
    }
}

bool CardHistory::AddEntry(
    const QString& cardName, const QByteArray& bytes, const QDateTime& time, QString& error)
{
    if (bytes.size() > MaxHistoryTextBytes) {
        error = QStringLiteral("%1: Text too large to keep in the history").arg(cardName);
        return false;
    }
    if (!MakeCardFolder(cardName, error))
        return false;
    const QString folder = CardFolder(cardName);
    // The same text kept twice in a row (the text another copy wrote, kept once before a save
    // and again when the writer chooses to save over it) would only crowd out older entries.
    QList<Stored> entries = StoredEntries(cardName);
    QByteArray newest;
    QString unread;
    if (!entries.isEmpty() && TextOf(folder, entries.first().Stamp, newest, unread)
        && newest == bytes)
        return true;
    // Two saves within one millisecond, or a clock set back onto an entry, take the next free
    // moment rather than overwrite an entry.
    QDateTime entryTime = time.toUTC();
    while (QFileInfo::exists(folder + EntryFileName(entryTime)))
        entryTime = entryTime.addMSecs(1);
    const QString path = folder + EntryFileName(entryTime);
    if (!CreateFileAtomically(path, EncodeEntryFile({ {}, bytes }), error))
        return false;
    FRecentTexts.prepend({ path, bytes });

    // Newest first, as listed; the new entry is older than some only after the clock went back.
    const Stored entry { EntryStamp(path), {}, path, entryTime };
    const qsizetype added = std::find_if(entries.cbegin(), entries.cend(),
                                [&](const Stored& listed) { return listed.Stamp < entry.Stamp; })
        - entries.cbegin();
    entries.insert(added, entry);
    // The entry before the new one becomes its delta, unless enough deltas lead up to it that it
    // should stay whole.
    qsizetype deltasBefore = 0;
    while (added + 2 + deltasBefore < entries.size()
        && !entries[added + 2 + deltasBefore].Base.isEmpty())
        ++deltasBefore;
    QString tidyError;
    if (added + 1 < entries.size() && entries[added + 1].Base.isEmpty()
        && deltasBefore < WholeTextEvery - 1
        && !StoreAgainst(entries[added + 1], entries[added].Stamp, bytes, tidyError))
        qCWarning(lcHistory, "%s", qUtf8Printable(tidyError));
    Thin(entries, time);
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
    return TextOf(QFileInfo(entry.Path).path() + '/', EntryStamp(entry.Path), bytes, error);
}

void CardHistory::RemoveLeftovers() const
{
    const QString history = FProjectFolder + FolderName;
    if (!IsRealFolder(history))
        return;
    for (const QString& card : QDir(history).entryList(QDir::Dirs | QDir::NoDotAndDotDot))
        if (IsRealFolder(CardFolder(card)))
            RemoveWriteLeftovers(CardFolder(card));
}

bool CardHistory::RenameCard(const QString& oldName, const QString& newName, QString& error)
{
    const QString from = CardFolder(oldName);
    if (!StaysInFolder(oldName) || !IsRealFolder(from))
        return true;
    if (!MakeCardFolder(newName, error))
        return false;
    // Entry by entry, so that a card taking the name of a deleted one keeps both histories;
    // their stamps keep them apart and every delta still finds its base.
    bool moved = true;
    for (const CardHistoryEntry& entry : Entries(oldName)) {
        const QString name = QFileInfo(entry.Path).fileName();
        QString reason;
        if (!MoveFile(entry.Path, CardFolder(newName) + name, reason)) {
            error = reason;
            moved = false;
        }
    }
    if (moved)
        QDir().rmdir(from);
    return moved;
}
