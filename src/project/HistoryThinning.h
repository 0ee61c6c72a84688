#pragma once

#include <QDateTime>
#include <QList>
#include <functional>

/// Which of a card's history entries to keep as they age: every one of the last hour, the newest
/// of each hour for a day, the newest of each day for a month, the newest of each month after
/// that, and never more than `maxEntries`. Of the entries sharing a period, the newest one that
/// `readable` accepts is kept (the newest when none is), so that a damaged entry does not take the
/// place of one that reads; `readable` is asked only where a period holds more than one entry.
/// Returns the indexes into `times` to remove.
QList<int> EntriesToThin(const QList<QDateTime>& times, const QDateTime& now, int maxEntries,
    const std::function<bool(int)>& readable = {});
