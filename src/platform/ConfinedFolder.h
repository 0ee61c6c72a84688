#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

/// A folder whose files are taken only where they really lie inside it. A symbolic link counts as
/// the file it leads to while that file is inside the folder, and is passed over when it leads
/// out, so that copying a project never carries along a file from elsewhere on the disk.
class ConfinedFolder {
public:
    /// `root` ends with "/".
    explicit ConfinedFolder(const QString& root);

    enum class Entry {
        Inside, ///< a regular file inside the folder, directly or through links that stay inside
        LeadsOut, ///< reached through a link that leads out of the folder
        Missing, ///< nothing there, or a link that leads nowhere
        NotAFile, ///< a folder, a device, a FIFO
    };
    /// What `path`, a path inside the root, names.
    Entry Check(const QString& path) const;

    /// Whether `folder` (the root or a folder in it) is a folder that lies inside the root.
    bool HoldsFolder(const QString& folder) const;

    /// The regular files of `folder` (the root or a folder in it, ending with "/") that lie inside
    /// the root, spelt as the file system spells them, in no particular order. A missing folder,
    /// and one that leads out, hold none; false with the reason when the folder cannot be read.
    /// `leadingOut`, when given, gets the names of the links there that lead out of the root.
    bool Files(const QString& folder, QStringList& names, QString& error,
        QStringList* leadingOut = nullptr) const;

private:
    /// Whether a resolved native path is the root or lies below it.
    bool Below(const QByteArray& resolved) const;

    QByteArray
        FRealRoot; ///< the root with every link resolved and a trailing "/"; empty when missing
};
