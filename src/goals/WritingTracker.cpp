#include "goals/WritingTracker.h"

#include <algorithm>

namespace {
/// A key after this long without one starts a new session.
constexpr qint64 SessionBreakMs = 30 * 60 * 1000;
/// The history file is written at most this often while the writer types.
constexpr qint64 WriteIntervalSeconds = 60;
} // namespace

WritingTracker::WritingTracker(WritingClock clock, qint64 projectWords, WritingHistory known)
    : FClock(std::move(clock))
    , FWords(projectWords)
    , FToday(FClock().date())
    , FTodayStart(projectWords)
    , FHistory(std::move(known))
{
}

void WritingTracker::Change(qint64 before, qint64 after, WordChange kind)
{
    const QDateTime now = FClock();
    StartDay(now.date());
    const qint64 ms = now.toMSecsSinceEpoch();
    if (!FTyped || ms - FLastKeyMs >= SessionBreakMs)
        FSessionWords = 0;
    FTyped = true;
    FLastKeyMs = ms;
    const qint64 minute = ms / 60000;
    if (minute != FLastMinute) {
        FLastMinute = minute;
        ++FDay.Minutes;
    }

    const qint64 change = after - before;
    if (change < 0) {
        const qint64 takenBack = std::min(-change, FDay.Added);
        FDay.Added -= takenBack;
        FDay.Removed += -change - takenBack;
    } else if (change > 0) {
        const qint64 givenBack
            = kind == WordChange::UndoOrRedo ? std::min(change, FDay.Removed) : 0;
        FDay.Removed -= givenBack;
        FDay.Added += change - givenBack;
    }
    FWords += change;
    FSessionWords += change;
}

void WritingTracker::StartDay(QDate date)
{
    if (date == FToday)
        return;
    const WritingDay ended = TodayUnwritten();
    if (ended.Added != 0 || ended.Removed != 0 || ended.Minutes != 0)
        FEarlier.push_back(ended);
    FToday = date;
    FTodayStart = FWords;
    FDay = {};
    FDayWritten = {};
}

WritingDay WritingTracker::TodayUnwritten() const
{
    return { FToday, FTodayStart, FDay.Added - FDayWritten.Added,
        FDay.Removed - FDayWritten.Removed, FDay.Minutes - FDayWritten.Minutes };
}

bool WritingTracker::Unwritten() const
{
    return !FEarlier.empty() || FDay.Added != FDayWritten.Added || FDay.Removed != FDayWritten.Removed
        || FDay.Minutes != FDayWritten.Minutes;
}

WritingDay WritingTracker::Today() const
{
    // A day that began while nothing was typed has nothing of this copy's yet.
    const QDate date = FClock().date();
    WritingDay today = date == FToday ? TodayUnwritten() : WritingDay { date, FWords };
    if (const WritingDay* kept = FHistory.Day(date)) {
        today.StartWords = kept->StartWords;
        today.Added += kept->Added;
        today.Removed += kept->Removed;
        today.Minutes += kept->Minutes;
    }
    today.Added = std::max<qint64>(0, today.Added);
    today.Removed = std::max<qint64>(0, today.Removed);
    today.Minutes = std::max<qint64>(0, today.Minutes);
    return today;
}

WritingHistory WritingTracker::History() const
{
    WritingHistory history = FHistory;
    for (const WritingDay& day : FEarlier)
        history.Merge(day);
    history.Merge(TodayUnwritten());
    return history;
}

bool WritingTracker::Read(const QString& path, QString& error)
{
    return FHistory.Read(path, error);
}

bool WritingTracker::WriteDue() const
{
    return Unwritten()
        && (!FLastWrite.isValid() || FLastWrite.secsTo(FClock()) >= WriteIntervalSeconds);
}

bool WritingTracker::Write(const QString& path, QString& error)
{
    const QDateTime now = FClock();
    StartDay(now.date());
    WritingHistory file;
    if (!file.Read(path, error))
        return false;
    if (Unwritten()) {
        for (const WritingDay& day : FEarlier)
            file.Merge(day);
        const WritingDay today = TodayUnwritten();
        if (today.Added != 0 || today.Removed != 0 || today.Minutes != 0)
            file.Merge(today);
        if (!file.Write(path, error))
            return false;
        FEarlier.clear();
        FDayWritten = FDay;
        FLastWrite = now;
    }
    FHistory = std::move(file);
    return true;
}
