#include "canvas/ColourString.h"

#include <cctype>

std::optional<QColor> ParseColourString(const QString& text)
{
    // Up to eight digits fit the 32-bit colour value; the top byte is not a colour channel.
    if (text.isEmpty() || text.size() > 8)
        return std::nullopt;
    uint value = 0;
    for (const QChar c : text) {
        if (c.unicode() > 0x7F || !std::isxdigit(c.unicode()))
            return std::nullopt;
        const int digit = std::isdigit(c.unicode()) ? c.unicode() - '0' : std::tolower(c.unicode()) - 'a' + 10;
        value = value * 16 + uint(digit);
    }
    return QColor(int(value & 0xFF), int((value >> 8) & 0xFF), int((value >> 16) & 0xFF));
}

QColor ColourOrDefault(const QString& text, const QString& fallback)
{
    return ParseColourString(text).value_or(ParseColourString(fallback).value_or(Qt::black));
}

void ColourSetting::Set(const QString& text, const QString& fallback)
{
    if (const auto colour = ParseColourString(text)) {
        Text = text;
        Colour = *colour;
    } else {
        Text = fallback;
        Colour = ColourOrDefault(fallback, fallback);
    }
}
