#include "project/HistoryThinning.h"

#include <QHash>
#include <algorithm>
#include <numeric>

namespace {
constexpr qint64 Hour = 60 * 60;
constexpr qint64 Day = 24 * Hour;
constexpr qint64 Month = 30 * Day;

/// The span of time within which one entry stands for all, by the entry's age; 0 keeps each.
qint64 BucketSpan(qint64 ageSeconds)
{
    if (ageSeconds < Hour)
        return 0;
    if (ageSeconds < Day)
        return Hour;
    if (ageSeconds < Month)
        return Day;
    return Month;
}
} // namespace

QList<int> EntriesToThin(const QList<QDateTime>& times, const QDateTime& now, int maxEntries,
    const std::function<bool(int)>& readable)
{
    QList<int> newestFirst(times.size());
    std::iota(newestFirst.begin(), newestFirst.end(), 0);
    std::stable_sort(
        newestFirst.begin(), newestFirst.end(), [&](int a, int b) { return times[a] > times[b]; });

    // Each entry's period, by its span and its place in time; 0 for an entry kept in any case.
    QList<QPair<qint64, qint64>> periods(times.size());
    QHash<QPair<qint64, qint64>, QList<int>> members; // newest first
    for (int index : newestFirst) {
        // An entry from the future (a clock set back) counts as new rather than being lost.
        const qint64 age = std::max<qint64>(0, times[index].secsTo(now));
        const qint64 span = BucketSpan(age);
        periods[index] = { span, span > 0 ? age / span : 0 };
        if (span > 0)
            members[periods[index]].append(index);
    }
    QHash<QPair<qint64, qint64>, int> chosen;
    for (auto period = members.cbegin(); period != members.cend(); ++period) {
        const QList<int>& entries = period.value();
        int keep = entries.first();
        if (entries.size() > 1 && readable) {
            const auto found = std::find_if(entries.cbegin(), entries.cend(), readable);
            if (found != entries.cend())
                keep = *found;
        }
        chosen.insert(period.key(), keep);
    }

    QList<int> removed;
    int kept = 0;
    for (int index : newestFirst) {
        const bool keep = kept < maxEntries
            && (periods[index].first == 0 || chosen.value(periods[index]) == index);
        if (keep)
            ++kept;
        else
            removed.append(index);
    }
    std::sort(removed.begin(), removed.end());
    return removed;
}
