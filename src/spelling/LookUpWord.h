#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

// The words a thesaurus look-up starts from and what it puts back.

/// A stretch of a text, [Start, End).
struct TextRange {
    qsizetype Start = 0;
    qsizetype End = 0;
    bool IsEmpty() const { return End <= Start; }
};

/// What to look up: the selection without the spaces and line ends around it, or, without a
/// selection, the word the caret stands in or touches. A word is a run of letters (with their
/// accents) and the apostrophes inside it ("isn't"); empty where the caret touches no word.
TextRange LookUpRange(QStringView text, qsizetype selectionStart, qsizetype selectionEnd);

/// The forms in which a word is looked for, in turn: as written, with a typographic apostrophe
/// made plain, in lower case, and with only its first letter capital (German nouns).
QStringList LookUpForms(const QString& word);

/// A synonym as it replaces a word: without the note the thesaurus adds in brackets ("city
/// (generic term)" gives "city").
QString SynonymWord(const QString& synonym);

/// A replacement in lower case given the case of the word it replaces: all capitals for a word
/// in capitals, a capital first letter for a capitalised word. Other replacements keep theirs.
QString InCaseOf(const QString& replacement, const QString& word);
