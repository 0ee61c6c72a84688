// What the writing session adds to a key typed in a real editor window on a long card.
#include "SilentDialogs.h"
#include "app/WritingSession.h"
#include "editor/Editor.h"
#include "editor/EditorMemo.h"
#include "messages/MessageTable.h"
#include "project/ProjectState.h"

#include <QApplication>
#include <QFile>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <benchmark/benchmark.h>

namespace {

/// One word typed as keys in the middle of a card of 100,000 words in paragraphs of 120, in an
/// editor window shown with its live word count, without (S = 0) and with (S = 1) the writing
/// session following the editor, a session target set so that the editor's status line shows
/// the session's words too. Each key pair starts a word, so that the counts change every time.
void KeyInEditorWithWritingSession(benchmark::State& state)
{
    QTemporaryDir folder;
    QString text;
    const QString paragraph = QStringLiteral("word ").repeated(119) + QStringLiteral("word\r\n\r\n");
    for (int i = 0; i < 100000 / 120; ++i)
        text += paragraph;
    const QString path = folder.filePath("Card.txt");
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(text.toUtf8()) < 0) {
        state.SkipWithError("the card's text could not be written");
        return;
    }
    file.close();
    SilentDialogs dialogs;
    NoShell shell;
    MessageTable messages;
    EditorContext context(
        ProgramFolders::Portable(QCoreApplication::applicationDirPath() + "/"), dialogs, shell, messages);
    SpellCheckerConfig& spelling = context.Spelling.Config;
    spelling.ConfigFilename = spelling.ConfigDictionaryDir + "bench-none.cfg";
    spelling.ConfigDefaultOptions.Set(soLiveSpelling, false);
    TfmEditor editor(context);
    editor.setAttribute(Qt::WA_DeleteOnClose, false);
    editor.TextFile = path;
    editor.CardName = "Card";
    editor.resize(800, 600);
    editor.show();
    ProjectState project;
    project.SessionTarget = 500;
    QStatusBar statusLine;
    WritingSession session(project, statusLine, messages);
    if (state.range(0) != 0)
        session.Follow(editor);
    QTextCursor cursor = editor.memEditor->textCursor();
    cursor.setPosition(editor.memEditor->document()->characterCount() / 2);
    editor.memEditor->setTextCursor(cursor);
    for (auto _ : state)
        QTest::keyClicks(editor.memEditor, QStringLiteral(" w"));
    state.counters["session"] = double(session.Tracker().SessionWords());
}

} // namespace

BENCHMARK(KeyInEditorWithWritingSession)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond)->Iterations(2000);
