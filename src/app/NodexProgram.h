#pragma once

#include "messages/MessageTable.h"
#include "platform/ProgramFolders.h"

#include <QStringList>

#include <memory>

class Dialogs;
class Shell;
class TfmAbout;
class TfmCompile;
class TfmEditor;
class TfmFindAndCompile;
class TfmFindReplace;
class TfmMain;
class TfmOptions;
class TfmProperties;

/// The program from its start to its message loop: the message table, the eight windows in
/// their order, and the project named on the command line.
class NodexProgram {
public:
    /// Creates the windows. A negative `splashDraw` draws at random.
    NodexProgram(const ProgramFolders& folders, Dialogs& dialogs, Shell& shell, int splashDraw = -1);
    ~NodexProgram();

    /// Opens the project named by the arguments (the program's own name not included) and shows
    /// the main window. False when the program must end without entering its message loop: more
    /// than one argument, or a project that could not be opened (a message has been shown).
    bool Start(const QStringList& arguments);

    TfmMain& Main() { return *fmMain; }
    MessageTable& Messages() { return FMessages; }

private:
    MessageTable FMessages;
    Dialogs& FDialogs;
    std::unique_ptr<TfmMain> fmMain;
    TfmAbout* fmAbout;
    TfmCompile* fmCompile;
    std::unique_ptr<TfmEditor> fmEditor;
    TfmFindReplace* fmFindReplace;
    TfmOptions* fmOptions;
    TfmProperties* fmProperties;
    TfmFindAndCompile* fmFindAndCompile;
};
