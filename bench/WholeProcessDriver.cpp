// Drives the real program from its start to its exit, for the whole-process measures of
// bench/whole-process.sh: the same start as the program's own main (style, icon, windows, the
// project named on the command line), then one task once the window has drawn and gone idle,
// then the window is closed as a writer closes it. Questions are answered silently, so that the
// compilation's closing message does not wait for a click.
//
//   nodex_bench_driver generate FOLDER CARDS CHAIN WORDS   writes a project, prints its path
//   nodex_bench_driver open [PROJECT]                      start, idle, close
//   nodex_bench_driver compile PROJECT                     + compile the chain of the first card
//   nodex_bench_driver save PROJECT                        + move one card and save
//
// Each run prints "name=milliseconds" lines on standard output: the times from main() to the
// windows made, to the project opened and to the idle window; the task's own time (Create to
// the file in place; Save to the caption without " *", beside writing one card file, its
// floor); and the close.
#include "ProjectGenerator.h"
#include "SilentDialogs.h"
#include "app/Main.h"
#include "app/NodexProgram.h"
#include "app/ToolTipStyle.h"
#include "canvas/CanvasScene.h"
#include "canvas/CanvasView.h"
#include "canvas/Nodex.h"
#include "compile/Compile.h"
#include "platform/AtomicWrite.h"
#include "platform/TextFile.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QIcon>
#include <QPushButton>
#include <QTimer>

#include <cstdio>
#include <functional>

namespace {
void Report(const char* name, qint64 nanoseconds)
{
    std::printf("%s=%.1f\n", name, double(nanoseconds) / 1e6);
    std::fflush(stdout);
}

/// Runs `task` once the viewport has painted and the events queued behind that paint are done.
class WhenIdle : public QObject {
public:
    WhenIdle(QWidget* viewport, std::function<void()> task)
        : FTask(std::move(task))
    {
        viewport->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && FTask) {
            watched->removeEventFilter(this);
            QTimer::singleShot(0, this, [task = std::move(FTask)] { task(); });
        }
        return false;
    }

private:
    std::function<void()> FTask;
};

/// Compiles the chain that starts at the first card, as Tools > Compile and Create do.
void CompileFirstChain(TfmMain& main)
{
    main.Selection().CurrentCard = main.Canvas().Cards().first();
    main.Selection().SelectedCards = {main.Canvas().Cards().first()};
    main.Menus().mnuCompile->trigger();
    auto* compile = main.findChild<TfmCompile*>("fmCompile");
    const QString output = main.Project().ProjectFolder + "Text Files/Compilation.txt";
    QElapsedTimer timer;
    timer.start();
    compile->btnCreate->click();
    Report("compile_ms", timer.nsecsElapsed());
    if (!QFileInfo(output).isFile())
        qFatal("the compilation was not written");
}

/// Moves the middle card and saves, as a drag and Ctrl+S do; beside it, writing one card file.
void SaveOneCard(TfmMain& main)
{
    TNodex* card = main.Canvas().Cards()[main.Canvas().CardCount() / 2];
    const QPoint from(card->Left(), card->Top());
    main.Cards().MoveCards({{card->Id(), from}}, {{card->Id(), from + QPoint(5, 0)}});
    main.UpdateCaption();
    QElapsedTimer timer;
    timer.start();
    main.Menus().mnuSaveProject->trigger();
    Report("save_ms", timer.nsecsElapsed());
    if (main.windowTitle().contains(" *"))
        qFatal("the save left the project modified");
    QByteArray bytes;
    QString error;
    const QString path = main.Store().CardFilePath(card->Id());
    ReadFileBytes(path, bytes, error);
    timer.restart();
    WriteFileAtomically(path + ".floor", bytes, error);
    Report("write_one_file_ms", timer.nsecsElapsed());
    QFile::remove(path + ".floor");
}

int Generate(int argc, char** argv)
{
    const QCoreApplication app(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() != 6)
        return 2;
    const QString project
        = GenerateProject(arguments[2], arguments[3].toInt(), arguments[4].toInt(), arguments[5].toInt());
    std::printf("%s\n", qPrintable(project));
    return 0;
}
} // namespace

int main(int argc, char** argv)
{
    QElapsedTimer sinceStart;
    sinceStart.start();
    if (argc > 1 && QByteArrayView(argv[1]) == "generate")
        return Generate(argc, argv);
    QApplication app(argc, argv);
    const QStringList arguments = QApplication::arguments();
    const QString mode = arguments.value(1);

    QApplication::setApplicationName("Nodex");
    QApplication::setStyle(new ToolTipStyle);
    const QString appFolder = QCoreApplication::applicationDirPath() + "/";
    QApplication::setWindowIcon(QIcon(appFolder + "nodex.png"));
    SilentDialogs dialogs;
    NoShell shell;
    NodexProgram program(ProgramFolders::Portable(appFolder), dialogs, shell);
    TfmMain& main = program.Main();
    Report("windows_made_ms", sinceStart.nsecsElapsed());

    std::function<void()> task;
    if (mode == "compile")
        task = [&main] { CompileFirstChain(main); };
    else if (mode == "save")
        task = [&main] { SaveOneCard(main); };
    else if (mode != "open")
        return 2;
    WhenIdle idle(main.View().viewport(), [&] {
        Report("idle_ms", sinceStart.nsecsElapsed());
        if (task)
            task();
        QElapsedTimer closing;
        closing.start();
        main.close();
        Report("close_ms", closing.nsecsElapsed());
        QCoreApplication::quit();
    });
    if (!program.Start(arguments.mid(2)))
        return 1;
    Report("opened_ms", sinceStart.nsecsElapsed());
    return QApplication::exec();
}
