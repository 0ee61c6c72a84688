#include "spelling/URLIgnore.h"

#include "platform/AsciiCase.h"
#include "spelling/ParserPosition.h"

#include <QStringList>

namespace {
bool IsScheme(const QString& word)
{
    static const QStringList schemes
        = { "http", "ftp", "news", "mailto", "nntp", "file", "https", "telnet", "wais" };
    return schemes.contains(FoldedAsciiCase(word));
}

bool BeginsWithWww(const QString& word)
{
    return FoldedAsciiCase(word).startsWith(u"www.");
}

/// The characters that end an address.
bool EndsAddress(char32_t c)
{
    switch (c) {
    case '\r':
    case '\n':
    case '\t':
    case ' ':
    case '"':
    case '(':
    case ')':
    case '[':
    case ']':
    case '{':
    case '}':
    case ',':
    case '<':
    case '>':
    case '\'':
        return true;
    default:
        return false;
    }
}
} // namespace

bool TURLIgnore::WordEndTest(const QString& word, ParserPosition& position)
{
    const char32_t next = position.Current();
    const bool address = (next == ':' && IsScheme(word)) || next == '@'
        || ((next == '\\' || next == '/') && BeginsWithWww(word));
    if (!address)
        return false;
    while (!EndsAddress(position.Current()) && position.Forward()) { }
    return true;
}

bool TURLIgnore::WordTest(const QString& word, const ParserPosition&) const
{
    return BeginsWithWww(word);
}
