#include "goals/WritingGoals.h"

#include "goals/WritingHistory.h"

DeadlinePace WritingGoals::Pace(qint64 projectWords, QDate today) const
{
    if (!HasDeadline())
        return {};
    const qint64 left = ProjectTarget - projectWords;
    if (left <= 0)
        return { DeadlinePace::State::Reached };
    if (Deadline < today)
        return { DeadlinePace::State::Passed };
    const qint64 days = today.daysTo(Deadline) + 1;
    return { DeadlinePace::State::Needed, (left + days - 1) / days, days };
}

qint64 WritingGoals::Streak(const WritingHistory& history, QDate today) const
{
    if (DailyTarget <= 0)
        return 0;
    const auto& days = history.Days();
    auto at = days.crbegin();
    // Days after today come from a clock that was set wrong; they are not part of the streak.
    while (at != days.crend() && at->Date > today)
        ++at;
    qint64 streak = 0;
    if (at != days.crend() && at->Date == today) {
        if (at->Net() >= DailyTarget)
            ++streak;
        ++at;
    }
    for (QDate expected = today.addDays(-1); at != days.crend();
         ++at, expected = expected.addDays(-1)) {
        if (at->Date != expected || at->Net() < DailyTarget)
            break;
        ++streak;
    }
    return streak;
}
