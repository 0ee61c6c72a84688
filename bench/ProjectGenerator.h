#pragma once

#include <QByteArray>
#include <QList>
#include <QRandomGenerator>
#include <QString>

/// Writes a project of `cardCount` cards into `folder` (which ends with "/"): a grid of cards of
/// every type, chained in runs of `chainLength`, each with a description and, when `textWords`
/// is not 0, a text of that many words. Returns the project file's path.
QString GenerateProject(const QString& folder, int cardCount, int chainLength = 10, int textWords = 0);

/// Words drawn from a vocabulary of a few thousand, in paragraphs of about 120 words, so that a
/// text compresses and lays out about as prose does (one repeated word would flatter both).
class Prose {
public:
    Prose();
    QByteArray Word();
    QByteArray Text(int words);
    /// One small edit: a word replaced, or a few typed in, somewhere in the text.
    void Edit(QByteArray& text);

private:
    QRandomGenerator FRandom;
    QList<QByteArray> FVocabulary;
};

/// Gives every text of the project at `folder` (which ends with "/") a prose text of its own of
/// `words` words.
void WriteProseTexts(const QString& folder, int words);
