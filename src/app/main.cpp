#include "app/Main.h"
#include "app/NodexProgram.h"
#include "app/ToolTipStyle.h"
#include "platform/DesktopShell.h"
#include "platform/QtDialogs.h"

#include <QApplication>
#include <QIcon>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName("Nodex");
    QApplication::setStyle(new ToolTipStyle);
    const QString appFolder = QCoreApplication::applicationDirPath() + "/";
    QApplication::setWindowIcon(QIcon(appFolder + "nodex.png"));

    QtDialogs dialogs(nullptr, "Nodex");
    DesktopShell shell;
    NodexProgram program(appFolder, dialogs, shell);
    dialogs.SetParent(&program.Main());
    if (!program.Start(app.arguments().mid(1)))
        return 0;
    return QApplication::exec();
}
