#include "platform/Processes.h"

#include <cerrno>
#include <csignal>

bool ProcessIsGone(qint64 process)
{
    // A signal 0 checks that the process exists without disturbing it; EPERM means it exists.
    return process <= 0 || (::kill(pid_t(process), 0) != 0 && errno == ESRCH);
}
