#include "project/CardHistory.h"

#include "KilledProcess.h"
#include "TempFolder.h"
#include "project/HistoryDelta.h"
#include "project/HistoryEntryFile.h"
#include "project/HistoryThinning.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QtEndian>
#include <gtest/gtest.h>

namespace {
const QDateTime Now(QDate(2024, 5, 10), QTime(12, 0), Qt::UTC);

QDateTime MinutesAgo(int minutes)
{
    return Now.addSecs(-60 * minutes);
}

/// A long text, as the n-th save of a card left it: one place changed from the first.
QByteArray Edited(int save)
{
    static const QByteArray prose = [] {
        QByteArray text;
        for (int word = 0; word < 5000; ++word)
            text += QByteArray::number(word * 7919 % 10007, 36) + ' ';
        return text;
    }();
    QByteArray text = prose;
    return text.insert(save * 101 % prose.size(), "save " + QByteArray::number(save));
}

qint64 FolderBytes(const QString& folder)
{
    qint64 bytes = 0;
    for (const QFileInfo& file : QDir(folder).entryInfoList(QDir::Files | QDir::Hidden))
        bytes += file.size();
    return bytes;
}

QByteArray ReadEntry(const CardHistory& history, const CardHistoryEntry& entry)
{
    QByteArray bytes;
    QString error;
    EXPECT_TRUE(history.Read(entry, bytes, error)) << error.toStdString();
    return bytes;
}
} // namespace

TEST(HistoryThinning, KeepsEverySaveOfTheHourThenOnePerHourDayAndMonth)
{
    struct Case {
        const char* what;
        QList<int> minutesAgo;
        int maxEntries;
        QList<int> removed;
    };
    const int hour = 60, day = 24 * hour;
    const QList<Case> cases = {
        { "every save of the last hour", { 0, 1, 2, 59 }, 100, {} },
        { "one per hour for a day", { 61, 90, 119, 121 }, 100, { 1, 2 } },
        { "one per day for a month", { day + 1, day + 10 * hour, 2 * day + 1 }, 100, { 1 } },
        { "one per month after that", { 31 * day, 40 * day, 70 * day }, 100, { 1 } },
        { "the oldest go past the limit", { 0, 1, 2, 3 }, 2, { 2, 3 } },
        { "a clock set back counts as new", { -5, -6, 0 }, 100, {} },
    };
    for (const Case& c : cases) {
        QList<QDateTime> times;
        for (int minutes : c.minutesAgo)
            times.append(MinutesAgo(minutes));
        EXPECT_EQ(EntriesToThin(times, Now, c.maxEntries), c.removed) << c.what;
    }
}

TEST(CardHistory, KeepsEachTextExactlyNewestFirst)
{
    TempFolder project;
    CardHistory history(project.Path() + '/');
    const QList<QByteArray> texts = { "First\r\nline\r\n", "Caf\xc3\xa9\xc2\xa0noir\r\n", "" };
    QString error;
    for (int i = 0; i < texts.size(); ++i)
        ASSERT_TRUE(history.AddEntry("Scene", texts[i], MinutesAgo(10 - i), error))
            << error.toStdString();
    // Two saves in one millisecond are both kept.
    ASSERT_TRUE(history.AddEntry("Scene", "same moment", MinutesAgo(8), error));

    const QList<CardHistoryEntry> entries = history.Entries("Scene");
    ASSERT_EQ(entries.size(), 4);
    EXPECT_EQ(ReadEntry(history, entries[0]), "same moment");
    EXPECT_EQ(entries[0].Time, MinutesAgo(8).addMSecs(1));
    EXPECT_EQ(ReadEntry(history, entries[1]), texts[2]);
    EXPECT_EQ(ReadEntry(history, entries[2]), texts[1]);
    EXPECT_EQ(ReadEntry(history, entries[3]), texts[0]);
    EXPECT_EQ(entries[3].Time, MinutesAgo(10));
    EXPECT_TRUE(history.Entries("Other").isEmpty());
}

