#pragma once

#include <QString>

/// A real file system of a few pages, mounted in a folder for the length of a test, so that a
/// full disk can be met for real. Only the superuser can mount one: tests skip without it.
class SmallDisk {
public:
    /// Mounts a tmpfs of `bytes` at `folder` (which must exist).
    SmallDisk(const QString& folder, int bytes);
    ~SmallDisk();
    SmallDisk(const SmallDisk&) = delete;
    SmallDisk& operator=(const SmallDisk&) = delete;

    bool Mounted() const { return FMounted; }
    /// Fills the disk, then frees `freePages` pages of 4 KB again.
    void Fill(int freePages = 0);

private:
    QString FFolder;
    bool FMounted = false;
};
