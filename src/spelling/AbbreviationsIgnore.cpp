#include "spelling/AbbreviationsIgnore.h"

bool TAbbreviationsIgnore::WordTest(const QString& word, const ParserPosition&) const
{
    if (!word.contains(u'.'))
        return false;
    QStringView rest(word);
    while (rest.size() >= 3 && rest[1] == u'.')
        rest = rest.sliced(2);
    return rest.size() < 3;
}
