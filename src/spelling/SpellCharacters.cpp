#include "spelling/SpellCharacters.h"

#include <QChar>
#include <algorithm>
#include <array>
#include <iterator>
#include <utility>

namespace {
constexpr char32_t RightSingleQuotationMark = 0x2019;

// The codes 0x80 to 0x9F of Windows-1252 that hold a character, with the character they hold.
constexpr std::array<std::pair<char32_t, int>, 27> HighCodes = { {
    { 0x0152, 0x8C },
    { 0x0153, 0x9C },
    { 0x0160, 0x8A },
    { 0x0161, 0x9A },
    { 0x0178, 0x9F },
    { 0x017D, 0x8E },
    { 0x017E, 0x9E },
    { 0x0192, 0x83 },
    { 0x02C6, 0x88 },
    { 0x02DC, 0x98 },
    { 0x2013, 0x96 },
    { 0x2014, 0x97 },
    { 0x2018, 0x91 },
    { 0x2019, 0x92 },
    { 0x201A, 0x82 },
    { 0x201C, 0x93 },
    { 0x201D, 0x94 },
    { 0x201E, 0x84 },
    { 0x2020, 0x86 },
    { 0x2021, 0x87 },
    { 0x2022, 0x95 },
    { 0x2026, 0x85 },
    { 0x2030, 0x89 },
    { 0x2039, 0x8B },
    { 0x203A, 0x9B },
    { 0x20AC, 0x80 },
    { 0x2122, 0x99 },
} };

// Codes below 0xC0 that are letters in the Central European and Cyrillic code pages.
constexpr std::array<int, 26> LetterCodes
    = { 0x8A, 0x8C, 0x8D, 0x8E, 0x8F, 0x9A, 0x9C, 0x9D, 0x9E, 0x9F, 0xA1, 0xA2, 0xA3, 0xA5, 0xA6,
          0xA8, 0xAC, 0xAF, 0xB1, 0xB2, 0xB3, 0xB6, 0xB8, 0xB9, 0xBC, 0xBF };

bool IsWordCode(int code)
{
    if ((code >= '0' && code <= '9') || (code >= 'A' && code <= 'Z')
        || (code >= 'a' && code <= 'z'))
        return true;
    if (code == '&' || code == '\'' || code == 0x92 || code >= 0xC0)
        return true;
    return std::find(LetterCodes.begin(), LetterCodes.end(), code) != LetterCodes.end();
}
} // namespace

int Windows1252Code(char32_t character)
{
    if (character < 0x80 || (character >= 0xA0 && character <= 0xFF))
        return int(character);
    const auto found = std::lower_bound(HighCodes.begin(), HighCodes.end(), character,
        [](const std::pair<char32_t, int>& entry, char32_t c) { return entry.first < c; });
    return found != HighCodes.end() && found->first == character ? found->second : -1;
}

bool IsWordCharacter(char32_t character)
{
    if (character == 0)
        return false;
    const int code = Windows1252Code(character);
    if (code < 0)
        return QChar::isLetter(character) || QChar::isMark(character);
    return IsWordCode(code);
}

bool ContinuesWord(char32_t character, bool splitApostrophes)
{
    if (character == '&' || (splitApostrophes && IsApostrophe(character)))
        return false;
    return IsWordCharacter(character);
}

bool IsApostrophe(char32_t character)
{
    return character == '\'' || character == RightSingleQuotationMark;
}

bool IsStrippedFromWordEnd(char32_t character)
{
    return IsApostrophe(character) || character == '"' || character == '.';
}
