#include "platform/FileSteps.h"

#include <unistd.h>

namespace {
FileStepHook& Hook()
{
    static FileStepHook hook;
    return hook;
}

DataSyncCall& SyncCall()
{
    static DataSyncCall call = nullptr;
    return call;
}
} // namespace

void SetFileStepHook(FileStepHook hook) { Hook() = std::move(hook); }

StepOutcome PassFileStep(FileStep step, const QByteArray& path)
{
    const FileStepHook& hook = Hook();
    return hook ? hook(step, path) : StepOutcome{};
}

void SetDataSyncCall(DataSyncCall call) { SyncCall() = call; }

int SyncFileData(int fd)
{
    const DataSyncCall call = SyncCall();
    return call ? call(fd) : ::fdatasync(fd);
}
