#include "statistics/HistoryFigures.h"

#include "goals/WritingHistory.h"

#include <algorithm>

std::vector<qint64> DailyWords(const WritingHistory& history, QDate last, int days)
{
    std::vector<qint64> words(static_cast<std::size_t>(std::max(days, 0)), 0);
    const QDate first = last.addDays(1 - qint64(words.size()));
    // The days are in date order: only those in the range are looked at, however long the history.
    const auto& kept = history.Days();
    auto day = std::lower_bound(kept.begin(), kept.end(), first,
        [](const WritingDay& d, QDate date) { return d.Date < date; });
    for (; day != kept.end() && day->Date <= last; ++day)
        words[std::size_t(first.daysTo(day->Date))] = day->Net();
    return words;
}

QByteArray HistoryCsv(const WritingHistory& history)
{
    QByteArray csv = "Date,Start Words,Words Added,Words Removed,Net Words,Minutes\r\n";
    for (const WritingDay& day : history.Days()) {
        csv += day.Date.toString(Qt::ISODate).toLatin1();
        for (qint64 number : { day.StartWords, day.Added, day.Removed, day.Net(), day.Minutes })
            csv += ',' + QByteArray::number(number);
        csv += "\r\n";
    }
    return csv;
}
