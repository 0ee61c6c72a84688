#include "project/ProjectWatcher.h"

#include "platform/AtomicWrite.h"
#include "platform/NativeName.h"
#include "project/ProjectPaths.h"

#include <QFileInfo>

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
    if (FFolder.isEmpty())
        return;
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
    Stamps stamps;
    for (const QString& subfolder : {QString(), ProjectPaths::TextFilesFolder}) {
        const QString folder = FFolder + subfolder;
        for (const QString& name : RegularFileNames(folder)) {
            // The program's own writes pass through these on their way to their names.
            if (IsWriteTempName(name))
                continue;
            struct stat status {};
            if (::stat(NativePath(folder + name).constData(), &status) != 0)
                continue;
            stamps.insert(subfolder + name,
                          {qint64(status.st_size),
                           qint64(status.st_mtim.tv_sec) * 1'000'000'000 + status.st_mtim.tv_nsec,
                           quint64(status.st_ino)});
        }
    }
    return stamps;
}

void ProjectWatcher::Recheck()
{
    if (FFolder.isEmpty())
        return;
    FSettle.stop();
    WatchTextFolder();
    Stamps now = Look();
    QStringList changed;
    for (auto at = now.cbegin(); at != now.cend(); ++at) {
        const auto before = FStamps.constFind(at.key());
        if (before == FStamps.cend() || !(*before == at.value()))
            changed.append(FFolder + at.key());
    }
    for (auto at = FStamps.cbegin(); at != FStamps.cend(); ++at) {
        if (!now.contains(at.key()))
            changed.append(FFolder + at.key());
    }
    FStamps = std::move(now);
    if (changed.isEmpty())
        return;
    changed.sort();
    emit FilesChanged(changed);
}
