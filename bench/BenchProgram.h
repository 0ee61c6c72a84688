#pragma once

#include "SilentDialogs.h"
#include "app/NodexProgram.h"
#include "platform/ProgramFolders.h"

#include <QCoreApplication>

/// The whole program as a benchmark drives it: its folders beside the benchmark, every question
/// answered silently, no shell and no splash. Made after the project's temporary folder, so that
/// the program has left the project before the folder goes.
struct BenchProgram {
    SilentDialogs Dialogs;
    NoShell Shell;
    NodexProgram Program {
        ProgramFolders::Portable(QCoreApplication::applicationDirPath() + "/"), Dialogs, Shell, 0
    };
};
