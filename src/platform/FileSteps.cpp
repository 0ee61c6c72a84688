#include "platform/FileSteps.h"

namespace {
FileStepHook& Hook()
{
    static FileStepHook hook;
    return hook;
}
} // namespace

void SetFileStepHook(FileStepHook hook) { Hook() = std::move(hook); }

StepOutcome PassFileStep(FileStep step, const QByteArray& path)
{
    const FileStepHook& hook = Hook();
    return hook ? hook(step, path) : StepOutcome{};
}
