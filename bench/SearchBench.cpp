// Find in Project over a large project, against grep of the same texts.

#include "ProjectGenerator.h"
#include "project/ProjectPaths.h"
#include "search/FindResultsModel.h"
#include "search/ProjectSearch.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QProcess>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

/// A project of `cards` cards of `words` words each, made once per size, and a word of its prose.
struct SearchedProject {
    QTemporaryDir Folder;
    QList<SearchedCard> Cards;
    QString Word;
};

SearchedProject& ProjectOf(int cards, int words)
{
    static std::map<std::pair<int, int>, std::unique_ptr<SearchedProject>> made;
    auto& project = made[{ cards, words }];
    if (!project) {
        project = std::make_unique<SearchedProject>();
        const QString folder = project->Folder.path() + "/";
        GenerateProject(folder, cards, 10, words);
        WriteProseTexts(folder, words);
        const QString texts = folder + ProjectPaths::TextFilesFolder;
        CardId id = 0;
        for (const QString& file : QDir(texts).entryList(QDir::Files, QDir::Name)) {
            const QString name = file.chopped(4);
            project->Cards.append(
                { ++id, name, "A description of " + name, texts + file, false, {} });
        }
        // A word of the vocabulary long enough not to be part of many others.
        Prose prose;
        do
            project->Word = QString::fromLatin1(prose.Word());
        while (project->Word.size() < 6);
    }
    return *project;
}

/// Searches the whole project for the word (names, descriptions and texts, case ignored, as
/// the window searches by default) until every card is searched and every match is in the
/// window's list of results.
void SearchProject(benchmark::State& state)
{
    SearchedProject& project = ProjectOf(int(state.range(0)), int(state.range(1)));
    ProjectSearch search;
    FindResultsModel results;
    double firstMs = 0;
    QElapsedTimer clock;
    QEventLoop loop;
    QObject::connect(
        &search, &ProjectSearch::Found, &loop, [&](const QList<CardMatches>& cards, int) {
            if (firstMs == 0 && !cards.isEmpty())
                firstMs = clock.nsecsElapsed() / 1e6;
            results.Append(cards);
        });
    QObject::connect(&search, &ProjectSearch::Finished, &loop, &QEventLoop::quit);
    double firstTotal = 0;
    for (auto _ : state) {
        results.Clear();
        firstMs = 0;
        clock.start();
        search.Start(project.Cards, { project.Word, false, false, false }, {});
        loop.exec();
        firstTotal += firstMs;
    }
    state.counters["matches"] = results.MatchCount();
    state.counters["first_ms"] = firstTotal / double(state.iterations());
}

/// grep -F -c -r of the word in the folder of the texts: the floor of a search.
void GrepTexts(benchmark::State& state)
{
    SearchedProject& project = ProjectOf(int(state.range(0)), int(state.range(1)));
    for (auto _ : state) {
        QProcess grep;
        grep.setWorkingDirectory(project.Folder.path());
        grep.setStandardOutputFile(QProcess::nullDevice());
        grep.start("grep", { "-F", "-c", "-r", project.Word, ProjectPaths::TextFilesFolder });
        grep.waitForFinished(-1);
    }
}

} // namespace

BENCHMARK(GrepTexts)->Args({ 10000, 250 })->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK(SearchProject)->Args({ 10000, 250 })->Unit(benchmark::kMillisecond)->Iterations(10);

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
