#include "goals/WritingTracker.h"

#include "SmallDisk.h"
#include "TempFolder.h"

#include <QFile>
#include <gtest/gtest.h>

namespace {
QDateTime At(int day, int hour, int minute, int second = 0)
{
    return QDateTime(QDate(2026, 12, day), QTime(hour, minute, second));
}

/// The day of `date` as the history file holds it.
WritingDay DayInFile(const QString& path, QDate date)
{
    WritingHistory history;
    QString error;
    EXPECT_TRUE(history.Read(path, error)) << error.toStdString();
    const WritingDay* day = history.Day(date);
    return day ? *day : WritingDay {};
}
} // namespace

TEST(WritingTracker, APasteAndItsUndoCountOnceAndWordsRemovedStandApart)
{
    QDateTime now = At(7, 10, 0);
    WritingTracker tracker([&] { return now; }, 1000);
    const QDate today(2026, 12, 7);
    struct Step {
        qint64 Before, After;
        WordChange Kind;
        qint64 Added, Removed;
    };
    const Step steps[] = {
        { 500, 460, WordChange::Typed, 0, 40 }, // old words cut
        { 460, 500, WordChange::UndoOrRedo, 0, 0 }, // the cut undone gives them back
        { 500, 700, WordChange::Typed, 200, 0 }, // a paste
        { 700, 500, WordChange::UndoOrRedo, 0, 0 }, // undone: takes back what it added
        { 500, 700, WordChange::UndoOrRedo, 200, 0 }, // redone: nothing removed to give back
        { 700, 650, WordChange::Typed, 150, 0 }, // a cut of new words takes them back
        { 650, 450, WordChange::Typed, 0, 50 }, // and only what is left counts as removed
        { 450, 480, WordChange::Typed, 30, 50 }, // typing is added, never given back
    };
    for (const Step& step : steps) {
        tracker.Change(step.Before, step.After, step.Kind);
        const WritingDay day = tracker.Today();
        EXPECT_EQ(day.Added, step.Added) << step.Before << " -> " << step.After;
        EXPECT_EQ(day.Removed, step.Removed) << step.Before << " -> " << step.After;
    }
    EXPECT_EQ(tracker.ProjectWords(), 1000 - 20);
    EXPECT_EQ(tracker.Today().Net(), -20);
    EXPECT_EQ(tracker.Today().StartWords, 1000);
    EXPECT_EQ(tracker.Today().Date, today);
}

TEST(WritingTracker, ASessionStartsWithTheFirstKeyAfterHalfAnHourWithoutOne)
{
    QDateTime now = At(7, 10, 0);
    WritingTracker tracker([&] { return now; }, 0);
    EXPECT_EQ(tracker.SessionWords(), 0);
    tracker.Change(0, 20, WordChange::Typed);
    now = At(7, 10, 0, 40);
    tracker.Change(20, 25, WordChange::Typed);
    now = At(7, 10, 29, 59);
    tracker.Change(25, 15, WordChange::Typed);
    EXPECT_EQ(tracker.SessionWords(), 15);
    // Half an hour with no key: the session ends, though it shows until the next key.
    now = At(7, 11, 0);
    EXPECT_EQ(tracker.SessionWords(), 15);
    tracker.Change(15, 15, WordChange::Typed);
    EXPECT_EQ(tracker.SessionWords(), 0);
    tracker.Change(15, 22, WordChange::Typed);
    EXPECT_EQ(tracker.SessionWords(), 7);
    // Minutes in which a key was typed: 10:00, 10:29 and 11:00.
    EXPECT_EQ(tracker.Today().Minutes, 3);
}

TEST(WritingTracker, ADayRollsOverAtMidnightWhileAnEditorIsOpen)
{
    TempFolder folder;
    const QString path = folder.Path(WritingHistory::FileName);
    QDateTime now = At(7, 23, 50);
    WritingTracker tracker([&] { return now; }, 1000);
    tracker.Change(300, 400, WordChange::Typed);
    now = At(7, 23, 59, 30);
    tracker.Change(400, 420, WordChange::Typed);
    now = At(8, 0, 0, 10);
    tracker.Change(420, 450, WordChange::Typed);
    // The new day takes back only its own words.
    tracker.Change(450, 400, WordChange::Typed);
    EXPECT_EQ(tracker.Today(), (WritingDay { QDate(2026, 12, 8), 1120, 0, 20, 1 }));
    EXPECT_EQ(tracker.SessionWords(), 100);

    QString error;
    ASSERT_TRUE(tracker.Write(path, error)) << error.toStdString();
    EXPECT_EQ(folder.Read(WritingHistory::FileName).split('\n').mid(1),
        QByteArrayList({ "2026-12-07\t1000\t120\t0\t2", "2026-12-08\t1120\t0\t20\t1", "" }));
    // A day that begins with no key typed yet starts from the words the last one ended with.
    now = At(9, 0, 5);
    EXPECT_EQ(tracker.Today(), (WritingDay { QDate(2026, 12, 9), 1100 }));
}

