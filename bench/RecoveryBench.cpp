// Measures what keeping unsaved text for recovery costs an editor holding a 10 MB card: a key,
// which only restarts the recovery timer, and the timer's work once typing pauses: the text
// taken from the editor, encoded as a save would and written atomically beside the project.
#include "SilentDialogs.h"
#include "editor/Editor.h"
#include "editor/EditorMemo.h"
#include "editor/EditorText.h"
#include "editor/RecoveryWriter.h"
#include "messages/MessageTable.h"
#include "project/RecoveryStore.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QTextDocument>
#include <benchmark/benchmark.h>

namespace {
/// A 10 MB card in paragraphs of 120 words, open in a shown editor that keeps unsaved text in a
/// recovery folder of its own.
struct LongCard {
    LongCard()
    {
        const QList<QByteArray> words
            = QByteArray("The keeper climbed the spiral stair at dusk, trimmed "
                         "the wick and watched the storm come in over the rocks;")
                  .split(' ');
        QByteArray text;
        for (int word = 1; text.size() < 10 * 1024 * 1024; ++word)
            text += words[word % words.size()] + (word % 120 != 0 ? " " : "\r\n");
        QDir().mkpath(Folder.path() + "/Text Files");
        QDir().mkpath(Folder.path() + "/Recovery");
        QFile file(Folder.path() + "/Text Files/Long.txt");
        file.open(QIODevice::WriteOnly);
        file.write(text);
        file.close();
        Editor = std::make_unique<TfmEditor>(Context);
        Editor->setAttribute(Qt::WA_DeleteOnClose, false);
        Editor->ProjectFolder = Folder.path() + "/";
        Editor->CardName = "Long";
        Editor->RecoveryFolder = Folder.path() + "/Recovery/Book (0)/";
        Editor->resize(800, 600);
        Editor->show();
        Editor->memEditor->viewport()->grab();
        QTextCursor middle(Editor->memEditor->document());
        middle.setPosition(Editor->memEditor->document()->characterCount() / 2);
        Editor->memEditor->setTextCursor(middle);
        Editor->memEditor->ensureCursorVisible();
    }
    ~LongCard() { Editor->memEditor->document()->setModified(false); }

    QTemporaryDir Folder;
    SilentDialogs Dialogs;
    NoShell Shell;
    MessageTable Messages;
    EditorContext Context { ProgramFolders::Portable(QCoreApplication::applicationDirPath() + "/"),
        Dialogs, Shell, Messages };
    std::unique_ptr<TfmEditor> Editor;
};

/// One key in the middle of the card and the frame that shows it, recovery on.
void RecoveryKeyInLongText(benchmark::State& state)
{
    LongCard card;
    QWidget& shown = *card.Editor->memEditor->viewport();
    shown.grab();
    for (auto _ : state) {
        QTest::keyClick(card.Editor->memEditor, Qt::Key_A);
        shown.grab();
    }
}

/// The recovery timer's work on the card after a key: taking the text, encoding it, writing it.
/// With 0, the window's share (the text taken, the write handed to the worker); with 1, until
/// the file is on the disk.
void RecoveryWriteLongText(benchmark::State& state)
{
    LongCard card;
    QTest::keyClick(card.Editor->memEditor, Qt::Key_A);
    const QString kept = RecoveryStore(card.Editor->RecoveryFolder).FileOf("Long");
    for (auto _ : state) {
        card.Editor->KeepForRecovery();
        if (state.range(0) == 0)
            state.PauseTiming();
        RecoveryWriter::WaitForAll();
        QCoreApplication::sendPostedEvents(card.Editor.get(), QEvent::MetaCall);
        if (state.range(0) == 0)
            state.ResumeTiming();
    }
    if (!QFile::exists(kept))
        state.SkipWithError("no recovery file was written");
    state.counters["MB"] = double(QFileInfo(kept).size()) / 1e6;
}
} // namespace

BENCHMARK(RecoveryKeyInLongText)->Unit(benchmark::kMicrosecond)->Iterations(20);
BENCHMARK(RecoveryWriteLongText)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(10);

namespace {
/// The parts of the recovery write, one by one: taking the text, encoding it, writing the file.
void RecoveryWriteParts(benchmark::State& state)
{
    LongCard card;
    QTest::keyClick(card.Editor->memEditor, Qt::Key_A);
    const RecoveryStore store(card.Editor->RecoveryFolder);
    const QString text = card.Editor->memEditor->Text();
    const QByteArray bytes = EditorText::Encoded(text);
    for (auto _ : state) {
        QString error;
        switch (state.range(0)) {
        case 0:
            benchmark::DoNotOptimize(card.Editor->memEditor->Text().size());
            break;
        case 1:
            benchmark::DoNotOptimize(EditorText::Encoded(text).size());
            break;
        default:
            if (!store.Write("Long", bytes, {}, QDateTime::currentDateTimeUtc(), error))
                state.SkipWithError("not written");
        }
    }
}
} // namespace

BENCHMARK(RecoveryWriteParts)
    ->Arg(0)
    ->Arg(1)
    ->Arg(2)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(10);
