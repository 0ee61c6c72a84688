#pragma once

#include <QString>
#include <QStringView>

// Comparisons that ignore case fold only the letters A to Z, everywhere in the program: names in
// INI files, card names, searches. Other letters keep their case.

/// The character with A to Z made a to z.
inline QChar FoldAsciiCase(QChar c)
{
    const char16_t u = c.unicode();
    return u >= u'A' && u <= u'Z' ? QChar(char16_t(u + (u'a' - u'A'))) : c;
}

/// The text with A to Z made a to z.
QString FoldedAsciiCase(QStringView text);

/// Whether two texts are equal when A to Z are taken as a to z.
bool SameIgnoringAsciiCase(QStringView a, QStringView b);
