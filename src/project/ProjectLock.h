#pragma once

#include <QString>

#include <optional>

class MessageTable;

/// Who holds a project open: the host and process named in its lock file.
struct LockOwner {
    QString Host;
    qint64 Process = 0;
};

/// A lock file beside an open project file, so that a second copy of the program (on this
/// computer, or on another that shares the folder through a sync tool) does not open the same
/// project and overwrite it. The lock is ".~lock." + the project file's name; it names the
/// host and the process, and is removed when the project closes, only while it still names
/// this process.
class ProjectLock {
public:
    ProjectLock() = default;
    ~ProjectLock();
    ProjectLock(const ProjectLock&) = delete;
    ProjectLock& operator=(const ProjectLock&) = delete;

    /// The lock file of a project file.
    static QString LockPathFor(const QString& projectPath);

    /// Who else holds the project open: nothing when it is free, locked by this very process,
    /// or locked by a process of this host that is gone (a stale lock). A lock from another
    /// host is never judged stale here: its process cannot be seen. A lock that cannot be read
    /// is held by someone unknown.
    static std::optional<LockOwner> OtherOwner(const QString& projectPath);

    /// Takes the lock of a project, giving up any lock held before. A lock that cannot be
    /// written (a read-only folder, a link in its place) is not an error: the project opens
    /// unlocked.
    void Take(const QString& projectPath);
    /// Removes the lock this process holds, if it still names this process: after another copy
    /// opened the project anyway, the lock is that copy's.
    void Release();
    /// The project's folder was moved to `folder` (with its trailing "/") while open: the lock
    /// went with it, and is released there.
    void FolderMoved(const QString& folder);

    /// The message asking whether to open a project that another process holds.
    static QString Question(const MessageTable& messages, const QString& projectFileName, const LockOwner& owner);

private:
    QString FLockPath;
};
