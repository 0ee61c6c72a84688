#pragma once

#include "spelling/WordParser.h"

#include <QHash>
#include <QString>
#include <QStringList>
#include <optional>

class SpellEngine;
class SpellTarget;

/// A word a spell check puts to the writer.
struct SpellProblem {
    enum TKind {
        Misspelled, ///< no dictionary knows it
        Repeated, ///< it repeats the word before it
    };
    TKind Kind = Misspelled;
    ParsedWord Word;
    QStringList Suggestions;
    QString Before; ///< the text of its line before it, as much as a dialog shows
    QString After; ///< and after it
};

/// One spell check through a text, from its start to its end: it finds the words to put to the
/// writer, makes the automatic corrections on the way (two capitals at the start of a word, the
/// words the writer chose to change everywhere), and carries out the writer's answers. It keeps
/// its own copy of the text in step with the target's, and when the writer edits the text while
/// it waits, it reads the text again and goes on from the caret.
class SpellCheckRun {
public:
    SpellCheckRun(SpellEngine& engine, SpellTarget& target);

    /// Looks for the next word to put to the writer; none at the end of the text.
    const std::optional<SpellProblem>& Next();
    /// The word now put to the writer.
    const std::optional<SpellProblem>& Current() const { return FCurrent; }

    /// Leaves the word as it is.
    void Ignore();
    /// Leaves the word as it is here and wherever it comes again, until the program ends.
    void IgnoreAll();
    /// Puts the replacement in the word's place and checks it in turn; for a repeated word, an
    /// empty replacement deletes it with the blank before it.
    void Change(const QString& replacement);
    /// Changes the word here and wherever it comes again in this check.
    void ChangeAll(const QString& replacement);
    /// Takes the word into the custom word list. False with the reason when the list could not be
    /// written; the word is then still put to the writer.
    bool Add(QString& error);

    /// Where the caret stood when the check began, moved with the corrections made before it.
    qsizetype OriginalCaret() const { return FOriginalCaret; }

private:
    /// Reads the text again when the writer changed it; the check goes on from the caret's word.
    void FollowWritersEdits();
    void ReplaceInText(qsizetype from, qsizetype to, const QString& text);
    bool RepeatsPrevious(const ParsedWord& word) const;
    SpellProblem Problem(SpellProblem::TKind kind, const ParsedWord& word) const;

    SpellEngine& FEngine;
    SpellTarget& FTarget;
    QString FText;
    int FRevision = 0;
    qsizetype FPosition = 0;
    qsizetype FOriginalCaret = 0;
    std::optional<ParsedWord> FPrevious;
    std::optional<SpellProblem> FCurrent;
    QHash<QString, QString> FChangeAll;
};

/// The word with two capitals at its start corrected ("THe" gives "The"); none for a word that
/// does not begin so or has more capitals after them.
std::optional<QString> DualCapitalsCorrected(const QString& word);
