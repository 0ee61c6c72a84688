// The writing history's costs: reading ten years of it, and what feeding the tracker adds to a
// key typed in a long card with the live word count on.
#include "editor/LiveWordCount.h"
#include "goals/WritingHistory.h"
#include "goals/WritingTracker.h"

#include <QFile>
#include <QApplication>
#include <QPlainTextDocumentLayout>
#include <QTemporaryDir>
#include <QTextCursor>
#include <QTextDocument>
#include <benchmark/benchmark.h>

namespace {

/// Reads the history file of ten years of daily writing: 3,650 lines.
void ReadWritingHistory(benchmark::State& state)
{
    QTemporaryDir folder;
    WritingHistory written;
    const QDate first(2016, 12, 8);
    for (int day = 0; day < 3650; ++day)
        written.Merge(
            { first.addDays(day), 1000 + day * 700, 800 + day % 300, day % 90, 45 + day % 60 });
    const QString path = folder.filePath(WritingHistory::FileName);
    QString error;
    if (!written.Write(path, error)) {
        state.SkipWithError(error.toUtf8().constData());
        return;
    }
    for (auto _ : state) {
        WritingHistory history;
        if (!history.Read(path, error) || history.Days().size() != 3650u)
            state.SkipWithError("the history was not read whole");
        benchmark::DoNotOptimize(history);
    }
    state.counters["KB"] = double(QFile(path).size()) / 1024;
}

/// One key typed in the middle of a card of 100,000 words in paragraphs of 120 with the live
/// count on, without (H = 0) and with (H = 1) the tracker fed from it on the system's clock.
/// Each key starts a word, so that the count changes and the tracker is told every time.
void KeyWithWritingHistory(benchmark::State& state)
{
    QString text;
    const QString paragraph = QStringLiteral("word ").repeated(119) + QStringLiteral("word\n\n");
    for (int i = 0; i < 100000 / 120; ++i)
        text += paragraph;
    QTextDocument document;
    // A document tells of its changes only once it has a layout: the editor's.
    document.setDocumentLayout(new QPlainTextDocumentLayout(&document));
    document.setPlainText(text);
    LiveWordCount count(document);
    WritingTracker tracker([] { return QDateTime::currentDateTime(); }, count.Words());
    qint64 known = count.Words();
    if (state.range(0) != 0)
        QObject::connect(&count, &LiveWordCount::Changed, &count, [&](qint64 words) {
            tracker.Change(known, words, WordChange::Typed);
            known = words;
        });
    QTextCursor cursor(&document);
    cursor.setPosition(int(text.size() / 2));
    for (auto _ : state)
        cursor.insertText(QStringLiteral(" w"));
    state.counters["words"] = double(count.Words());
    state.counters["session"] = double(tracker.SessionWords());
}

/// The tracker's share of a key alone: one change of a count told to it, on the system's clock.
void WritingTrackerChange(benchmark::State& state)
{
    WritingTracker tracker([] { return QDateTime::currentDateTime(); }, 100000);
    qint64 words = 100000;
    for (auto _ : state) {
        tracker.Change(words, words + 1, WordChange::Typed);
        ++words;
    }
    state.counters["session"] = double(tracker.SessionWords());
}
} // namespace

BENCHMARK(WritingTrackerChange)->Unit(benchmark::kMicrosecond);
BENCHMARK(ReadWritingHistory)->Unit(benchmark::kMillisecond)->Iterations(50);
BENCHMARK(KeyWithWritingHistory)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond)->Iterations(2000);

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
