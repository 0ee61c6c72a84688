// Opens one text file in a real editor window and exits once the window has drawn it and the
// event queue has run dry: the whole life of a process that shows a text, for bench/process.sh
// to time against reading the same file with cat and wc. NODEX_LIVE_SPELLING=0 opens it with
// live spell checking off.
#include "SilentDialogs.h"
#include "editor/Editor.h"
#include "editor/EditorMemo.h"
#include "messages/MessageTable.h"
#include "spelling/SpellEngine.h"

#include <QApplication>
#include <QEvent>
#include <QFileInfo>
#include <QTimer>
#include <cstdio>
#include <functional>

namespace {
/// Counts the paint events a widget receives.
class PaintCounter : public QObject {
public:
    int Painted = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            ++Painted;
        return QObject::eventFilter(watched, event);
    }
};
} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: open_text_process FILE.txt\n");
        return 2;
    }
    SilentDialogs dialogs;
    NoShell shell;
    MessageTable messages;
    EditorContext context(
        ProgramFolders::Portable(QCoreApplication::applicationDirPath() + "/"), dialogs, shell, messages);
    // Live checking with the system's dictionary unless NODEX_LIVE_SPELLING=0; the writer's own
    // spelling configuration is left out.
    SpellCheckerConfig& spelling = context.Spelling.Config;
    spelling.ConfigFilename = spelling.ConfigDictionaryDir + "bench-none.cfg";
    spelling.ConfigDefaultOptions.Set(soLiveSpelling, qEnvironmentVariable("NODEX_LIVE_SPELLING") != "0");
    TfmEditor editor(context);
    editor.setAttribute(Qt::WA_DeleteOnClose, false);
    editor.TextFile = QFileInfo(QString::fromLocal8Bit(argv[1])).absoluteFilePath();
    editor.CardName = QFileInfo(editor.TextFile).completeBaseName();
    PaintCounter paints;
    editor.memEditor->viewport()->installEventFilter(&paints);
    editor.resize(800, 600);
    editor.show();
    // A zero timer fires once the queue is empty; until the text has been drawn, wait again.
    std::function<void()> whenIdle = [&] {
        if (paints.Painted > 0)
            app.quit();
        else
            QTimer::singleShot(0, &app, whenIdle);
    };
    QTimer::singleShot(0, &app, whenIdle);
    const int code = app.exec();
    std::printf("%lld characters in %d blocks\n",
        qint64(editor.memEditor->document()->characterCount()),
        editor.memEditor->document()->blockCount());
    return code;
}
