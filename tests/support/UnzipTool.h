#pragma once

#include <QString>

/// Real zip readers run on an archive, as a writer restoring a backup would.
namespace UnzipTool {
/// Whether `unzip -t` finds every entry of the archive whole; on failure `output` says why.
bool Tests(const QString& archive, QString* output = nullptr);
/// The entries' names as Python's zipfile module reads them: as UTF-8 where the archive says
/// so, otherwise as the code page of MS-DOS, as readers on other systems do.
QString PythonListing(const QString& archive);
/// Unpacks the archive into `folder`, which it makes; false when unzip reports a failure.
bool Extract(const QString& archive, const QString& folder);
} // namespace UnzipTool
