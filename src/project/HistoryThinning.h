#pragma once

#include <QDateTime>
#include <QList>

/// Which of a card's history entries to keep as they age: every one of the last hour, the newest
/// of each hour for a day, the newest of each day for a month, the newest of each month after
/// that, and never more than `maxEntries`. Returns the indexes into `times` to remove.
QList<int> EntriesToThin(const QList<QDateTime>& times, const QDateTime& now, int maxEntries);
