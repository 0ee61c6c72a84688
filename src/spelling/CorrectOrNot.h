#pragma once

#include <QString>
#include <QStringView>

class ParserPosition;
class SpellDictionary;
class WordParser;

/// To which case a word is brought for its second look-up.
enum TAllowedCases {
    cmNone, ///< the word as it stands
    cmInitialCaps, ///< the first letter lowered
    cmInitialCapsOrUpcase, ///< a word in capitals lowered whole, any other its first letter
    cmAnyCase, ///< the whole word lowered
};

/// How the checker judges words beyond its rules.
struct WordJudgement {
    TAllowedCases AllowedCases = cmInitialCapsOrUpcase;
    bool UseExcludeWords = true;
    /// Whether "keeper's" is right when an English main dictionary knows "keeper".
    bool Possessives = true;
};

/// The word brought to the allowed case.
QString InAllowedCase(const QString& word, TAllowedCases cases);

/// Whether the word reads as a number: digits, with at most one period between digits.
bool ReadsAsNumber(QStringView word);

/// Whether a word the parser found is spelled right, by the first of these tests that applies:
/// the dictionaries know it (unless it is excluded); they know it in the allowed case (unless
/// excluded); it is an English possessive of a word the main dictionary knows; it is a number;
/// it is one character long; an ignore rule keeps it from being reported. `position` stands on
/// the character after the word.
bool IsCorrectWord(const QString& word, const ParserPosition& position, const WordParser& parser,
    const SpellDictionary& dictionary, const WordJudgement& judgement);
