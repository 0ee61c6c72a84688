#pragma once

#include <QtGlobal>

/// Whether a process of this computer has ended (or never was): a process id of 0 or less is
/// no process.
bool ProcessIsGone(qint64 process);
