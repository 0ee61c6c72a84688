#pragma once

#include <QSet>
#include <QString>
#include <QStringList>

/// The writer's own word list (a ".adu" file): text, one word a line, with the words the writer
/// never wants accepted written "*word", as Hunspell's personal dictionaries write them. Lines
/// begun with "#" are notes. A new word is written after the lines as they were read, byte for
/// byte, so a list another program wrote in its own encoding or line ends keeps them.
class CustomWordList {
public:
    explicit CustomWordList(QString path = {});

    const QString& Path() const { return FPath; }
    /// Reads the file; a missing file is an empty list. False with the reason when it exists but
    /// cannot be read, or holds bytes that are no text.
    bool Load(QString& error);

    const QStringList& Words() const { return FWords; }
    const QSet<QString>& Excluded() const { return FExcluded; }
    bool Contains(const QString& word) const { return FWordSet.contains(word); }

    /// Adds a word and writes the list at once, atomically, making its folder when it is missing.
    /// False with the reason when the file could not be written, or could not be read before
    /// (writing it would lose its words); the word is then not added.
    bool Add(const QString& word, QString& error);

private:
    void TakeLine(const QString& line);
    /// The word as a line of the file: in its UTF-16 when it has that mark, else UTF-8, ended as
    /// its lines are, after a line end the file's last line lacked.
    QByteArray WordLine(const QString& word) const;

    QString FPath;
    QString FUnreadable; ///< why the file could not be read; empty once it was
    QByteArray FBytes; ///< the file as read or last written
    QStringList FLines;
    QStringList FWords;
    QSet<QString> FWordSet;
    QSet<QString> FExcluded;
};
