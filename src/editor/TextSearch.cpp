#include "editor/TextSearch.h"

#include "platform/AsciiCase.h"

qsizetype FindForward(QStringView text, qsizetype from, QStringView needle, bool matchCase)
{
    if (needle.isEmpty() || from < 0 || from > text.size())
        return -1;
    if (matchCase)
        return text.indexOf(needle, from, Qt::CaseSensitive);
    const qsizetype last = text.size() - needle.size();
    for (qsizetype at = from; at <= last; ++at) {
        if (FoldAsciiCase(text[at]) == FoldAsciiCase(needle[0]) && SameIgnoringAsciiCase(text.sliced(at, needle.size()), needle))
            return at;
    }
    return -1;
}

bool MatchesSearch(QStringView selection, QStringView needle, bool matchCase)
{
    if (selection.isEmpty())
        return false;
    return matchCase ? selection == needle : SameIgnoringAsciiCase(selection, needle);
}
