#include "canvas/CardHint.h"

#include <algorithm>

namespace {
constexpr int ShortLine = 40;
constexpr int LongestLine = 50;
} // namespace

QString BuildCardHint(const QString& description)
{
    if (description.size() <= ShortLine)
        return description.trimmed();

    QString hint;
    hint.reserve(description.size() + 2 * (description.size() / ShortLine + 1));
    QStringView remainder(description);
    while (remainder.size() > ShortLine) {
        // Break at the first space from the 40th character on, unless that makes the line
        // longer than 50 characters.
        const qsizetype space = remainder.indexOf(u' ', ShortLine - 1);
        const qsizetype cut = std::min<qsizetype>((space < 0 || space + 1 > LongestLine) ? LongestLine : space + 1,
                                                  remainder.size());
        hint.append(remainder.first(cut).trimmed()).append(QLatin1StringView("\r\n"));
        remainder = remainder.sliced(cut);
    }
    return hint.append(remainder);
}
