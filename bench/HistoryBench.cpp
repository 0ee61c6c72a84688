// Measures a card's history after many saves of a long text, small edits each: what it keeps on
// disk against the card's own size, and what keeping it adds to each save against the save's own
// write of the text.
#include "ProjectGenerator.h"
#include "platform/AtomicWrite.h"
#include "project/CardHistory.h"

#include <QDirIterator>
#include <QFileInfo>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {
constexpr int Saves = 1000;

qint64 FolderBytes(const QString& folder)
{
    qint64 bytes = 0;
    for (QDirIterator it(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
         it.hasNext();)
        bytes += QFileInfo(it.next()).size();
    return bytes;
}

/// 1,000 saves of a 100,000-word card, the argument the seconds between two saves (a clock of
/// our own, so that thinning sees hours or days go by): each save keeps the text it replaces.
void HistoryOfLongCard(benchmark::State& state)
{
    const int secondsApart = int(state.range(0));
    for (auto _ : state) {
        state.PauseTiming();
        QTemporaryDir project;
        Prose prose;
        QByteArray text = prose.Text(100000);
        CardHistory history(project.path() + '/');
        QDateTime now(QDate(2026, 12, 1), QTime(8, 0), Qt::UTC);
        state.ResumeTiming();
        for (int save = 0; save < Saves; ++save) {
            state.PauseTiming();
            const QByteArray previous = text;
            prose.Edit(text);
            now = now.addSecs(secondsApart);
            state.ResumeTiming();
            QString error;
            if (!history.AddEntry("Scene", previous, now, error))
                qFatal("history: %s", qPrintable(error));
        }
        state.PauseTiming();
        const qint64 kept = FolderBytes(project.path() + '/' + CardHistory::FolderName);
        state.counters["card_KB"] = double(text.size()) / 1024;
        state.counters["history_KB"] = double(kept) / 1024;
        state.counters["times_card"] = double(kept) / double(text.size());
        state.counters["one_copy_compressed_KB"] = double(qCompress(text).size()) / 1024;
        state.counters["entries"] = double(history.Entries("Scene").size());
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * Saves);
}

/// The floor: the save's own atomic write of the same text, 1,000 times.
void SaveLongCard(benchmark::State& state)
{
    QTemporaryDir project;
    Prose prose;
    QByteArray text = prose.Text(100000);
    for (auto _ : state) {
        for (int save = 0; save < Saves; ++save) {
            state.PauseTiming();
            prose.Edit(text);
            state.ResumeTiming();
            QString error;
            if (!WriteFileAtomically(project.path() + "/Scene.txt", text, error))
                qFatal("save: %s", qPrintable(error));
        }
    }
    state.SetItemsProcessed(state.iterations() * Saves);
}
} // namespace

BENCHMARK(HistoryOfLongCard)->Arg(10)->Arg(120)->Unit(benchmark::kSecond)->Iterations(1);
BENCHMARK(SaveLongCard)->Unit(benchmark::kSecond)->Iterations(1);
