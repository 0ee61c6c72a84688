#include "spelling/WordParser.h"

#include "platform/AsciiCase.h"
#include "spelling/AbbreviationsIgnore.h"
#include "spelling/HTMLIgnore.h"
#include "spelling/NumbersIgnore.h"
#include "spelling/ParserPosition.h"
#include "spelling/QuotedLineIgnore.h"
#include "spelling/SpellCharacters.h"
#include "spelling/URLIgnore.h"
#include "spelling/UppercaseWordIgnore.h"

#include <algorithm>

namespace {
/// The words in which an apostrophe does not end the word in French.
bool KeepsApostrophe(QStringView word)
{
    const QString folded = FoldedAsciiCase(word);
    return folded == u"aujourd" || folded == u"entr";
}
} // namespace

WordParser::WordParser() = default;
WordParser::~WordParser() = default;

void WordParser::SetOptions(const SpellOptions& options, const QString& quoteChars)
{
    FRules.clear();
    FWordRules.clear();
    FCharacterRules.clear();
    FLineRules.clear();
    if (options.Has(soInternet))
        Add(std::make_unique<TURLIgnore>());
    if (options.Has(soUpcase))
        Add(std::make_unique<TUppercaseWordIgnore>());
    if (options.Has(soNumbers))
        Add(std::make_unique<TNumbersIgnore>());
    if (options.Has(soHTML))
        Add(std::make_unique<THTMLIgnore>());
    if (options.Has(soQuoted))
        Add(std::make_unique<TQuotedLineIgnore>(quoteChars));
    if (options.Has(soAbbreviations))
        Add(std::make_unique<TAbbreviationsIgnore>());
}

void WordParser::Add(std::unique_ptr<TParserIgnoreBase> rule)
{
    FWordRules.push_back(rule.get());
    if (rule->CharacterLevel())
        FCharacterRules.push_back(rule.get());
    if (rule->LineLevel())
        FLineRules.push_back(rule.get());
    FRules.push_back(std::move(rule));
}

std::optional<ParsedWord> WordParser::NextWord(ParserPosition& position) const
{
    for (;;) {
        if (!FindStart(position))
            return std::nullopt;
        const qsizetype start = position.Index();
        bool dotted = false;
        if (!FindEnd(position, dotted))
            return std::nullopt;
        // Closing quotation marks and a sentence's period are not part of the word; an
        // abbreviation's last period is.
        const QStringView text = position.Text();
        while (position.Index() - 1 > start) {
            const QChar last = text[position.Index() - 1];
            if (!IsStrippedFromWordEnd(last.unicode()) || (dotted && last == u'.'))
                break;
            position.Back();
        }
        const QString word = text.sliced(start, position.Index() - start).toString();
        const bool skipped = std::any_of(FCharacterRules.begin(), FCharacterRules.end(),
            [&](TParserIgnoreBase* rule) { return rule->WordEndTest(word, position); });
        if (!skipped)
            return ParsedWord { word, start };
    }
}

bool WordParser::FindStart(ParserPosition& position) const
{
    for (;;) {
        const qsizetype before = position.Index();
        const char32_t c = position.Current();
        const bool skipped = std::any_of(FCharacterRules.begin(), FCharacterRules.end(),
            [&](TParserIgnoreBase* rule) { return rule->CharacterTest(c, position); });
        if (skipped && position.Index() != before)
            continue;
        // A word never starts with an apostrophe: "'twas" is checked as "twas".
        if (!skipped && IsWordCharacter(c) && !IsApostrophe(c))
            return true;
        if (!position.Forward())
            return false;
    }
}

bool WordParser::FindEnd(ParserPosition& position, bool& dotted) const
{
    const qsizetype start = position.Index();
    const QStringView text = position.Text();
    for (;;) {
        if (!position.Forward())
            return false;
        const char32_t c = position.Current();
        if (ContinuesWord(c, FSplitApostrophes))
            continue;
        const QStringView sofar = text.sliced(start, position.Index() - start);
        if (c == '.') {
            // "e.g.": a period goes on when a word character follows it, or when the word has
            // had one before (then the word ends in its own period).
            char32_t after = 0;
            if (position.Forward()) {
                after = position.Current();
                position.Back();
            }
            if (ContinuesWord(after, FSplitApostrophes))
                continue;
            if (sofar.contains(u'.')) {
                dotted = true;
                continue;
            }
        } else if (FSplitApostrophes && IsApostrophe(c) && KeepsApostrophe(sofar)) {
            continue;
        }
        return true;
    }
}

bool WordParser::IgnoredByRules(const QString& word, const ParserPosition& position) const
{
    return std::any_of(FWordRules.begin(), FWordRules.end(),
        [&](const TParserIgnoreBase* rule) { return rule->WordTest(word, position); });
}