TEST(CardHistory, ThinsACardsEntriesAsTheyAge)
{
    TempFolder project;
    QString error;
    CardHistory history(project.Path() + '/', 3);
    for (int minutes : { 200, 190, 5, 4, 3 })
        ASSERT_TRUE(
            history.AddEntry("Scene", QByteArray::number(minutes), MinutesAgo(minutes), error));
    history.AddEntry("Other", "kept", MinutesAgo(200), error);

    QList<QByteArray> kept;
    for (const CardHistoryEntry& entry : history.Entries("Scene"))
        kept.append(ReadEntry(history, entry));
    EXPECT_EQ(kept, (QList<QByteArray> { "3", "4", "5" }));
    EXPECT_EQ(history.Entries("Other").size(), 1);
}

TEST(CardHistory, NeverWritesThroughALinkOrOutOfTheProject)
{
    TempFolder project;
    TempFolder outside;
    QString error;
    CardHistory escaping(project.Path() + '/');
    EXPECT_FALSE(escaping.AddEntry("..", "text", Now, error));
    EXPECT_TRUE(escaping.Entries("..").isEmpty());

    ASSERT_TRUE(QFile::link(outside.Path(), project.Path(".nodex-history")));
    EXPECT_FALSE(escaping.AddEntry("Scene", "text", Now, error));
    EXPECT_TRUE(QDir(outside.Path()).isEmpty());
}

TEST(CardHistory, ADamagedEntryOrOneMadeFromAnOlderOneIsNotRead)
{
    TempFolder project;
    CardHistory history(project.Path() + '/');
    QString error;
    // Texts that share nothing, so that each entry is kept whole.
    for (int minutes : { 30, 20, 10 })
        ASSERT_TRUE(history.AddEntry("Scene", QByteArray::number(minutes), MinutesAgo(minutes), error));
    const CardHistoryEntry newest = history.Entries("Scene")[0];
    const QString older = QFileInfo(history.Entries("Scene")[1].Path).completeBaseName();
    const QByteArray whole = project.Read(".nodex-history/Scene/" + QFileInfo(newest.Path).fileName());

    // Read as an empty text, a damaged entry would empty the card it is restored to.
    QList<QByteArray> damaged = { QByteArray("\0\0\0\x09garbage", 11),
        whole.left(1) + QByteArray(4, '\0') + whole.mid(5), // claims to hold nothing
        whole.left(whole.size() - 3) + char(whole[whole.size() - 3] ^ 0x20) + whole.right(2) };
    for (qsizetype cut = 1; cut < whole.size(); ++cut)
        damaged << whole.left(cut);
    // A delta names a newer entry: one that names an older one could lead round in a circle.
    damaged << EncodeEntryFile({ older, EncodeDelta("20", "10") });
    for (const QByteArray& bytes : damaged) {
        project.Write(".nodex-history/Scene/" + QFileInfo(newest.Path).fileName(), bytes);
        QByteArray text;
        EXPECT_FALSE(CardHistory(project.Path() + '/').Read(newest, text, error))
            << bytes.toHex().toStdString() << " read as " << text.data();
    }
}

