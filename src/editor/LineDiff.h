#pragma once

#include <QList>
#include <QStringList>

/// One row of two texts set side by side: a line of each, or of one only.
struct DiffRow {
    enum Kind { Same, Changed, Removed, Added };
    Kind What;
    int Earlier = -1; ///< the line in the earlier text, or -1
    int Current = -1; ///< the line in the current text, or -1
};

/// The rows that set two texts' lines side by side: the lines they share in order (the longest
/// common run), and between those the lines each has on its own, paired as changed lines while
/// both have some. Where the differing middle is too long to compare line by line it is shown as
/// changed throughout.
QList<DiffRow> CompareLines(const QStringList& earlier, const QStringList& current);
