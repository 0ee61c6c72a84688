#pragma once

#include "platform/FileHandle.h"

#include <QString>

/// A folder held open by its handle, so that the program can tell when the folder was renamed,
/// moved or removed behind its back, and find where a renamed or moved folder went.
class HeldFolder {
public:
    /// Holds the folder at `folder` (with its trailing "/"); a folder that cannot be opened is
    /// not held.
    void Hold(const QString& folder);
    void LetGo();
    bool IsHeld() const { return FHandle.Get() >= 0; }
    /// The path the folder had when it was taken, with its trailing "/".
    const QString& Path() const { return FPath; }
    /// Whether the held folder is gone from its path: renamed, moved, removed, or replaced by
    /// another folder of that name. False when nothing is held.
    bool Gone() const;
    /// Where the held folder is now, with its trailing "/"; empty when it was removed or
    /// cannot be found.
    QString WhereNow() const;

private:
    FileHandle FHandle;
    QString FPath;
};
