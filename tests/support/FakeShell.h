#pragma once

#include "platform/Shell.h"

#include <QFileInfo>
#include <QStringList>

/// Records what the program asked of the desktop instead of doing it.
class FakeShell : public Shell {
public:
    void ExploreFolder(const QString& folder) override { ExploredFolders << folder; }
    void BringToFront(QWidget*) override { ++BroughtToFront; }
    void StartDetached(const QString& program, const QStringList& arguments) override
    {
        Started << QFileInfo(program).fileName() + ' ' + arguments.join(' ');
    }

    void ShowHelp(const QString& keyword) override { HelpRequests << keyword; }

    QStringList ExploredFolders;
    QStringList HelpRequests; ///< the keyword of each help request, empty for the index
    QStringList Started; ///< program name and arguments of each program started
    int BroughtToFront = 0;
};