TEST(WritingTracker, TwoCopiesOnOneFileWritingInTurnNeverLoseOrRepeatADay)
{
    TempFolder folder;
    const QString path = folder.Path(WritingHistory::FileName);
    QDateTime now = At(7, 9, 0);
    WritingTracker first([&] { return now; }, 1000);
    WritingTracker second([&] { return now; }, 1000);
    QString error;
    const auto write = [&](WritingTracker& tracker) {
        EXPECT_TRUE(tracker.Write(path, error)) << error.toStdString();
    };

    first.Change(0, 100, WordChange::Typed);
    write(first);
    now = At(7, 9, 1);
    second.Change(0, 50, WordChange::Typed);
    write(second);
    now = At(7, 9, 2);
    first.Change(100, 110, WordChange::Typed);
    first.Change(110, 80, WordChange::Typed); // takes back words already in the file
    write(first);
    write(first);
    write(second);
    EXPECT_EQ(
        DayInFile(path, QDate(2026, 12, 7)), (WritingDay { QDate(2026, 12, 7), 1000, 130, 0, 3 }));
    EXPECT_EQ(first.Today().Added, 130) << "a write brings the other copy's words";

    // The first copy passes midnight unwritten while the second writes the new day.
    now = At(7, 23, 59);
    first.Change(80, 90, WordChange::Typed);
    now = At(8, 0, 30);
    first.Change(90, 95, WordChange::Typed);
    second.Change(50, 70, WordChange::Typed);
    write(second);
    write(first);
    EXPECT_EQ(DayInFile(path, QDate(2026, 12, 7)).Added, 140);
    EXPECT_EQ(
        DayInFile(path, QDate(2026, 12, 8)), (WritingDay { QDate(2026, 12, 8), 1050, 25, 0, 2 }));
    EXPECT_EQ(first.History().Days().size(), 2u);
}

TEST(WritingTracker, AFailedWriteLeavesTheFileAsItWasAndKeepsTheWordsForTheNext)
{
    TempFolder folder;
    QDateTime now = At(7, 9, 0);
    WritingTracker tracker([&] { return now; }, 0);
    const QByteArray before = "2026-12-06\t0\t10\t0\t1\n";

    const QString path = folder.Write(WritingHistory::FileName, before);
    ASSERT_TRUE(
        QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
    tracker.Change(0, 40, WordChange::Typed);
    QString error;
    EXPECT_FALSE(tracker.Write(path, error));
    EXPECT_TRUE(error.contains(path) && error.contains("read-only")) << error.toStdString();
    EXPECT_EQ(folder.Read(WritingHistory::FileName), before);
    EXPECT_TRUE(tracker.WriteDue());

    ASSERT_TRUE(QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner));
    ASSERT_TRUE(tracker.Write(path, error)) << error.toStdString();
    EXPECT_EQ(DayInFile(path, QDate(2026, 12, 7)).Added, 40);
    tracker.Change(40, 45, WordChange::Typed);
    EXPECT_FALSE(tracker.WriteDue()) << "written a moment ago";
    now = At(7, 9, 1);
    EXPECT_TRUE(tracker.WriteDue());

    const QString disk = folder.MakeFolder("disk");
    SmallDisk small(disk, 64 * 1024);
    if (!small.Mounted())
        GTEST_SKIP() << "a small file system can only be mounted by the superuser";
    const QString full = folder.Write("disk/" + WritingHistory::FileName, before);
    small.Fill();
    EXPECT_FALSE(tracker.Write(full, error));
    EXPECT_TRUE(error.contains("No space left on device")) << error.toStdString();
    EXPECT_EQ(folder.Read("disk/" + WritingHistory::FileName), before);
}
