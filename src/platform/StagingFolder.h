#pragma once

#include "platform/FileHandle.h"

#include <QString>

/// A folder built under a temporary name beside its final one and moved to that name only when it
/// is complete, so that a folder with the final name is always whole: a failure or a crash half
/// way leaves only the temporary folder ("." + name + ".nodex-tmp"), which the failure removes
/// at once and RemoveLeftovers after a crash. A lock on the folder while it is built keeps a
/// clean-up in another copy of the program from taking it.
class StagingFolder {
public:
    /// `finalPath` names the folder to be made, without a trailing "/".
    explicit StagingFolder(QString finalPath);
    /// Removes the temporary folder unless it was moved into place.
    ~StagingFolder();
    StagingFolder(const StagingFolder&) = delete;
    StagingFolder& operator=(const StagingFolder&) = delete;

    /// Makes the temporary folder, one level; false with the reason when it cannot be made.
    bool Create(QString& reason);
    /// The temporary folder, with a trailing "/", to be filled.
    QString Path() const;
    /// Flushes everything written to the disk, then moves the folder to its final name. A folder
    /// already there is replaced as a whole (exchanged in one step where the file system can,
    /// otherwise moved aside first) and then removed. False, with the reason, when it could not
    /// be moved; the temporary folder then goes.
    bool Commit(QString& reason);

    /// Removes the temporary folders in `parent` that killed builds left behind: exactly those
    /// named as IsWriteTempName says, and only those no build holds.
    static void RemoveLeftovers(const QString& parent);

private:
    QString FFinal;
    QString FStaging;
    FileHandle FLock; ///< the temporary folder, locked while it is built
    bool FCreated = false;
    bool FCommitted = false;
};
