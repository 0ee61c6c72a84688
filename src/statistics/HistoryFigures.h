#pragma once

#include <QByteArray>
#include <QDate>
#include <vector>

class WritingHistory;

// What the statistics window draws and exports from a writing history: plain functions, free
// of widgets.

/// The words of each of the `days` days ending with `last` (oldest first): each day's words added
/// less removed, none for a day the history has no line for.
std::vector<qint64> DailyWords(const WritingHistory& history, QDate last, int days);

/// The history as comma-separated values for a spreadsheet: a header line naming the columns,
/// then a line a day in date order (ISO date, words at the start, added, removed, net, minutes),
/// CR LF line ends as spreadsheets write them.
QByteArray HistoryCsv(const WritingHistory& history);
