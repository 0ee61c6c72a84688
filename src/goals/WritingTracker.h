#pragma once

#include "goals/WritingHistory.h"

#include <QDateTime>
#include <functional>

/// Where the tracker takes the local date and time from: the system's clock in the program, a
/// clock a test moves by hand.
using WritingClock = std::function<QDateTime()>;

/// How a card's text changed: by the writer's keys (typing, pasting, cutting) or by undo or redo.
enum class WordChange { Typed, UndoOrRedo };

/// Counts the words of the writer's days and sessions as the editors' live counts change, and
/// adds them to the project's history file. Each change costs the same however long the texts
/// are. Rules that keep a paste and its undo from counting twice: a drop first takes back words
/// added today and only the rest counts as removed; a rise counts as added, except that a rise
/// by undo or redo first gives back words removed today. A session starts with the first key
/// after half an hour without one; a day ends at midnight, and the next starts from the words
/// the last one ended with. Two copies of the program on one project each add only what they
/// counted since their own last write to what the file holds, so neither loses the other's words.
class WritingTracker {
public:
    /// A tracker for a project of `projectWords` words, counting from now; `known` is the history
    /// file as the caller just read it, so that it is not read again.
    WritingTracker(WritingClock clock, qint64 projectWords, WritingHistory known = {});

    /// A card's text went from `before` words to `after`. A key that changes no count is told
    /// too (with before equal to after): it makes a minute one of writing and may start a session.
    void Change(qint64 before, qint64 after, WordChange kind);

    /// The project's words as the changes left them.
    qint64 ProjectWords() const { return FWords; }
    /// The project's words, counted after the tracker was made and before its first change.
    void SetProjectWords(qint64 words) { FWords = FTodayStart = words; }
    /// The words of the session (added less removed since it began); none before the first key.
    qint64 SessionWords() const { return FSessionWords; }
    /// Today as the history file had it at the last read or write, with what this copy counted
    /// since.
    WritingDay Today() const;
    /// Every day as the history file had it at the last read or write, with what this copy
    /// counted since: what a chart of the days shows.
    WritingHistory History() const;

    /// Reads the history file, so that the days before this copy's are known. A missing file is
    /// an empty history; false with the reason when the file cannot be read.
    bool Read(const QString& path, QString& error);
    /// Whether words were counted since the last write and a minute has passed since it: the
    /// file is written at most once a minute while the writer types.
    bool WriteDue() const;
    /// Adds what was counted since the last write to the history file as it is on disk now, and
    /// writes it atomically. On failure the file is as it was, the counts are kept for the next
    /// write, and `error` says why. Nothing counted, nothing written.
    bool Write(const QString& path, QString& error);

private:
    struct Counts {
        qint64 Added = 0;
        qint64 Removed = 0;
        qint64 Minutes = 0;
    };

    /// Starts the day of `date` when the day counted so far is another.
    void StartDay(QDate date);
    /// Today's counts not written yet, as a day to merge.
    WritingDay TodayUnwritten() const;
    bool Unwritten() const;

    WritingClock FClock;
    qint64 FWords = 0;
    QDate FToday;
    qint64 FTodayStart = 0;
    Counts FDay; ///< what this copy counted today
    Counts FDayWritten; ///< the part of it already in the file
    std::vector<WritingDay> FEarlier; ///< days before today not written yet
    qint64 FLastKeyMs = 0;
    qint64 FLastMinute = -1;
    bool FTyped = false;
    qint64 FSessionWords = 0;
    QDateTime FLastWrite;
    WritingHistory FHistory; ///< the file at the last read or write
};
