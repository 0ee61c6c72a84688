#include "project/ProjectWatcher.h"

#include "platform/AtomicWrite.h"
#include "platform/NativeName.h"
#include "project/ProjectPaths.h"

#include <QFileInfo>

#include <utility>

#include <dirent.h>
#include <sys/stat.h>

namespace {
// Long enough to take a sync tool's burst of files in one look, short enough to feel at once.
constexpr int SettleMs = 150;
} // namespace

ProjectWatcher::ProjectWatcher(QObject* parent)
    : QObject(parent)
{
    FSettle.setSingleShot(true);
    FSettle.setInterval(SettleMs);
    connect(&FSettle, &QTimer::timeout, this, &ProjectWatcher::Recheck);
    connect(&FWatcher, &QFileSystemWatcher::directoryChanged, this, [this] { FSettle.start(); });
}

void ProjectWatcher::Watch(const QString& projectFolder)
{
    FSettle.stop();
    if (const QStringList watched = FWatcher.directories(); !watched.isEmpty())
        FWatcher.removePaths(watched);
    FFolder = projectFolder;
    FStamps.clear();
    FGoneTold = false;
    FHeld.LetGo();
    if (FFolder.isEmpty())
        return;
    FHeld.Hold(FFolder);
    FWatcher.addPath(FFolder);
    WatchTextFolder();
    FStamps = Look();
}

void ProjectWatcher::WatchTextFolder()
{
    // The folder of the texts may be made only with the first text, after the watch began.
    const QString texts = FFolder + ProjectPaths::TextFilesFolder;
    if (!FWatcher.directories().contains(texts) && QFileInfo(texts).isDir())
        FWatcher.addPath(texts);
}

ProjectWatcher::Stamps ProjectWatcher::Look() const
{
    // Read straight from the listing by native name: a look at thousands of files converts
    // only the names that changed.
    Stamps stamps;
    stamps.reserve(FStamps.size());
    for (const QString& subfolder : {QString(), ProjectPaths::TextFilesFolder}) {
        DIR* dir = ::opendir(NativePath(FFolder + subfolder).constData());
        if (!dir)
            continue;
        const QByteArray prefix = NativePath(subfolder);
        while (const dirent* entry = ::readdir(dir)) {
            struct stat status {};
            if (entry->d_type != DT_REG && entry->d_type != DT_LNK && entry->d_type != DT_UNKNOWN)
                continue;
            if (::fstatat(::dirfd(dir), entry->d_name, &status, 0) != 0 || !S_ISREG(status.st_mode))
                continue;
            const QByteArray name(entry->d_name);
            // The program's own writes pass through these on their way to their names.
            if (name.startsWith('.') && IsWriteTempName(PathFromNative(name)))
                continue;
            stamps.insert(prefix + name,
                          {qint64(status.st_size),
                           qint64(status.st_mtim.tv_sec) * 1'000'000'000 + status.st_mtim.tv_nsec,
                           qint64(status.st_ctim.tv_sec) * 1'000'000'000 + status.st_ctim.tv_nsec,
                           quint64(status.st_ino)});
        }
        ::closedir(dir);
    }
    return stamps;
}

void ProjectWatcher::Recheck()
{
    if (FFolder.isEmpty())
        return;
    FSettle.stop();
    if (FHeld.Gone()) {
        if (!std::exchange(FGoneTold, true))
            emit FolderGone();
        return;
    }
    FGoneTold = false;
    // A folder renamed away and back lost its watch on the way.
    if (!FWatcher.directories().contains(FFolder))
        FWatcher.addPath(FFolder);
    WatchTextFolder();
    Stamps now = Look();
    QStringList changed;
    for (auto at = now.cbegin(); at != now.cend(); ++at) {
        const auto before = FStamps.constFind(at.key());
        if (before == FStamps.cend() || !(*before == at.value()))
            changed.append(FFolder + PathFromNative(at.key()));
    }
    for (auto at = FStamps.cbegin(); at != FStamps.cend(); ++at) {
        if (!now.contains(at.key()))
            changed.append(FFolder + PathFromNative(at.key()));
    }
    FStamps = std::move(now);
    if (changed.isEmpty())
        return;
    changed.sort();
    emit FilesChanged(changed);
}
