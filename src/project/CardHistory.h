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
/// The newest entry holds its whole text; an older one is kept as the delta from the entry after
/// it, except every sixteenth, so that a long card's history costs little more than one copy and
/// a damaged file loses at most a few entries.
class CardHistory {
public:
    /// The folder inside a project that holds the history, with its trailing "/".
    static const QString FolderName;

    /// `projectFolder` ends with "/"; a card keeps at most `maxEntries` entries (at least one).
    explicit CardHistory(QString projectFolder, int maxEntries = 100);

    /// Keeps `bytes` as the text the card had until `time`, then thins the card's entries as
    /// they stand at `time`. False, with the reason, when the entry could not be written or the
    /// text is larger than an entry may hold.
    bool AddEntry(
        const QString& cardName, const QByteArray& bytes, const QDateTime& time, QString& error);
    /// The card's entries, newest first.
    QList<CardHistoryEntry> Entries(const QString& cardName) const;
    /// The text an entry holds, as its bytes on disk.
    bool Read(const CardHistoryEntry& entry, QByteArray& bytes, QString& error) const;
    /// Removes what killed writes left in the cards' history folders (each card's own is also
    /// cleared before its next entry).
    void RemoveLeftovers() const;
    /// Moves a card's entries to the card's new name, beside any the name has already.
    bool RenameCard(const QString& oldName, const QString& newName, QString& error);

private:
    struct Stored;
    QString CardFolder(const QString& cardName) const;
    bool MakeCardFolder(const QString& cardName, QString& error) const;
    QList<Stored> StoredEntries(const QString& cardName) const;
    bool TextOf(
        const QString& folder, const QString& stamp, QByteArray& text, QString& error) const;
    /// Rewrites an entry as the delta from `baseStamp`, whose text is `baseText`, or whole
    /// when `baseStamp` is empty or the texts share too little.
    bool StoreAgainst(
        Stored& entry, const QString& baseStamp, const QByteArray& baseText, QString& error) const;
    /// Removes the entries thinning lets go, each only once the entries made from it no longer
    /// need it.
    void Thin(QList<Stored>& entries, const QDateTime& now);

    QString FProjectFolder;
    int FMaxEntries;
    /// The last texts rebuilt, by entry file: reading entries newest first, each is one step from
    /// the one before. An entry's text never changes, whatever form its file takes.
    mutable QList<QPair<QString, QByteArray>> FRecentTexts;
};
