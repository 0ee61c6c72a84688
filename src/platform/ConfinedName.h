#pragma once

#include <QString>

/// Whether a file or folder name read from a file stays inside the folder it is looked up in: no
/// path separator, no "." or "..", no control character. A name that would leave its folder is
/// treated as the name of a missing file.
bool StaysInFolder(const QString& name);
