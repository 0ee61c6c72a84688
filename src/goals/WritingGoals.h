#pragma once

#include <QDate>

class WritingHistory;

/// What the words per day needed by the deadline came to.
struct DeadlinePace {
    enum class State {
        NoDeadline, ///< no deadline, or no project target to meet by it
        Reached, ///< the project has its target's words already
        Passed, ///< the deadline is behind us with words still to write: no pace can meet it
        Needed, ///< `WordsPerDay` words a day, today included, meet it
    };
    State Is = State::NoDeadline;
    qint64 WordsPerDay = 0;
    qint64 DaysLeft = 0; ///< today and the days up to the deadline, the deadline's day included
    bool operator==(const DeadlinePace&) const = default;
};

/// The targets a project sets its writer: words a day, words a session, and the project's words
/// by a deadline.
struct WritingGoals {
    qint64 DailyTarget = 0; ///< none when 0
    qint64 SessionTarget = 0; ///< none when 0
    qint64 ProjectTarget = 0; ///< the project's total words; none when 0
    QDate Deadline; ///< none when invalid

    /// The words a day still needed to meet the project target by the deadline, when the project
    /// has `projectWords` words on `today`: what is left, spread evenly (rounded up) over the
    /// days from today to the deadline; on the deadline's own day, all that is left.
    DeadlinePace Pace(qint64 projectWords, QDate today) const;
    /// Whether there is a pace to keep: a project target and a deadline to meet it by.
    bool HasDeadline() const { return ProjectTarget > 0 && Deadline.isValid(); }
    /// The days on end that met the daily target (words added less removed), up to today. Today
    /// counts once it is met; until then the streak of the days before it stands. A day without a
    /// line in the history breaks the streak. No daily target, no streak.
    qint64 Streak(const WritingHistory& history, QDate today) const;

    bool operator==(const WritingGoals&) const = default;
};
