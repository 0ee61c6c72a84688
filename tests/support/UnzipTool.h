#pragma once

#include <QString>

/// The unzip program run on an archive, as a writer restoring a backup would.
namespace UnzipTool {
/// Whether `unzip -t` finds every entry of the archive whole; on failure `output` says why.
bool Tests(const QString& archive, QString* output = nullptr);
/// Unpacks the archive into `folder`, which it makes; false when unzip reports a failure.
bool Extract(const QString& archive, const QString& folder);
} // namespace UnzipTool
