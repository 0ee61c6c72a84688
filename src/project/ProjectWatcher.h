#pragma once

#include "platform/HeldFolder.h"

#include <QFileSystemWatcher>
#include <QHash>
#include <QObject>
#include <QStringList>
#include <QTimer>

/// Tells which of a project's files something else has changed, made, or removed. It watches
/// the project folder and its "Text Files/" folder, not each file: two watches, however many
/// cards, keep well inside the system's limit on watches. A look compares each file's size,
/// modification and change time and inode with the last look; the content is for the file's reader to
/// judge (see FileIdentity), which also leaves out the program's own writes.
class ProjectWatcher : public QObject {
    Q_OBJECT
public:
    explicit ProjectWatcher(QObject* parent = nullptr);

    /// Starts watching a project folder (with its trailing "/"); an empty one stops watching.
    void Watch(const QString& projectFolder);
    /// Looks at both folders now. File systems that report nothing (network shares, some
    /// mounts) are looked at whenever the program's window becomes active again.
    void Recheck();

signals:
    /// Absolute paths of the files that changed, appeared or went away since the last look.
    void FilesChanged(const QStringList& paths);
    /// The project folder itself was renamed, moved or removed: its files are not reported as
    /// gone, since the project is not. Once, until the folder is back.
    void FolderGone();

private:
    /// What a look keeps of a file: enough to see a change, small enough for thousands.
    struct Stamp {
        qint64 Size = 0;
        qint64 ModifiedNs = 0;
        qint64 ChangedNs = 0; ///< moved by every write, even one whose modification time is put back
        quint64 Inode = 0;
        bool operator==(const Stamp&) const = default;
    };
    using Stamps = QHash<QByteArray, Stamp>;

    Stamps Look() const;
    void WatchTextFolder();

    QString FFolder;
    HeldFolder FHeld;
    bool FGoneTold = false;
    Stamps FStamps; ///< by native path relative to the project folder
    QFileSystemWatcher FWatcher;
    QTimer FSettle; ///< a sync tool writes many files at once: one look after the last
};
