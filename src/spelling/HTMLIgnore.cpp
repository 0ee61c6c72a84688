#include "spelling/HTMLIgnore.h"

#include "spelling/ParserPosition.h"

namespace {
/// Moves on until the position stands on a ">" whose `before` characters before it are all
/// `closer` (none for a plain tag), or at the end.
void SkipTo(ParserPosition& position, char32_t closer, int before)
{
    int run = 0;
    while (position.Forward()) {
        const char32_t c = position.Current();
        if (c == '>' && run >= before)
            return;
        run = c == closer ? run + 1 : 0;
    }
}
} // namespace

bool THTMLIgnore::CharacterTest(char32_t character, ParserPosition& position)
{
    if (character != '<')
        return false;
    if (!position.Forward())
        return true;
    const QStringView rest = position.Text().sliced(position.Index());
    if (rest.startsWith(u"!--")) {
        position.Forward();
        position.Forward(); // on the second dash of the opener: the closer's dashes come after it
        SkipTo(position, '-', 2);
    } else if (const char32_t c = position.Current(); c == '%' || c == '?') {
        SkipTo(position, c, 1);
    } else {
        position.Back(); // a tag such as "<b>" may close at once
        SkipTo(position, 0, 0);
    }
    return true;
}

bool THTMLIgnore::WordTest(const QString& word, const ParserPosition&) const
{
    return word.startsWith(u'&');
}
