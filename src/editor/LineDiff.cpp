#include "editor/LineDiff.h"

#include <vector>

namespace {
// The table of common runs grows with the product of the two middles: past this many cells
// (16 MB) the middle is shown as changed rather than compared.
constexpr qint64 MaxCells = 4'000'000;

/// The lines between two shared ones: removed and added lines paired as changed while both last.
void AppendDifferent(
    QList<DiffRow>& rows, int earlierFrom, int earlierTo, int currentFrom, int currentTo)
{
    while (earlierFrom < earlierTo && currentFrom < currentTo)
        rows.append({ DiffRow::Changed, earlierFrom++, currentFrom++ });
    while (earlierFrom < earlierTo)
        rows.append({ DiffRow::Removed, earlierFrom++, -1 });
    while (currentFrom < currentTo)
        rows.append({ DiffRow::Added, -1, currentFrom++ });
}
} // namespace

QList<DiffRow> CompareLines(const QStringList& earlier, const QStringList& current)
{
    // A save changes a few lines: the shared start and end are set aside before comparing.
    int start = 0;
    while (start < earlier.size() && start < current.size() && earlier[start] == current[start])
        ++start;
    int end = 0;
    while (end < earlier.size() - start && end < current.size() - start
        && earlier[earlier.size() - 1 - end] == current[current.size() - 1 - end])
        ++end;
    const int n = int(earlier.size()) - start - end;
    const int m = int(current.size()) - start - end;

    QList<DiffRow> rows;
    for (int line = 0; line < start; ++line)
        rows.append({ DiffRow::Same, line, line });
    if (qint64(n + 1) * (m + 1) > MaxCells) {
        AppendDifferent(rows, start, start + n, start, start + m);
    } else {
        // common[i][j]: the longest common run of the middles from line i and line j on.
        std::vector<quint32> common(std::size_t(n + 1) * (m + 1), 0);
        const auto at
            = [&](int i, int j) -> quint32& { return common[std::size_t(i) * (m + 1) + j]; };
        for (int i = n - 1; i >= 0; --i)
            for (int j = m - 1; j >= 0; --j)
                at(i, j) = earlier[start + i] == current[start + j]
                    ? at(i + 1, j + 1) + 1
                    : std::max(at(i + 1, j), at(i, j + 1));
        int i = 0, j = 0, fromI = 0, fromJ = 0;
        while (i < n && j < m) {
            if (earlier[start + i] == current[start + j]) {
                AppendDifferent(rows, start + fromI, start + i, start + fromJ, start + j);
                rows.append({ DiffRow::Same, start + i, start + j });
                fromI = ++i;
                fromJ = ++j;
            } else if (at(i + 1, j) >= at(i, j + 1)) {
                ++i;
            } else {
                ++j;
            }
        }
        AppendDifferent(rows, start + fromI, start + n, start + fromJ, start + m);
    }
    for (int line = 0; line < end; ++line)
        rows.append(
            { DiffRow::Same, int(earlier.size()) - end + line, int(current.size()) - end + line });
    return rows;
}
