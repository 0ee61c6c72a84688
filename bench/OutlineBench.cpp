// Measures the outline at scale: its rows made for 10,000 cards in 100 chains, a card moved up
// one place in a chain of 10,000 with the outline shown, and opening a project of 10,000 cards
// with the outline shown against hidden, beside reading its files.
#include "ProjectGenerator.h"
#include "BenchProgram.h"
#include "app/Main.h"
#include "app/OutlineCommands.h"
#include "canvas/CanvasFollower.h"
#include "canvas/CanvasView.h"
#include "outline/OutlineDock.h"
#include "outline/OutlineModel.h"
#include "platform/IniFile.h"
#include "project/ProjectFiles.h"
#include "project/ProjectFolder.h"
#include "steps/ChainStep.h"

#include <QApplication>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTreeView>

#include <benchmark/benchmark.h>

namespace {

/// Asks for every row below `parent`, as a view that opens them all does.
int WalkRows(const OutlineModel& outline, const QModelIndex& parent)
{
    int rows = outline.rowCount(parent);
    for (int row = 0, count = rows; row < count; ++row)
        rows += WalkRows(outline, outline.index(row, 0, parent));
    return rows;
}

/// The rows made again after a change of the chains, down to every card's row.
void OutlineBuild(benchmark::State& state)
{
    ProjectModel model;
    for (int chain = 0; chain < 100; ++chain) {
        CardId previous = 0;
        for (int at = 0; at < 100; ++at) {
            CardData card;
            card.Name = QString("%1-%2").arg(chain).arg(at);
            card.Type = at % 10 == 0 ? 1 : 2;
            const CardId id = model.AddCard(card);
            if (previous)
                model.SetLink(previous, id);
            previous = id;
        }
    }
    OutlineModel outline(model);
    const CardId last = model.Cards().last();
    const CardId beforeLast = model.LinkedFrom(last);
    int rows = 0;
    for (auto _ : state) {
        // The last card leaves its chain and comes back: the chains changed twice.
        model.SetLink(beforeLast, 0);
        model.SetLink(beforeLast, last);
        rows = WalkRows(outline, {});
        benchmark::DoNotOptimize(rows);
    }
    state.counters["rows"] = rows;
    state.SetItemsProcessed(state.iterations() * model.Cards().size());
}

/// Alt+Up on a card in the middle of one chain of 10,000 cards, in the program's window with the
/// outline shown: the step pushed as the program pushes it, the rows the view asks for again
/// (the moved card's, its parent's), and the events that follow run, among them the outline's
/// layout and the frame that draws what changed in the outline and on the canvas.
void MoveUpInLongChain(benchmark::State& state)
{
    QTemporaryDir folder;
    const QString project = GenerateProject(folder.path() + "/", 10000, 10000, 0);
    BenchProgram bench;
    TfmMain& main = bench.Program.Main();
    main.resize(1200, 900);
    main.show();
    main.OpenProject(project);
    main.Outline().Show(true);
    // A scene card in the middle (every eighth card is the compilation's type, every eighth
    // from the second a chapter), chosen on the canvas as the outline's row chooses it.
    const CardId card = main.Model().FindByName("Card 05002");
    main.View().SelectCard(*main.Follower().Item(card));
    QApplication::processEvents();
    main.grab();
    OutlineModel& outline = main.Outline().Model();
    for (auto _ : state) {
        if (auto step = ChainStep::MoveUp(main.Cards().Context(), card))
            main.Steps().push(step.release());
        const QModelIndex row = outline.IndexOf(card);
        benchmark::DoNotOptimize(outline.rowCount(row.parent()));
        QApplication::processEvents();
    }
    if (main.Outline().Dock().Tree()->currentIndex() != outline.IndexOf(card))
        state.SkipWithError("the outline does not show the moved card");
}

/// Opening a project of 10,000 cards in chains of 100, with the outline hidden (0) or shown (1),
/// and the floor (2): reading and parsing the same card files, nothing made of them.
void OpenProjectWithOutline(benchmark::State& state)
{
    QTemporaryDir folder;
    const QString project = GenerateProject(folder.path() + "/", 10000, 100, 0);
    if (state.range(0) == 2) {
        const QString projectFolder = QFileInfo(project).absolutePath() + "/";
        for (auto _ : state)
            for (const CardFileEntry& entry : ListCardFiles(projectFolder)) {
                IniFile file(projectFolder + entry.FileName);
                QString error;
                file.Load(error);
                benchmark::DoNotOptimize(ReadCardFile(file));
            }
        return;
    }
    BenchProgram bench;
    TfmMain& main = bench.Program.Main();
    main.resize(1200, 900);
    main.show();
    for (auto _ : state) {
        main.Outline().Show(state.range(0) == 1);
        benchmark::DoNotOptimize(main.OpenProject(project));
        main.Outline().Show(state.range(0) == 1);
        QApplication::processEvents();
        benchmark::DoNotOptimize(main.grab());
    }
}

} // namespace

BENCHMARK(OutlineBuild)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(MoveUpInLongChain)->Unit(benchmark::kMillisecond)->Iterations(100);
BENCHMARK(OpenProjectWithOutline)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->Iterations(3);
