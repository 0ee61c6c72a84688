#pragma once

#include <functional>

/// Runs `operation` in a child process that is killed, as by kill -9, just before its n-th
/// file step. True when it was killed; false when it ran to its end without reaching step n.
bool KilledBeforeStep(int n, const std::function<void()>& operation);
