// Measures how opening, saving and dragging scale with the number of cards. Each benchmark
// reports time per card (open, save) or per mouse move (drag); flat numbers across the sizes
// mean the work is linear in the cards touched, not in the cards on the canvas.
#include "ProjectGenerator.h"
#include "SilentDialogs.h"
#include "app/Main.h"
#include "steps/ProjectStep.h"
#include "project/ProjectFiles.h"
#include "project/ProjectFolder.h"
#include "project/ProjectPaths.h"
#include "compile/Compile.h"
#include "compile/ManuscriptExport.h"
#include "editor/Editor.h"
#include "editor/EditorMemo.h"
#include "goals/WritingHistory.h"
#include "spelling/SpellEngine.h"
#include "messages/MessageTable.h"
#include "app/NodexProgram.h"
#include "canvas/CanvasScene.h"
#include "canvas/CanvasView.h"
#include "canvas/Nodex.h"
#include "app/MainMenus.h"
#include "platform/Dialogs.h"
#include "platform/IniFile.h"
#include "platform/TextFile.h"
#include "platform/Shell.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QWheelEvent>

#include <benchmark/benchmark.h>

namespace {
struct Fixture {
    explicit Fixture(int cards, int chainLength = 10, int textWords = 0)
        : Project(GenerateProject(Folder.path() + "/", cards, chainLength, textWords))
        , Program(ProgramFolders::Portable(QCoreApplication::applicationDirPath() + "/"), Dialogs, Shell, 0)
    {
    }
    QTemporaryDir Folder;
    QString Project;
    SilentDialogs Dialogs;
    NoShell Shell;
    NodexProgram Program;
};

/// Reads and parses every card file of a project, and with `withTexts` every text file too.
void ReadProjectFiles(benchmark::State& state, const Fixture& fixture, bool withTexts)
{
    const QString folder = QFileInfo(fixture.Project).absolutePath() + "/";
    for (auto _ : state) {
        for (const CardFileEntry& entry : ListCardFiles(folder)) {
            IniFile file(folder + entry.FileName);
            QString error;
            file.Load(error);
            benchmark::DoNotOptimize(ReadCardFile(file));
            QString text;
            if (withTexts)
                ReadTextFile(ProjectPaths::TextFilePath(folder, entry.Name), text, error);
            benchmark::DoNotOptimize(text);
        }
    }
}

/// What opening can at best come down to: reading and parsing every card file.
void ReadCardFiles(benchmark::State& state)
{
    const Fixture fixture(int(state.range(0)));
    ReadProjectFiles(state, fixture, false);
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

/// Opening the whole project (cards, theme, links) until the window has drawn it.
void OpenProject(benchmark::State& state)
{
    Fixture fixture(int(state.range(0)));
    TfmMain& main = fixture.Program.Main();
    main.resize(1200, 900);
    for (auto _ : state) {
        benchmark::DoNotOptimize(main.OpenProject(fixture.Project));
        benchmark::DoNotOptimize(main.View().viewport()->grab());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

/// Opening 10,000 cards that hold 250 words each (2.5 M words) until the window has drawn them,
/// without a writing history (0: the texts are counted for the day's first words) and with one
/// (1: its last day gives them).
void OpenProjectWithTexts(benchmark::State& state)
{
    Fixture fixture(10000, 10, 250);
    if (state.range(0) == 1) {
        WritingHistory history;
        history.Merge({ QDate(2026, 1, 1), 0, 2'500'000, 0, 60 });
        QString error;
        history.Write(QFileInfo(fixture.Project).absolutePath() + "/" + WritingHistory::FileName, error);
    }
    TfmMain& main = fixture.Program.Main();
    main.resize(1200, 900);
    for (auto _ : state) {
        benchmark::DoNotOptimize(main.OpenProject(fixture.Project));
        benchmark::DoNotOptimize(main.View().viewport()->grab());
    }
}

/// The everyday save: one card moved, Ctrl+S.
void SaveAfterMovingOneCard(benchmark::State& state)
{
    Fixture fixture(int(state.range(0)));
    TfmMain& main = fixture.Program.Main();
    main.OpenProject(fixture.Project);
    main.SaveProject();
    TNodex* card = main.Canvas().Cards()[main.Canvas().CardCount() / 2];
    int step = 0;
    for (auto _ : state) {
        const QPoint from(card->Left(), card->Top());
        main.Cards().MoveCards({{card->Id(), from}}, {{card->Id(), from + QPoint(++step % 2 ? 5 : -5, 0)}});
        main.SaveProject();
    }
}

/// Merges a chain of N cards of 1,000 words each into its first card (keeping the others).
void MergeChain(benchmark::State& state)
{
    Fixture fixture(int(state.range(0)), int(state.range(0)), 1000);
    TfmMain& main = fixture.Program.Main();
    main.OpenProject(fixture.Project);
    main.Selection().CurrentCard = main.Canvas().Cards().first();
    QFile first(QFileInfo(fixture.Project).absolutePath() + "/Text Files/Card 00000.txt");
    first.open(QIODevice::ReadOnly);
    const QByteArray text = first.readAll();
    first.close();
    for (auto _ : state) {
        state.PauseTiming();
        first.open(QIODevice::WriteOnly | QIODevice::Truncate);
        first.write(text);
        first.close();
        state.ResumeTiming();
        main.Cards().Merge();
    }
}

/// A writer's long card text in the real editor window: 10 MB in paragraphs of 120 words, or a
/// 2 MB paragraph without a single line break (text copied from a PDF arrives so), or a number of
/// words in paragraphs. Live checking (against the system's British dictionary) is on or off.
/// Keeps the messages a benchmark shows, to tell that it did what it measures.
struct RecordingDialogs : SilentDialogs {
    void ShowInformation(const QString& text) override { Messages << text; }
    QStringList Messages;
};

struct LongText {
    enum TShape { Paragraphs10MB = 0, OneParagraph2MB = 1 };

    /// `marked`: every seventh word in italic marks, every eleventh in bold ones.
    explicit LongText(int shape, bool live = false, qsizetype words = 0, bool marked = false)
    {
        const QList<QByteArray> sentence
            = QByteArray("The keeper climbed the spiral stair at dusk, trimmed "
                         "the wick and watched the storm come in over the rocks;")
                  .split(' ');
        const bool oneParagraph = shape == OneParagraph2MB;
        const qsizetype size = oneParagraph ? 2 * 1024 * 1024 : 10 * 1024 * 1024;
        QByteArray text;
        for (int word = 1; words > 0 ? word <= words : text.size() < size; ++word) {
            const QByteArray mark = !marked ? "" : word % 7 == 0 ? "*" : word % 11 == 0 ? "**" : "";
            text += mark + sentence[word % sentence.size()] + mark
                + (oneParagraph || word % 120 != 0 ? " " : "\r\n");
        }
        QDir().mkpath(Folder.path() + "/Text Files");
        QFile file(Folder.path() + "/Text Files/Long.txt");
        file.open(QIODevice::WriteOnly);
        file.write(text);
        // The writer's spelling configuration lives in the temporary folder; its defaults decide.
        SpellCheckerConfig& config = Context.Spelling.Config;
        config.ConfigFilename = Folder.path() + "/Spell.cfg";
        config.ConfigDictionaryDir = Folder.path() + "/Spelling/";
        config.ConfigDefaultOptions.Set(soLiveSpelling, live);
    }
    /// Shows the editor, which loads the text, and waits until it has drawn it.
    std::unique_ptr<TfmEditor> Open()
    {
        auto editor = std::make_unique<TfmEditor>(Context);
        editor->setAttribute(Qt::WA_DeleteOnClose, false);
        editor->ProjectFolder = Folder.path() + "/";
        editor->CardName = "Long";
        editor->resize(800, 600);
        editor->show();
        editor->memEditor->viewport()->grab();
        return editor;
    }
    QTemporaryDir Folder;
    RecordingDialogs Dialogs;
    NoShell Shell;
    MessageTable Messages;
    EditorContext Context {
        ProgramFolders::Portable(QCoreApplication::applicationDirPath() + "/"), Dialogs, Shell, Messages};
};

/// Opening a long text; with live checking, the program's first check also loads the dictionary.
void EditorOpenLongText(benchmark::State& state)
{
    for (auto _ : state) {
        state.PauseTiming();
        LongText text(int(state.range(0)), state.range(1) != 0);
        state.ResumeTiming();
        auto editor = text.Open();
        benchmark::DoNotOptimize(editor->memEditor->document()->blockCount());
        editor->memEditor->document()->setModified(false);
        state.PauseTiming();
        editor.reset();
        state.ResumeTiming();
    }
}

void EditorCountLongText(benchmark::State& state)
{
    LongText text(int(state.range(0)));
    auto editor = text.Open();
    for (auto _ : state)
        benchmark::DoNotOptimize(editor->CountEditorWords());
}

/// One key typed in the middle of the text, and the frame of `shown` that shows it (with live
/// checking, the block is checked again).
void TypeInTheMiddle(benchmark::State& state, TfmEditor& editor, QWidget& shown)
{
    QTextCursor middle(editor.memEditor->document());
    middle.setPosition(editor.memEditor->document()->characterCount() / 2);
    editor.memEditor->setTextCursor(middle);
    editor.memEditor->ensureCursorVisible();
    shown.grab();
    for (auto _ : state) {
        QTest::keyClick(editor.memEditor, Qt::Key_A);
        shown.grab();
    }
    editor.memEditor->document()->setModified(false);
}

void EditorTypeInLongText(benchmark::State& state)
{
    LongText text(int(state.range(0)), state.range(1) != 0, state.range(2));
    auto editor = text.Open();
    TypeInTheMiddle(state, *editor, *editor->memEditor->viewport());
}

/// Opening 10 MB of paragraphs with emphasis marks in them, live checking off: in the memo
/// alone, its text read from the file (H = 0, the floor: no highlighter, no window around it),
/// or in the editor window, which draws the emphasis of the lines in view (H = 1).
void EditorOpenMarkedText(benchmark::State& state)
{
    for (auto _ : state) {
        state.PauseTiming();
        LongText text(LongText::Paragraphs10MB, false, 0, true);
        state.ResumeTiming();
        if (state.range(0) == 0) {
            EditorMemo memo;
            QString read;
            QString error;
            ReadTextFile(text.Folder.path() + "/Text Files/Long.txt", read, error);
            memo.SetText(read);
            memo.resize(800, 600);
            memo.show();
            memo.viewport()->grab();
            state.PauseTiming(); // the memo goes, as the editor below does, outside the time
        } else {
            auto editor = text.Open();
            editor->memEditor->document()->setModified(false);
            state.PauseTiming();
            editor.reset();
        }
        state.ResumeTiming();
    }
}

/// One key typed in the middle of 10 MB of marked paragraphs, and the frame that shows it, with
/// live checking off (L = 0) or on (L = 1): the key's block is read for its marks again.
void EditorTypeInMarkedText(benchmark::State& state)
{
    LongText text(LongText::Paragraphs10MB, state.range(0) != 0, 0, true);
    auto editor = text.Open();
    TypeInTheMiddle(state, *editor, *editor->memEditor->viewport());
}

/// A key typed in a card of 100,000 words (S as above) with the live word count on or off, and
/// the whole window drawn, its status line included.
void EditorTypeWithLiveCount(benchmark::State& state)
{
    LongText text(int(state.range(0)), false, 100000);
    auto editor = text.Open();
    editor->SetLiveWordCount(state.range(1) != 0);
    TypeInTheMiddle(state, *editor, *editor);
    state.counters["words"] = double(editor->CountEditorWords());
}

/// The live word count's first count of a long text, which opening the editor pays.
void EditorStartLiveCount(benchmark::State& state)
{
    LongText text(int(state.range(0)));
    auto editor = text.Open();
    for (auto _ : state) {
        editor->SetLiveWordCount(false);
        editor->SetLiveWordCount(true);
    }
}

/// F7 over a text of N words with nothing misspelled: from the key to the end of the check.
void SpellCheckWholeText(benchmark::State& state)
{
    LongText text(LongText::Paragraphs10MB, false, state.range(0));
    auto editor = text.Open();
    for (auto _ : state) {
        editor->Menus.mnuSpellCheck->trigger();
        if (text.Dialogs.Messages.value(0) != "The spelling check is complete.")
            state.SkipWithError("the check did not reach the end");
        text.Dialogs.Messages.clear();
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void EditorSaveLongText(benchmark::State& state)
{
    LongText text(int(state.range(0)));
    auto editor = text.Open();
    for (auto _ : state) {
        editor->memEditor->document()->setModified(true);
        editor->SaveText();
    }
}

/// The project word count over every card of the first type, each with a text of 1,000 words.
void ProjectWordCount(benchmark::State& state)
{
    Fixture fixture(int(state.range(0)), 10, 1000);
    TfmMain& main = fixture.Program.Main();
    main.OpenProject(fixture.Project);
    for (auto _ : state)
        main.Menus().mnuWordCount->trigger();
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

/// What compiling a chain cannot go below: reading every card file and text file once.
void ReadChainFiles(benchmark::State& state)
{
    const Fixture fixture(int(state.range(0)), int(state.range(0)), 1000);
    ReadProjectFiles(state, fixture, true);
}

/// Compiles a chain of N cards of 1,000 words each, descriptions and texts.
void CompileChain(benchmark::State& state)
{
    Fixture fixture(int(state.range(0)), int(state.range(0)), 1000);
    TfmMain& main = fixture.Program.Main();
    main.OpenProject(fixture.Project);
    main.Selection().CurrentCard = main.Canvas().Cards().first();
    main.Menus().mnuCompile->trigger();
    auto* compile = main.findChild<TfmCompile*>("fmCompile");
    for (auto _ : state)
        compile->btnCreateClick();
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

/// Exports a chain of 5,000 cards of 500 words each (2.5 million words) as ODT (0) or PDF (1),
/// from reading the files to the file written; the texts one word repeated (0) or prose (1).
void ExportManuscriptChain(benchmark::State& state)
{
    constexpr int Cards = 5000;
    constexpr int Words = 500;
    Fixture fixture(Cards, Cards, Words);
    if (state.range(1))
        WriteProseTexts(fixture.Folder.path() + "/", Words);
    TfmMain& main = fixture.Program.Main();
    main.OpenProject(fixture.Project);
    main.Selection().CurrentCard = main.Canvas().Cards().first();
    main.Menus().mnuCompile->trigger();
    ManuscriptExport job;
    job.Names = main.findChild<TfmCompile*>("fmCompile")->Names();
    for (const QString& name : job.Names)
        job.Files << CompileFilesOf(fixture.Folder.path() + "/", name);
    job.Options.StandardManuscript = true;
    job.Target.Format = state.range(0) == 0 ? ManuscriptFormat::Odt : ManuscriptFormat::Pdf;
    job.Target.Path = fixture.Folder.filePath("manuscript." + SuffixOf(job.Target.Format));
    QString error;
    for (auto _ : state)
        if (ExportManuscript(job, {}, error) != WriteOutcome::Written)
            state.SkipWithError(error.toUtf8().constData());
    state.counters["MB"] = double(QFileInfo(job.Target.Path).size()) / 1e6;
    state.SetItemsProcessed(state.iterations() * Cards);
}

/// Finds the cards of N whose text holds a word, every text read once.
void FindAndCompileCards(benchmark::State& state)
{
    Fixture fixture(int(state.range(0)), 10, 1000);
    TfmMain& main = fixture.Program.Main();
    main.OpenProject(fixture.Project);
    for (auto _ : state)
        main.Compiles().FindAndCompile("Lighthouse.", false, true);
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

/// Drags a selected group of 100 cards; each iteration is one mouse move.
void DragGroup(benchmark::State& state)
{
    Fixture fixture(int(state.range(0)));
    TfmMain& main = fixture.Program.Main();
    main.OpenProject(fixture.Project);
    main.resize(1200, 900);
    QWidget* viewport = main.View().viewport();
    const QList<TNodex*> cards = main.Canvas().Cards();
    TNodex* first = cards.first();
    for (int i = 1; i < 100; ++i)
        main.Selection().SelectedCards.append(cards[i]);
    const QPoint from = main.View().mapFromScene(QPointF(first->Left() + 10, first->Top() + 10));
    QTest::mousePress(viewport, Qt::LeftButton, Qt::ShiftModifier, from);
    int step = 0;
    for (auto _ : state) {
        ++step;
        QTest::mouseMove(viewport, from + QPoint(5 + step % 200, 5 + step % 150));
    }
    QTest::mouseRelease(viewport, Qt::LeftButton, Qt::ShiftModifier, from);
    main.Steps().setClean();
}

/// Delete of every card with its text file, and its undo: the step keeps every file's bytes in
/// memory, which the counter reports.
void DeleteAllAndUndo(benchmark::State& state)
{
    Fixture fixture(int(state.range(0)), 10, 1000);
    TfmMain& main = fixture.Program.Main();
    main.OpenProject(fixture.Project);
    qint64 kept = 0;
    for (auto _ : state) {
        main.Selection().SelectedCards = main.Canvas().Cards();
        main.Cards().DeleteSelectedCards(true);
        kept = dynamic_cast<const ProjectStep*>(main.Steps().command(main.Steps().index() - 1))->KeptBytes();
        main.Undo();
    }
    state.counters["kept_MB"] = double(kept) / 1e6;
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

/// Zoom to fit on a canvas of N cards, and the redraw of the whole view at that scale; with
/// S = 1 the cards show their descriptions and word counts.
void ZoomToFitAndRedraw(benchmark::State& state)
{
    Fixture fixture(int(state.range(0)));
    TfmMain& main = fixture.Program.Main();
    main.OpenProject(fixture.Project);
    main.resize(1200, 900);
    if (state.range(1)) {
        main.Menus().mnuDescriptionsOnCards->trigger();
        main.Menus().mnuWordCountsOnCards->trigger();
    }
    QWidget* viewport = main.View().viewport();
    benchmark::DoNotOptimize(viewport->grab());
    for (auto _ : state) {
        state.PauseTiming();
        main.View().RestoreZoom(100);
        state.ResumeTiming();
        main.View().ZoomToFit();
        benchmark::DoNotOptimize(viewport->grab());
    }
    state.counters["percent"] = main.View().ZoomPercent();
}

/// One notch of the wheel at 25% on a canvas of N cards, until the view has drawn what it shows.
void ScrollAtQuarterScale(benchmark::State& state)
{
    Fixture fixture(int(state.range(0)));
    TfmMain& main = fixture.Program.Main();
    main.OpenProject(fixture.Project);
    main.resize(800, 600);
    main.View().RestoreZoom(25);
    QWidget* viewport = main.View().viewport();
    QApplication::processEvents();
    const QPoint at = viewport->rect().center();
    int step = 0;
    int farthest = 0;
    for (auto _ : state) {
        // Down and up again, so that every step scrolls.
        QWheelEvent wheel(at, viewport->mapToGlobal(at), {}, QPoint(0, ++step % 2 ? -120 : 120), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(viewport, &wheel);
        QApplication::processEvents();
        farthest = std::max(farthest, main.View().verticalScrollBar()->value());
    }
    state.counters["scrolled"] = farthest;
}
} // namespace

BENCHMARK(ReadCardFiles)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(OpenProject)->Arg(1000)->Arg(2500)->Arg(10000)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(OpenProjectWithTexts)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(SaveAfterMovingOneCard)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(MergeChain)->Arg(500)->Unit(benchmark::kMillisecond)->Iterations(3);
// Argument 0: 10 MB in paragraphs; 1: one paragraph of 2 MB.
BENCHMARK(EditorOpenLongText)->Args({0, 0})->Args({0, 1})->Args({1, 0})->Args({1, 1})->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(EditorOpenMarkedText)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(EditorTypeInMarkedText)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond)->Iterations(50);
BENCHMARK(EditorCountLongText)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(EditorTypeInLongText)
    ->Args({0, 0, 0})->Args({0, 1, 0})->Args({1, 0, 0})->Args({1, 1, 0})->Args({0, 0, 100000})->Args({0, 1, 100000})
    ->Unit(benchmark::kMicrosecond)->Iterations(20);
BENCHMARK(EditorTypeWithLiveCount)->ArgsProduct({{0, 1}, {0, 1}})->Unit(benchmark::kMicrosecond)->Iterations(50);
BENCHMARK(EditorStartLiveCount)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(SpellCheckWholeText)->Arg(1000000)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(EditorSaveLongText)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(ProjectWordCount)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(ReadChainFiles)->Arg(1000)->Arg(5000)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(CompileChain)->Arg(1000)->Arg(5000)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(ExportManuscriptChain)->ArgsProduct({ { 0, 1 }, { 0, 1 } })->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(FindAndCompileCards)->Arg(1000)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(DeleteAllAndUndo)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(DragGroup)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond)->Iterations(200);
BENCHMARK(ZoomToFitAndRedraw)->Args({10000, 0})->Args({10000, 1})->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK(ScrollAtQuarterScale)->Arg(10000)->Unit(benchmark::kMillisecond)->Iterations(20);

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
