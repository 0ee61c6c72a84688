#include "app/WritingSession.h"

#include "editor/Editor.h"
#include "editor/EditorMemo.h"
#include "editor/LiveWordCount.h"
#include "editor/WordCount.h"
#include "messages/MessageTable.h"
#include "project/ProjectState.h"

#include <QLabel>
#include <QLoggingCategory>
#include <QStatusBar>
#include <QTextDocument>
#include <QTimer>
#include <utility>

Q_LOGGING_CATEGORY(lcWriting, "nodex.writing")

namespace {
/// How often the history is looked at while the project is open; the tracker itself keeps
/// writes a minute apart.
constexpr int WriteCheckMs = 60'000;

/// The words an editor's text had when it was last told, and when it was last saved or loaded.
struct EditorWords {
    qint64 Known = 0;
    qint64 Saved = 0;
};
} // namespace

WritingSession::WritingSession(const ProjectState& project, QStatusBar& statusLine,
    const MessageTable& messages, QObject* parent)
    : QObject(parent)
    , FProject(project)
    , FStatusLine(statusLine)
    , FMessages(messages)
    , FClock([] { return QDateTime::currentDateTime(); })
    , FTracker(std::make_unique<WritingTracker>([this] { return FClock(); }, 0))
    , sbPace(new QLabel)
    , tmrWrite(new QTimer(this))
{
    sbPace->setObjectName("sbPace");
    FStatusLine.addPermanentWidget(sbPace);
    sbPace->hide();
    tmrWrite->setInterval(WriteCheckMs);
    connect(tmrWrite, &QTimer::timeout, this, &WritingSession::WriteIfDue);
    tmrWrite->start();
}

WritingSession::~WritingSession() = default;

const WritingTracker& WritingSession::Tracker()
{
    CountWordsIfUnknown();
    return *FTracker;
}

void WritingSession::CountWordsIfUnknown()
{
    if (FCountTexts)
        FTracker->SetProjectWords(std::exchange(FCountTexts, {})());
}

WritingGoals WritingSession::Goals() const
{
    return { FProject.DailyTarget, FProject.SessionTarget, FProject.TargetWordCount,
        FProject.Deadline };
}

QString WritingSession::HistoryPath() const
{
    if (FProject.IsUnnamed() || !FProject.ProjectOnDisk)
        return {};
    return FProject.ProjectFolder + WritingHistory::FileName;
}

void WritingSession::ProjectOpened(const std::function<qint64()>& countTexts)
{
    WritingHistory history;
    QString error;
    const QString path = HistoryPath();
    const bool read = path.isEmpty() || history.Read(path, error);
    // The words the last day of writing ended with are the project's, unless another program
    // changed the texts since.
    qint64 words = 0;
    FCountTexts = {};
    if (!history.Days().empty()) {
        const WritingDay& last = history.Days().back();
        words = last.StartWords + last.Net();
    } else if (read) {
        FCountTexts = countTexts;
    }
    FTracker = std::make_unique<WritingTracker>(
        [this] { return FClock(); }, words, std::move(history));
    FFailureShown = !read;
    if (!read)
        FStatusLine.showMessage(FMessages.Text(MessageKey::WRITING_HISTORY_NOT_READ) + " " + error);
    ShowGoals();
}

void WritingSession::ProjectSaved()
{
    Write();
}

void WritingSession::ProjectLeaving()
{
    Write();
}

void WritingSession::WriteIfDue()
{
    if (FTracker->WriteDue())
        Write();
}

void WritingSession::Write()
{
    const QString path = HistoryPath();
    if (path.isEmpty())
        return;
    QString error;
    if (FTracker->Write(path, error)) {
        FFailureShown = false;
        return;
    }
    qCWarning(lcWriting) << "writing history not written:" << error;
    // Said once where the writer looks, never in a box: the next write tries again.
    if (!FFailureShown)
        FStatusLine.showMessage(
            FMessages.Text(MessageKey::WRITING_HISTORY_NOT_WRITTEN) + " " + error);
    FFailureShown = true;
}

void WritingSession::Follow(TfmEditor& editor)
{
    // Counted before the editor's first change, with its text as it was read.
    CountWordsIfUnknown();
    // A count of its own: the status line's can be turned off. It counts as the live count
    // does, recounting only the paragraphs a key touched.
    auto* count = new LiveWordCount(*editor.memEditor->document(), &editor);
    auto words = std::make_shared<EditorWords>(EditorWords { count->Words(), count->Words() });
    TfmEditor* shown = &editor;
    // Connected after the count's own, so the count is up to date when this runs. The count is
    // the editor's and goes with it, after its memo.
    connect(editor.memEditor->document(), &QTextDocument::contentsChange, this,
        [this, shown, count, words](int, int removed, int added) {
            if (removed == 0 && added == 0)
                return;
            const qint64 now = count->Words();
            if (shown->LoadingText()) {
                words->Known = words->Saved = now;
                return;
            }
            const WordChange kind
                = shown->memEditor->UndoingOrRedoing() ? WordChange::UndoOrRedo : WordChange::Typed;
            Change(std::exchange(words->Known, now), now, kind);
        });
    connect(&editor, &TfmEditor::Saved, this, [words] { words->Saved = words->Known; });
    // Closed with its changes given up: the words typed since the last save are gone again.
    connect(&editor, &TfmEditor::Closed, this, [this, shown, words] {
        if (shown->IsModified() && words->Known != words->Saved)
            Change(std::exchange(words->Known, words->Saved), words->Saved, WordChange::UndoOrRedo);
    });
    std::erase_if(FEditors, [](const QPointer<TfmEditor>& open) { return open.isNull(); });
    FEditors.emplace_back(&editor);
    editor.ShowSessionCount(SessionText());
}

void WritingSession::Change(qint64 before, qint64 after, WordChange kind)
{
    const qint64 session = FTracker->SessionWords();
    FTracker->Change(before, after, kind);
    if (after != before || FTracker->SessionWords() != session)
        ShowGoals();
}

void WritingSession::ShowGoals()
{
    QString pace;
    const WritingGoals goals = Goals();
    if (goals.HasDeadline())
        CountWordsIfUnknown();
    const DeadlinePace needed = goals.Pace(FTracker->ProjectWords(), FClock().date());
    switch (needed.Is) {
    case DeadlinePace::State::NoDeadline:
        break;
    case DeadlinePace::State::Reached:
        pace = FMessages.Text(MessageKey::PROJECT_TARGET_REACHED);
        break;
    case DeadlinePace::State::Passed:
        pace = FMessages.Text(MessageKey::DEADLINE_PASSED);
        break;
    case DeadlinePace::State::Needed:
        pace = FMessages.Text(MessageKey::DEADLINE_PACE).arg(FormatCount(needed.WordsPerDay));
        break;
    }
    if (sbPace->text() != pace)
        sbPace->setText(pace);
    sbPace->setVisible(!pace.isEmpty());
    const QString session = SessionText();
    for (const QPointer<TfmEditor>& editor : FEditors) {
        if (editor)
            editor->ShowSessionCount(session);
    }
}

QString WritingSession::SessionText() const
{
    const int target = FProject.SessionTarget;
    if (target <= 0)
        return {};
    return FMessages.Text(MessageKey::SESSION_COUNT)
        .arg(FormatCount(FTracker->SessionWords()), FormatCount(target));
}
