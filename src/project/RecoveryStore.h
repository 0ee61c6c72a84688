#pragma once

#include "platform/FileIdentity.h"

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>

/// One card's unsaved text as a recovery file keeps it.
struct RecoveredText {
    QString File; ///< the recovery file
    QString CardName; ///< the card's name when the text was kept
    FileIdentity TextRead; ///< the card's text file as the editor had read it
    QDateTime Written; ///< when the text was kept, in UTC

    /// Whether the text file at `path` is no longer the one the editor had read: the kept text
    /// is then older than the file, and taking it back would drop what changed there.
    bool FileChangedSince(const QString& path) const;
};

/// The unsaved texts of a project's open editors, kept outside the project so that a crash or a
/// power cut loses no typing: one file per card in the project's recovery folder, holding a small
/// header (card name, the text file's identity when read, the time) and then the text's bytes
/// exactly as a save would write them. Each file is written atomically; a file that is not one of
/// ours, or is damaged, is passed over and left where it is.
class RecoveryStore {
public:
    /// `folder` is the project's own recovery folder (see FolderOf), with a trailing "/".
    explicit RecoveryStore(const QString& folder);

    /// The recovery folder of a project inside the program's: keyed as the automatic backups
    /// are, so that two projects of one name keep their texts apart.
    static QString FolderOf(const QString& recoveryFolder, const QString& projectFolder,
        const QString& projectFileName);

    const QString& Folder() const { return FFolder; }
    /// The recovery file of a card: a hash of its name, which any name fits.
    QString FileOf(const QString& cardName) const;
    /// Moves the card's recovery file, when there is one of ours, to a name beside it, so that a
    /// text the writer chose to keep for later is not replaced by what an editor keeps now.
    bool SetAside(const QString& cardName, QString& error) const;

    /// Keeps a card's text. Makes the project's folder (not the program's) when it is missing.
    bool Write(const QString& cardName, const QByteArray& text, const FileIdentity& textRead,
        const QDateTime& when, QString& error) const;
    /// The texts kept, by card name; damaged and foreign files are not listed.
    QList<RecoveredText> List() const;
    /// The bytes of a kept text.
    bool Read(const RecoveredText& kept, QByteArray& text, QString& error) const;
    /// Removes a kept text's file. A file there that is not ours stays; nothing of ours is
    /// left, so that is no failure.
    bool Discard(const RecoveredText& kept, QString& error) const;
    /// Removes the card's recovery file (not those set aside), as Discard does.
    bool Discard(const QString& cardName, QString& error) const;

private:
    /// Whether a path is the card's recovery file or one set aside from it.
    bool IsFileOf(const QString& path, const QString& cardName) const;

    QString FFolder;
};
