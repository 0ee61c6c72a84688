#include "editor/WordCount.h"

#include <QHash>

#include <algorithm>

qint64 CountTextWords(QStringView text)
{
    qint64 words = 0;
    bool inWord = false;
    for (const QChar c : text) {
        const bool separator = IsWordSeparator(c);
        if (!separator && !inWord)
            ++words;
        inWord = !separator;
    }
    return words;
}

QString FormatCount(qint64 count, const QLocale& locale)
{
    QLocale grouped = locale;
    grouped.setNumberOptions(grouped.numberOptions() & ~QLocale::OmitGroupSeparator);
    return grouped.toString(count);
}

QString FormatPercentage(qint64 count, int target, const QLocale& locale)
{
    if (target <= 0)
        return {};
    QLocale plain = locale;
    plain.setNumberOptions(QLocale::OmitGroupSeparator);
    // Two decimals at most, without the zeros that would trail them.
    QString percent = plain.toString(double(count) / target * 100.0, 'f', 2);
    const QString point = plain.decimalPoint();
    if (percent.contains(point)) {
        while (percent.endsWith(plain.zeroDigit()))
            percent.chop(1);
        if (percent.endsWith(point))
            percent.chop(point.size());
    }
    return " (" + percent + "%)";
}

QList<WordUsage> MostUsedWords(QStringView text, int most)
{
    QHash<QString, int> counts;
    const auto isWordChar = [](QChar c) { return c.isLetterOrNumber(); };
    qsizetype at = 0;
    while (at < text.size()) {
        if (!isWordChar(text[at])) {
            ++at;
            continue;
        }
        qsizetype end = at;
        // An apostrophe or hyphen inside a word belongs to it: "isn't", "well-known".
        while (end < text.size()
               && (isWordChar(text[end])
                   || ((text[end] == u'\'' || text[end] == u'-' || text[end] == QChar(0x2019))
                       && end + 1 < text.size() && isWordChar(text[end + 1]))))
            ++end;
        if (end - at > 2)
            ++counts[text.sliced(at, end - at).toString().toLower()];
        at = end;
    }
    QList<WordUsage> usage;
    usage.reserve(counts.size());
    for (auto it = counts.cbegin(); it != counts.cend(); ++it)
        usage.append({it.key(), it.value()});
    std::sort(usage.begin(), usage.end(), [](const WordUsage& a, const WordUsage& b) {
        return a.Count != b.Count ? a.Count > b.Count : a.Word < b.Word;
    });
    if (usage.size() > most)
        usage.resize(most);
    return usage;
}