TEST(CardHistory, AnEntryThatInflatesPastItsBoundIsDamagedAndGivesWayToOneThatReads)
{
    // Whole entries of a megabyte that compress to a kilobyte, with the length they lead with
    // claiming more than any text may hold, or less than they inflate to.
    for (const quint32 claimed : { 0x7fffffffu, 16u }) {
        TempFolder project;
        CardHistory history(project.Path() + '/');
        QString error;
        // Each text shares nothing with the next, so each entry is kept whole.
        for (int minutes : { 130, 125, 10 })
            ASSERT_TRUE(
                history.AddEntry("Scene", QByteArray::number(minutes), MinutesAgo(minutes), error));
        QByteArray expanding = EncodeEntryFile({ {}, QByteArray(1 << 20, 'x') });
        qToBigEndian(claimed, expanding.data() + 1);
        const CardHistoryEntry damaged = history.Entries("Scene")[1];
        project.Write(".nodex-history/Scene/" + QFileInfo(damaged.Path).fileName(), expanding);

        QByteArray bytes;
        CardHistory later(project.Path() + '/');
        EXPECT_FALSE(later.Read(damaged, bytes, error)) << claimed;
        // The save goes on and keeps its own entry; thinning the hour the entries of 125 and 130
        // minutes ago come to share keeps the one that reads.
        ASSERT_TRUE(later.AddEntry("Scene", "saved", Now, error)) << error.toStdString();
        QList<QByteArray> kept;
        for (const CardHistoryEntry& entry : later.Entries("Scene"))
            kept.append(ReadEntry(later, entry));
        EXPECT_EQ(kept, (QList<QByteArray> { "saved", "10", "130" })) << claimed;
    }
}

TEST(CardHistory, KeepsCloseTextsAsDeltasAndThinsWithoutBreakingThem)
{
    TempFolder project;
    QString error;
    CardHistory history(project.Path() + '/');
    // 40 saves a minute apart, two hours ago: they are kept as deltas, all but a few.
    QList<QByteArray> texts;
    for (int save = 0; save < 40; ++save) {
        texts.append(Edited(save));
        ASSERT_TRUE(history.AddEntry("Scene", texts.last(), MinutesAgo(160 - save), error));
    }
    const qint64 whole = qCompress(texts.last()).size();
    EXPECT_LT(FolderBytes(project.Path(".nodex-history/Scene")), 4 * whole);

    // One more save now thins them to the newest of their hour: the entries it was stored as a
    // delta of go, and it must still read as it was.
    texts.append(Edited(40));
    ASSERT_TRUE(history.AddEntry("Scene", texts.last(), Now, error));
    QList<QByteArray> kept;
    for (const CardHistoryEntry& entry : CardHistory(project.Path() + '/').Entries("Scene"))
        kept.append(ReadEntry(CardHistory(project.Path() + '/'), entry));
    EXPECT_EQ(kept, (QList<QByteArray> { texts[40], texts[39] }));
}

TEST(CardHistory, AKilledEntryWriteLeavesNoPartialEntry)
{
    for (int step = 1; step < 200; ++step) {
        TempFolder project;
        CardHistory history(project.Path() + '/');
        QString error;
        // The entry of 100 minutes ago shares its hour with the one of 61, so that the killed
        // save writes its entry, stores the one before as a delta and thins out the one of 100,
        // which the one of 125 is a delta of.
        for (int minutes : { 125, 100, 61 })
            ASSERT_TRUE(history.AddEntry("Scene", Edited(minutes), MinutesAgo(minutes), error));
        const bool killed = KilledBeforeStep(step, [&] {
            QString childError;
            history.AddEntry("Scene", Edited(0), Now, childError);
        });
        QList<QByteArray> kept;
        for (const CardHistoryEntry& entry : CardHistory(project.Path() + '/').Entries("Scene"))
            kept.append(ReadEntry(CardHistory(project.Path() + '/'), entry));
        const QList<QByteArray> after = { Edited(0), Edited(61), Edited(125) };
        if (!killed) {
            EXPECT_EQ(kept, after);
            break;
        }
        for (const QByteArray& text : { Edited(61), Edited(125) })
            EXPECT_TRUE(kept.contains(text)) << "step " << step;
        for (const QByteArray& text : kept)
            EXPECT_TRUE(after.contains(text) || text == Edited(100)) << "step " << step;
        // The next save clears what the killed one left behind.
        ASSERT_TRUE(history.AddEntry("Scene", "next", Now.addSecs(1), error));
        EXPECT_EQ(
            QDir(project.Path(".nodex-history/Scene")).entryList(QDir::Files | QDir::Hidden).size(),
            history.Entries("Scene").size())
            << "step " << step;
    }
}
