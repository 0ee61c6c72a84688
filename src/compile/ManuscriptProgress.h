#pragma once

#include <QtGlobal>
#include <functional>

/// Reports how far an export has come, in thousandths; false when the writer cancelled it.
using ManuscriptProgress = std::function<bool(int permille)>;

/// The stretch from `from` to `to` thousandths of `whole`, as a progress of its own: each step of
/// an export reports from 0 to 1000 and never needs to know what comes before or after it.
ManuscriptProgress PartOf(const ManuscriptProgress& whole, int from, int to);

/// Whether work may go on after `done` of `total` steps; every step reports, so a cancel is
/// seen at once, and only the callback decides how often the screen is updated.
bool ReportStep(const ManuscriptProgress& progress, qint64 done, qint64 total);
