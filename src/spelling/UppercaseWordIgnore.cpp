#include "spelling/UppercaseWordIgnore.h"

#include <algorithm>

bool TUppercaseWordIgnore::WordTest(const QString& word, const ParserPosition&) const
{
    // Only a to z count as small letters here: "éTÉ" is not a word in capitals.
    return std::none_of(word.cbegin(), word.cend(), [](QChar c) { return c >= u'a' && c <= u'z'; });
}
