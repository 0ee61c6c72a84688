#include "KilledProcess.h"

#include "platform/FileSteps.h"

#include <csignal>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

bool KilledBeforeStep(int n, const std::function<void()>& operation)
{
    const pid_t child = fork();
    if (child == 0) {
        int steps = 0;
        SetFileStepHook([&](FileStep, const QByteArray&) {
            if (++steps == n)
                ::raise(SIGKILL);
            return StepOutcome {};
        });
        operation();
        ::_exit(0);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    EXPECT_TRUE(WIFSIGNALED(status) || (WIFEXITED(status) && WEXITSTATUS(status) == 0)) << status;
    return WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL;
}
