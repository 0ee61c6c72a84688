#pragma once

#include "platform/AtomicWrite.h"
#include "platform/TextFile.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>

struct CardHistoryEntry;
struct FileIdentity;

/// One card's text: the card's name, which names its history, and its file, spelt as the store
/// spells it (a card file's name that is not UTF-8 keeps its bytes).
struct CardTextFile {
    QString CardName;
    QString Path;
};

/// The one owner of a project's card texts, "Text Files/" + card name + ".txt": where each one
/// lives, reading it, and every write into that folder (only an undo step puts back the bytes
/// it kept itself, through its KeptFile). A write first keeps the text it
/// replaces as an entry of the card's history (never an empty or unchanged text, never the same
/// text twice in a row), then goes through the atomic writer, so that a failing write leaves the
/// previous text and no write goes through a link. A guarded write refuses to replace a file
/// that another program changed since it was read. Nothing here shows a window: the caller gets
/// the reason and shows it, and a history entry that could not be kept never stops a write.
class CardTexts {
public:
    /// `projectFolder` ends with "/".
    explicit CardTexts(QString projectFolder);

    /// The folder of the texts, with its trailing "/".
    QString Folder() const;
    /// Whether a file of that folder is a card's text: its name ends in ".txt" in any letter case.
    static bool IsTextFileName(const QString& fileName);
    /// The text of the card spelt `cardName`.
    CardTextFile Of(const QString& cardName) const;
    /// The text of a card whose file the store spells `path` (empty: spelt after its name).
    CardTextFile Of(const QString& cardName, const QString& path) const;

    /// Reads a text's bytes with the identity of the file read, which a later guarded write
    /// compares with. A missing file (or folder on its way) is Missing, with nothing read.
    static FileRead Read(
        const QString& path, QByteArray& bytes, FileIdentity& identity, QString& error);
    /// Reads a text's bytes, when the file is there.
    static FileRead ReadIfPresent(const QString& path, QByteArray& bytes, QString& error);
    /// Reads a text, decoded, with its line ends as LF.
    static bool ReadText(const QString& path, QString& text, QString& error);

    /// Writes `bytes` as the card's text unless the file is no longer the one `known`
    /// describes (ChangedOnDisk, nothing written). The text replaced is kept in the history
    /// first; `historyProblem` says why it could not be, or is empty. After a write `known`
    /// describes the new file.
    GuardedWrite WriteIfUnchanged(const CardTextFile& text, const QByteArray& bytes,
        FileIdentity& known, QString& error, QString& historyProblem) const;
    /// After the writer chose to save over a text changed elsewhere: keeps that text in the
    /// history and takes it as read (KeepTheirs), then writes as WriteIfUnchanged does.
    GuardedWrite WriteOverTheirs(const CardTextFile& text, const QByteArray& bytes,
        FileIdentity& known, QString& error) const;
    /// Writes `bytes` as the card's text whatever the file holds, keeping the text replaced in
    /// the history first.
    bool Write(const CardTextFile& text, const QByteArray& bytes, QString& error,
        QString& historyProblem) const;
    /// Keeps the text now on disk, another program's, in the card's history and makes `known`
    /// describe it, so that the next guarded write may replace it.
    bool KeepTheirs(const CardTextFile& text, FileIdentity& known, QString& error) const;
    /// Keeps a version of a text that the writer gives up as an entry of the card's history, so
    /// that no word of either version is lost when two copies of a text meet.
    bool KeepInHistory(const QString& cardName, const QByteArray& bytes, QString& error) const;
    /// Puts an entry's text back into the card's text file; the text it replaces becomes an
    /// entry of `now` first, so that a restore never loses a word.
    bool Restore(const CardHistoryEntry& entry, const QDateTime& now, QString& error) const;

    /// Copies the text named `fileName` (a card file's name without ".ndx") into the project
    /// folder `destination` as a new file. False, with a reason when there is more to say than
    /// that the text was not there to copy or its name was taken there. A text reached through
    /// a link out of this project stays out, and no text goes out of the other project through
    /// a link: both fail with the reason that names the link.
    bool CopyTo(const QString& destination, const QString& fileName, QString& reason) const;
    /// Whether renaming the card `oldName` to `newName` would bring its text onto another one:
    /// it has a text, and a different file of the new name's text exists.
    bool TextInTheWay(const QString& oldName, const QString& newName) const;
    /// Moves the text of the card `oldName` to the file of `newName`, as the card's rename does.
    /// Nothing moves when it has no text, or when the new name's file is there already (the same
    /// file in other capitals, where the file system ignores case), so that no text is lost.
    bool FollowRename(const QString& oldName, const QString& newName, QString& reason) const;
    /// Deletes the text of the card `cardName`.
    bool Remove(const QString& cardName, QString& reason) const;
    /// Removes what killed writes left in the folder of the texts.
    void RemoveLeftovers() const;

private:
    /// Before `replacement` takes the place of the card's text, keeps that text as an entry of
    /// `now`; nothing to keep when the file is missing, empty or holds `replacement`.
    bool KeepReplacedText(const CardTextFile& text, const QByteArray& replacement,
        const QDateTime& now, QString& error) const;
    /// KeepReplacedText before `bytes` are written, now; `historyProblem` says why no entry
    /// could be kept, or is empty.
    void KeepBeforeWriting(
        const CardTextFile& text, const QByteArray& bytes, QString& historyProblem) const;

    QString FProjectFolder;
};
