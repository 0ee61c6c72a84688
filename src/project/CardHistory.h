#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>

/// One earlier text of a card, kept in the project's history folder.
struct CardHistoryEntry {
    QString CardName;
    QDateTime Time; ///< when the text was replaced, in UTC
    QString Path; ///< the entry's file
};

/// The earlier texts of a project's cards. They live in a folder of ours inside the project
/// (".nodex-history/<card>/") so that they travel with it; each entry is one compressed file,
/// written whole or not at all, and a card's entries are thinned by age as new ones come in.
class CardHistory {
public:
    /// The folder inside a project that holds the history, with its trailing "/".
    static const QString FolderName;

    /// `projectFolder` ends with "/"; a card keeps at most `maxEntries` entries.
    explicit CardHistory(QString projectFolder, int maxEntries = 100);

    /// Keeps `bytes` as the text the card had until `time`, then thins the card's entries as
    /// they stand at `time`. False, with the reason, when the entry could not be written.
    bool AddEntry(
        const QString& cardName, const QByteArray& bytes, const QDateTime& time, QString& error);
    /// The card's entries, newest first.
    QList<CardHistoryEntry> Entries(const QString& cardName) const;
    /// The text an entry holds, as its bytes on disk.
    bool Read(const CardHistoryEntry& entry, QByteArray& bytes, QString& error) const;
    /// Puts an entry's text back into the card's text file; the text it replaces becomes an entry
    /// of `now` first, so that a restore never loses a word.
    bool Restore(const CardHistoryEntry& entry, const QDateTime& now, QString& error);

private:
    QString CardFolder(const QString& cardName) const;
    bool MakeCardFolder(const QString& cardName, QString& error) const;

    QString FProjectFolder;
    int FMaxEntries;
};
