#include "goals/WritingGoals.h"

#include "goals/WritingHistory.h"

#include <gtest/gtest.h>

TEST(WritingGoals, WordsPerDayNeededByADeadlinePastTodayAndAYearAway)
{
    const QDate today(2026, 12, 7);
    using State = DeadlinePace::State;
    const struct {
        QDate Deadline;
        qint64 Words;
        DeadlinePace Pace;
    } cases[] = {
        { QDate(2026, 12, 6), 20000, { State::Passed } },
        { today, 20000, { State::Needed, 30000, 1 } },
        // 366 days from today to the deadline's day, both counted: 30000 / 366 = 81.97.
        { QDate(2027, 12, 7), 20000, { State::Needed, 82, 366 } },
        { QDate(2026, 12, 6), 50000, { State::Reached } },
        { QDate(), 20000, { State::NoDeadline } },
    };
    for (const auto& c : cases) {
        const WritingGoals goals { 0, 0, 50000, c.Deadline };
        EXPECT_EQ(goals.Pace(c.Words, today), c.Pace)
            << c.Deadline.toString(Qt::ISODate).toStdString();
    }
    EXPECT_EQ((WritingGoals { 0, 0, 0, today }.Pace(20000, today)), DeadlinePace {});
}

TEST(WritingGoals, TheStreakCountsDaysOnEndThatMetTheDailyTarget)
{
    WritingHistory history;
    history.Parse("2026-12-01\t0\t600\t0\t30\n"
                  "2026-12-03\t600\t500\t0\t30\n"
                  "2026-12-04\t1100\t600\t150\t30\n"
                  "2026-12-05\t1550\t700\t0\t30\n"
                  "2026-12-06\t2250\t520\t0\t30\n"
                  "2026-12-07\t2770\t100\t0\t5\n");
    const QDate today(2026, 12, 7);
    // Today's 100 words meet no target yet, and do not break the streak before it; the 4th has
    // 450 words net; the 2nd has no line.
    const auto streak = [&](qint64 dailyTarget, QDate day) {
        WritingGoals goals;
        goals.DailyTarget = dailyTarget;
        return goals.Streak(history, day);
    };
    EXPECT_EQ(streak(500, today), 2);
    EXPECT_EQ(streak(400, today), 4);
    EXPECT_EQ(streak(100, today), 5);
    EXPECT_EQ(streak(500, QDate(2026, 12, 9)), 0);
    EXPECT_EQ(streak(0, today), 0);
}
