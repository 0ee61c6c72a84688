// Measures Replace in Project: one word replaced in the texts of N cards (none open in an
// editor), each text read, checked against what was searched, kept in its card's history and
// written; and the undo, which puts every file's bytes back.
#include "ProjectGenerator.h"
#include "BenchProgram.h"
#include "app/Main.h"
#include "app/ProjectReplace.h"
#include "platform/TextFile.h"
#include "project/ProjectStore.h"

#include <QElapsedTimer>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <ctime>

namespace {
/// Every "Nell" of the card's text, made "Mara", as the search hands its matches over.
CardReplacement NellToMara(CardId card, const QString& text)
{
    CardReplacement record { card, ReplacedField::Text, text, {} };
    for (qsizetype at = 0; (at = text.indexOf(QLatin1String("Nell"), at)) >= 0; at += 4)
        record.Edits.append({ at, 4, QStringLiteral("Mara") });
    return record;
}

/// Replace of a word that stands three times in each of N texts of 250 words; the counters
/// `undo_ms` and `undo_cpu_ms` are its undo from the Edit menu, wall and CPU time (the slowest).
void ReplaceWordInCards(benchmark::State& state)
{
    QTemporaryDir folder;
    const QString project = GenerateProject(folder.path() + "/", int(state.range(0)), 10, 0);
    BenchProgram bench;
    TfmMain& main = bench.Program.Main();
    main.OpenProject(project);
    StepContext& context = main.Cards().Context();
    Prose prose;
    for (const CardId card : context.Model.Cards()) {
        QString error;
        const QByteArray text
            = "Nell " + prose.Text(120) + " Nell " + prose.Text(130) + " Nell.\r\n";
        if (!WriteFileAtomically(context.Store.TextFilePath(card), text, error))
            qFatal("text: %s", qPrintable(error));
    }
    double undoMs = 0;
    double undoCpuMs = 0;
    for (auto _ : state) {
        state.PauseTiming();
        QList<CardReplacement> records;
        for (const CardId card : context.Model.Cards()) {
            QString text;
            QString error;
            ReadTextFile(context.Store.TextFilePath(card), text, error);
            records.append(NellToMara(card, text));
        }
        state.ResumeTiming();
        if (ReplaceInProject(main, QStringLiteral("Nell"), records).CardsChanged != records.size())
            qFatal("not every card was replaced");
        state.PauseTiming();
        const int index = main.Steps().index();
        QElapsedTimer undo;
        undo.start();
        const std::clock_t cpu = std::clock();
        main.Undo();
        undoCpuMs = std::max(undoCpuMs, double(std::clock() - cpu) * 1000 / CLOCKS_PER_SEC);
        undoMs = std::max(undoMs, double(undo.elapsed()));
        if (main.Steps().index() != index - 1)
            qFatal("the replace was not undone");
        state.ResumeTiming();
    }
    state.counters["undo_ms"] = undoMs;
    state.counters["undo_cpu_ms"] = undoCpuMs;
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
} // namespace

BENCHMARK(ReplaceWordInCards)->Arg(1000)->Unit(benchmark::kMillisecond)->Iterations(3);
