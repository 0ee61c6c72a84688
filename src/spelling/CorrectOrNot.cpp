#include "spelling/CorrectOrNot.h"

#include "spelling/ParserPosition.h"
#include "spelling/SpellDictionary.h"
#include "spelling/WordParser.h"

#include <optional>

namespace {
/// The length of the word's first character: two for a surrogate pair.
qsizetype FirstCharacterLength(QStringView word)
{
    return word.size() > 1 && word[0].isHighSurrogate() && word[1].isLowSurrogate() ? 2 : 1;
}

/// The answer of a look-up: none when the dictionaries do not know the word.
std::optional<bool> LookUp(
    const QString& word, const SpellDictionary& dictionary, bool useExcludes)
{
    if (!dictionary.Knows(word))
        return std::nullopt;
    return !(useExcludes && dictionary.IsExcluded(word));
}

/// The look-up of the word as it stands, then in the allowed case.
std::optional<bool> LookUpAsSpelt(
    const QString& word, const SpellDictionary& dictionary, const WordJudgement& judgement)
{
    if (const auto found = LookUp(word, dictionary, judgement.UseExcludeWords))
        return found;
    const QString cased = InAllowedCase(word, judgement.AllowedCases);
    if (cased == word)
        return std::nullopt;
    return LookUp(cased, dictionary, judgement.UseExcludeWords);
}

bool IsEnglishPossessive(
    const QString& word, const SpellDictionary& dictionary, TAllowedCases cases)
{
    if (word.size() < 3 || dictionary.Language() != lcEnglish)
        return false;
    const QChar apostrophe = word[word.size() - 2];
    const QChar s = word.back();
    if ((apostrophe != u'\'' && apostrophe != QChar(0x2019)) || (s != u's' && s != u'S'))
        return false;
    const QString stem = word.chopped(2);
    return dictionary.MainKnows(InAllowedCase(stem, cases)) || dictionary.MainKnows(stem);
}
} // namespace

QString InAllowedCase(const QString& word, TAllowedCases cases)
{
    if (word.isEmpty() || cases == cmNone)
        return word;
    const bool capitals = word.toUpper() == word;
    if (cases == cmAnyCase || (cases == cmInitialCapsOrUpcase && capitals))
        return word.toLower();
    const qsizetype first = FirstCharacterLength(word);
    return word.first(first).toLower() + word.sliced(first);
}

bool ReadsAsNumber(QStringView word)
{
    qsizetype digits = 0;
    bool period = false;
    for (qsizetype i = 0; i < word.size(); ++i) {
        const QChar c = word[i];
        if (c >= u'0' && c <= u'9') {
            ++digits;
        } else if (c == u'.' && !period && digits > 0 && i + 1 < word.size()) {
            period = true;
        } else {
            return false;
        }
    }
    return digits > 0;
}

bool IsCorrectWord(const QString& word, const ParserPosition& position, const WordParser& parser,
    const SpellDictionary& dictionary, const WordJudgement& judgement)
{
    if (const auto found = LookUpAsSpelt(word, dictionary, judgement))
        return *found;
    // The parser takes a sentence's period off the word, but "etc." and "Prof." are spelt only
    // with theirs.
    if (position.Unit() == u'.') {
        if (const auto found = LookUpAsSpelt(word + u'.', dictionary, judgement))
            return *found;
    }
    if (judgement.Possessives && IsEnglishPossessive(word, dictionary, judgement.AllowedCases))
        return true;
    if (ReadsAsNumber(word))
        return true;
    if (word.size() == FirstCharacterLength(word))
        return true;
    return parser.IgnoredByRules(word, position);
}
