#pragma once

#include <QByteArray>

#include <functional>

/// The steps by which the program changes files on disk. Every step passes through one hook, so
/// that tests can make a step fail as a full disk or a broken file system would, or stop the
/// process between two steps as a crash or a kill -9 would.
enum class FileStep {
    CreateTemp, ///< opening the temporary file a replacement is written to
    Write,      ///< one write of bytes into it
    Sync,       ///< flushing it to the disk
    Replace,    ///< moving it over the file it replaces
    Move,       ///< moving a file to a new name
    Remove,     ///< deleting a file
    MakeFolder, ///< creating one folder level
    Copy,       ///< copying one file, byte for byte, into a new file
};

/// What the hook makes of a step.
struct StepOutcome {
    int ErrorNumber = 0;     ///< fail the step with this system error
    bool NoProgress = false; ///< a write that writes nothing and reports no error
};

/// Called before each step with the native path it acts on.
using FileStepHook = std::function<StepOutcome(FileStep step, const QByteArray& path)>;

/// Installs a hook for tests; an empty hook lets every step run.
void SetFileStepHook(FileStepHook hook);

/// Passes a step through the hook.
StepOutcome PassFileStep(FileStep step, const QByteArray& path);

/// Flushes an open file's bytes to the disk, as fdatasync does.
using DataSyncCall = int (*)(int fd);

/// Puts a test's own call in the place of fdatasync, so that a test can see which files are
/// flushed and when (no hook can tell a flush that happens from one that is skipped); null puts
/// fdatasync back.
void SetDataSyncCall(DataSyncCall call);

/// Flushes through fdatasync, or the call a test put in its place.
int SyncFileData(int fd);
