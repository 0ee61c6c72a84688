#pragma once

#include "platform/Shell.h"

#include <QStringList>

/// Records what the program asked of the desktop instead of doing it.
class FakeShell : public Shell {
public:
    void ExploreFolder(const QString& folder) override { ExploredFolders << folder; }
    void BringToFront(QWidget*) override { ++BroughtToFront; }

    QStringList ExploredFolders;
    int BroughtToFront = 0;
};
