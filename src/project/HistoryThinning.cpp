#include "project/HistoryThinning.h"

#include <QSet>
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

QList<int> EntriesToThin(const QList<QDateTime>& times, const QDateTime& now, int maxEntries)
{
    QList<int> newestFirst(times.size());
    std::iota(newestFirst.begin(), newestFirst.end(), 0);
    std::stable_sort(
        newestFirst.begin(), newestFirst.end(), [&](int a, int b) { return times[a] > times[b]; });

    QList<int> removed;
    QSet<QPair<qint64, qint64>> bucketsTaken;
    int kept = 0;
    for (int index : newestFirst) {
        // An entry from the future (a clock set back) counts as new rather than being lost.
        const qint64 age = std::max<qint64>(0, times[index].secsTo(now));
        const qint64 span = BucketSpan(age);
        bool keep = kept < maxEntries;
        if (keep && span > 0)
            keep = !bucketsTaken.contains({ span, age / span });
        if (keep) {
            if (span > 0)
                bucketsTaken.insert({ span, age / span });
            ++kept;
        } else {
            removed.append(index);
        }
    }
    std::sort(removed.begin(), removed.end());
    return removed;
}
