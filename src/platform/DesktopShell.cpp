#include "platform/DesktopShell.h"

#include <QDesktopServices>
#include <QProcess>
#include <QUrl>
#include <QWidget>

void DesktopShell::ExploreFolder(const QString& folder)
{
    QDesktopServices::openUrl(QUrl::fromLocalFile(folder));
}

void DesktopShell::BringToFront(QWidget* window)
{
    if (!window)
        return;
    // Un-minimising keeps a maximised window maximised.
    if (window->isMinimized())
        window->setWindowState(window->windowState() & ~Qt::WindowMinimized);
    window->show();
    window->raise();
    window->activateWindow();
}

void DesktopShell::StartDetached(const QString& program, const QStringList& arguments)
{
    QProcess::startDetached(program, arguments);
}

void DesktopShell::ShowHelp(const QString& keyword)
{
    if (FHelpViewer)
        FHelpViewer(keyword);
}
