#include "canvas/CardHint.h"

namespace {
constexpr int ShortLine = 40;
constexpr int LongestLine = 50;
} // namespace

QString BuildCardHint(const QString& description)
{
    if (description.size() <= ShortLine)
        return description.trimmed();

    QString hint;
    QString remainder = description;
    while (remainder.size() > ShortLine) {
        // Break at the first space from the 40th character on, unless that makes the line
        // longer than 50 characters.
        const int space = remainder.indexOf(' ', ShortLine - 1);
        const int cut = (space < 0 || space + 1 > LongestLine) ? LongestLine : space + 1;
        hint += remainder.left(cut).trimmed() + "\r\n";
        remainder.remove(0, cut);
    }
    return hint + remainder;
}
