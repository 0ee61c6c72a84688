#pragma once

#include <unistd.h>
#include <utility>

/// An open file descriptor that is closed on every way out.
class FileHandle {
public:
    explicit FileHandle(int fd = -1)
        : FFd(fd)
    {
    }
    ~FileHandle() { Reset(); }
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    int Get() const { return FFd; }
    /// Hands the file over without closing it.
    int Release() { return std::exchange(FFd, -1); }
    void Reset(int fd = -1)
    {
        if (FFd >= 0)
            ::close(FFd);
        FFd = fd;
    }

private:
    int FFd;
};
