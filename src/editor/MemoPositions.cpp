#include "editor/MemoPositions.h"

#include "editor/MemoText.h"

#include <algorithm>

MemoPositions::MemoPositions(const QTextDocument& document)
    : FSoftBreaks(SoftBreakPositions(document))
{
}

qsizetype MemoPositions::Offset(int position) const
{
    const auto before = std::lower_bound(FSoftBreaks.cbegin(), FSoftBreaks.cend(), position);
    return position - (before - FSoftBreaks.cbegin());
}

int MemoPositions::Position(qsizetype offset, bool afterBreaks) const
{
    // The i-th soft break stands at offset (its position - i) of the writer's text.
    const auto standsAt = [this](qsizetype i) { return FSoftBreaks[i] - i; };
    qsizetype before = 0; // the breaks wholly before the offset
    qsizetype upTo = FSoftBreaks.size();
    while (before < upTo) {
        const qsizetype middle = (before + upTo) / 2;
        if (standsAt(middle) < offset)
            before = middle + 1;
        else
            upTo = middle;
    }
    qsizetype at = before; // and those standing right at it
    while (afterBreaks && at < FSoftBreaks.size() && standsAt(at) == offset)
        ++at;
    return int(offset + at);
}
