#pragma once

#include "goals/WritingGoals.h"
#include "goals/WritingTracker.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <functional>
#include <memory>
#include <vector>

struct ProjectState;
class MessageTable;
class QLabel;
class QStatusBar;
class QTimer;
class TfmEditor;

/// The writing history of the open project: read when the project opens, fed by every open
/// editor's own word count, and added to the history file when the project is saved or left and
/// at most once a minute while the writer types. It shows the words a day the deadline needs in
/// the main window's status line, and the session's words in the editors' status lines when a
/// session target is set.
class WritingSession : public QObject {
    Q_OBJECT
public:
    WritingSession(const ProjectState& project, QStatusBar& statusLine,
        const MessageTable& messages, QObject* parent = nullptr);
    ~WritingSession() override;

    /// Today's and the session's words, the history and the project's words as counted now.
    const WritingTracker& Tracker();
    /// The targets the open project sets.
    WritingGoals Goals() const;

    /// Where the date and time come from: the system's clock unless a test moves one by hand.
    void SetClock(WritingClock clock) { FClock = std::move(clock); }

    /// The project now open (or the empty workspace) starts its count: its history is read, and
    /// its words are where the history's last day left them. Only a project without a day in its
    /// history has its texts counted, by `countTexts`, and only once its words are needed (an
    /// editor opens, the pace to a deadline is shown, the statistics are asked for): opening a
    /// project never waits for every text to be read.
    void ProjectOpened(const std::function<qint64()>& countTexts);
    /// The project was saved: what was counted goes into the history file.
    void ProjectSaved();
    /// The project is about to be left (another opened, closed, the program ending): what was
    /// counted goes into the history file while the project is still the open one.
    void ProjectLeaving();
    /// Counts what the writer does in a card's editor from now on, until it closes.
    void Follow(TfmEditor& editor);
    /// Brings the status lines up to date with the goals and the counts, after either or the
    /// language changed.
    void ShowGoals();
    /// Adds what was counted to the history file when a minute has passed since the last write;
    /// a timer asks every minute.
    void WriteIfDue();

private:
    /// Counts the project's texts when their words are still unknown.
    void CountWordsIfUnknown();
    /// A card's text went from `before` words to `after`.
    void Change(qint64 before, qint64 after, WordChange kind);
    /// The history file of the open project; none for the empty workspace.
    QString HistoryPath() const;
    /// Adds what was counted to the history file; a failure is said once in the status line
    /// until a write succeeds again.
    void Write();
    QString SessionText() const;

    const ProjectState& FProject;
    QStatusBar& FStatusLine;
    const MessageTable& FMessages;
    WritingClock FClock;
    std::unique_ptr<WritingTracker> FTracker;
    std::function<qint64()> FCountTexts; ///< the project's words, while not yet counted
    QLabel* sbPace;
    QTimer* tmrWrite;
    std::vector<QPointer<TfmEditor>> FEditors;
    bool FFailureShown = false;
};
