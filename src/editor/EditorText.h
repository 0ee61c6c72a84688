#pragma once

#include "platform/AtomicWrite.h"
#include "platform/FileIdentity.h"
#include "platform/TextFile.h"
#include "project/CardTexts.h"

#include <QString>

/// The card text an editor window shows, as its file was when last read or saved there. Every
/// read and write goes through the project's card texts; what is kept here is the editor's own:
/// the file's identity, so that a save sees a change made elsewhere, why the text could not be
/// read, so that nothing is ever saved over it, and why the last save kept no history entry.
/// The questions are the window's.
class EditorText {
public:
    /// The window's own fields, read at each use: a card's editor follows the card's renames.
    EditorText(const QString& projectFolder, const QString& cardName, const QString& textFile);

    /// The text file: the one the store spells, or "Text Files/" + name + ".txt".
    QString Path() const;

    /// Reads the text into `text`, its line ends as LF. A missing file reads nothing and is no
    /// failure. A failure is remembered (Unreadable) until a later read succeeds.
    FileRead Load(QString& text, QString& reason);
    /// Why the text could not be read when it was last tried; empty when it was read.
    const QString& Unreadable() const { return FUnreadable; }

    /// The bytes a save writes of `text`: UTF-8 with CR LF line ends.
    static QByteArray Encoded(const QString& text);
    /// Writes the encoded text unless the file changed elsewhere since it was read here; the
    /// text it replaces is kept in the card's history first.
    GuardedWrite Save(const QByteArray& bytes, QString& reason);
    /// After the writer chose to save over a text changed elsewhere: theirs is kept in the
    /// history, then `bytes` are written.
    GuardedWrite SaveOverTheirs(const QByteArray& bytes, QString& reason);
    /// Why the last save kept no history entry, or empty: a history entry never stands in a
    /// save's way.
    const QString& HistoryProblem() const { return FHistoryProblem; }
    /// The text file as it was last read or saved here.
    const FileIdentity& ReadIdentity() const { return FRead; }

    /// Whether another program changed the text since it was read or saved here. A text removed
    /// elsewhere is no change: the next save writes it again, and nothing of theirs is lost.
    bool ChangedOnDisk() const;
    /// Reads the text another program wrote, to show beside the window's.
    bool ReadTheirs(QString& text, QString& reason) const;
    /// Keeps the text now on disk in the card's history and takes it as the one read, so that
    /// the next save may replace it.
    bool KeepTheirs(QString& reason);
    /// Keeps the window's text, which the writer gives up for theirs, in the card's history.
    bool KeepMine(const QString& text, QString& reason) const;

private:
    CardTexts Texts() const;
    CardTextFile File() const;

    const QString& FProjectFolder;
    const QString& FCardName;
    const QString& FTextFile;
    FileIdentity FRead; ///< the text file as it was last read or saved
    QString FUnreadable;
    QString FHistoryProblem;
};
