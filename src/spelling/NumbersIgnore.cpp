#include "spelling/NumbersIgnore.h"

#include <algorithm>

bool TNumbersIgnore::WordTest(const QString& word, const ParserPosition&) const
{
    return std::any_of(word.cbegin(), word.cend(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}
