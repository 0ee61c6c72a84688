#include "canvas/ColourString.h"

std::optional<QColor> ParseColourString(const QString& text)
{
    // Up to eight digits fit the 32-bit colour value; the top byte is not a colour channel.
    if (text.isEmpty() || text.size() > 8)
        return std::nullopt;
    bool ok = false;
    const uint value = text.toUInt(&ok, 16);
    if (!ok || text.startsWith('+') || text.startsWith('-') || text.contains(' '))
        return std::nullopt;
    return QColor(int(value & 0xFF), int((value >> 8) & 0xFF), int((value >> 16) & 0xFF));
}

QColor ColourOrDefault(const QString& text, const QString& fallback)
{
    return ParseColourString(text).value_or(ParseColourString(fallback).value_or(Qt::black));
}
