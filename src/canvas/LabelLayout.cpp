#include "canvas/LabelLayout.h"

#include <QFontMetrics>
#include <QRect>

#include <algorithm>

namespace {
constexpr int Unbounded = 1 << 20;

QRect MeasureAt(const QFontMetrics& metrics, int width, const QString& text)
{
    // Measured left-aligned: centring would round its fractional offset into the width.
    return metrics.boundingRect(QRect(0, 0, width, Unbounded), Qt::TextWordWrap, text);
}
} // namespace

int LabelTextFlags() { return Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap; }

LabelSize MeasureLabel(const QString& text, const QFont& font)
{
    const QFontMetrics metrics(font);
    // Measured at a tiny width, every word stands on a line of its own: the width is the
    // longest word's.
    const int longestWord = MeasureAt(metrics, 10, text).width();
    const QRect wrapped = MeasureAt(metrics, std::max(longestWord, LabelWrapWidth), text);
    return {wrapped.width(), wrapped.height()};
}
