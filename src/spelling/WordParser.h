#pragma once

#include "spelling/SpellOptions.h"

#include <QString>
#include <memory>
#include <optional>
#include <vector>

class TParserIgnoreBase;
class ParserPosition;

/// A word the parser found: its text and where it starts in the text read.
struct ParsedWord {
    QString Text;
    qsizetype Start = 0;

    qsizetype End() const { return Start + Text.size(); }
};

/// Cuts a text into the words the spell checker looks at, skipping what its ignore rules skip,
/// and answers whether a rule keeps a word from being reported.
class WordParser {
public:
    WordParser();
    ~WordParser();
    WordParser(const WordParser&) = delete;
    WordParser& operator=(const WordParser&) = delete;

    /// Rebuilds the rule lists from scratch for the options: internet address, uppercase word,
    /// numbers, mark-up, quoted line, abbreviation, each when its option is on.
    void SetOptions(const SpellOptions& options, const QString& quoteChars = QStringLiteral(">"));
    /// Whether an apostrophe ends a word ("l'eau" gives "l" and "eau"), as in French, except in
    /// "aujourd'hui" and "entr'...".
    void SetApostropheSplitting(bool on) { FSplitApostrophes = on; }
    bool ApostropheSplitting() const { return FSplitApostrophes; }

    /// The next word from the position on, the position left on the character after it; none
    /// at the end of the text, or when a word runs past the position's end limit.
    std::optional<ParsedWord> NextWord(ParserPosition& position) const;
    /// Whether a word test of any rule keeps the word from being reported, asked in list order.
    bool IgnoredByRules(const QString& word, const ParserPosition& position) const;

    /// The rules, in list order, at each level.
    const std::vector<TParserIgnoreBase*>& WordRules() const { return FWordRules; }
    const std::vector<TParserIgnoreBase*>& CharacterRules() const { return FCharacterRules; }
    const std::vector<TParserIgnoreBase*>& LineRules() const { return FLineRules; }

private:
    void Add(std::unique_ptr<TParserIgnoreBase> rule);
    /// Step 2: moves to where the next word starts; false at the end of the text.
    bool FindStart(ParserPosition& position) const;
    /// Step 3: moves to the character after the word begun at the position; false when the word
    /// runs past the end limit. `dotted` tells whether the word's last period was kept as its own.
    bool FindEnd(ParserPosition& position, bool& dotted) const;

    std::vector<std::unique_ptr<TParserIgnoreBase>> FRules;
    std::vector<TParserIgnoreBase*> FWordRules;
    std::vector<TParserIgnoreBase*> FCharacterRules;
    std::vector<TParserIgnoreBase*> FLineRules;
    bool FSplitApostrophes = false;
};
