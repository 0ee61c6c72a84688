#include "app/Main.h"
#include "app/NodexProgram.h"
#include "app/ToolTipStyle.h"
#include "platform/DesktopShell.h"
#include "platform/ProgramFolders.h"
#include "platform/QtDialogs.h"
#include "settings/HelpWindow.h"

#include <QApplication>
#include <QIcon>

#include <memory>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName("Nodex");
    QApplication::setStyle(new ToolTipStyle);
    const QString programFolder = QCoreApplication::applicationDirPath() + "/";
#ifdef NODEX_PACKAGED
    const ProgramFolders folders = ProgramFolders::Packaged(programFolder);
    // Every run ends by writing the settings, and the editor and compile windows write theirs
    // whenever they close: their folder is made once, here.
    folders.Prepare(folders.Settings);
#else
    const ProgramFolders folders = ProgramFolders::Portable(programFolder);
#endif
    QApplication::setWindowIcon(QIcon(folders.Data + "nodex.png"));

    QtDialogs dialogs(nullptr, "Nodex");
    DesktopShell shell;
    NodexProgram program(folders, dialogs, shell);
    dialogs.SetParent(&program.Main());
    // The help window is made on the first request: a session that never asks for help never
    // reads the pages.
    std::unique_ptr<HelpWindow> help;
    shell.SetHelpViewer([&](const QString& keyword) {
        if (!help)
            help = std::make_unique<HelpWindow>(folders.Data + "Help/", program.Messages());
        help->ShowTopic(keyword);
    });
    // The help window has no parent, so that it stays beside the program rather than above it;
    // it goes with the main window, or the program would go on running for it alone.
    QObject::connect(&program.Main(), &TfmMain::Closed, &app, [&help] {
        if (help)
            help->close();
    });
    if (!program.Start(app.arguments().mid(1)))
        return 0;
    return QApplication::exec();
}
