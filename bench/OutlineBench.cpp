// Measures the outline at scale: its rows made for 10,000 cards in 100 chains, and opening such
// a project with the outline shown against hidden.
#include "ProjectGenerator.h"
#include "SilentDialogs.h"
#include "app/Main.h"
#include "app/NodexProgram.h"
#include "app/OutlineCommands.h"
#include "canvas/CanvasView.h"
#include "outline/OutlineModel.h"
#include "platform/Shell.h"

#include <QApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

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
    for (auto _ : state) {
        model.SetLink(last, 0); // any change of the chains makes the rows again
        benchmark::DoNotOptimize(outline.IndexOf(last));
    }
    state.SetItemsProcessed(state.iterations() * model.Cards().size());
}

/// Opening a project of 10,000 cards in chains of 100, with the outline hidden (0) or shown (1).
void OpenProjectWithOutline(benchmark::State& state)
{
    QTemporaryDir folder;
    const QString project = GenerateProject(folder.path() + "/", 10000, 100, 0);
    SilentDialogs dialogs;
    NoShell shell;
    NodexProgram program(ProgramFolders::Portable(QCoreApplication::applicationDirPath() + "/"), dialogs, shell, 0);
    TfmMain& main = program.Main();
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
BENCHMARK(OpenProjectWithOutline)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(3);
