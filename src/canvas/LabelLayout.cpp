#include "canvas/LabelLayout.h"

#include <QFontMetrics>
#include <QRect>

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
    // Wrapping never breaks a word, so a result wider than the wrap width is the width of the
    // longest word; only then is the text wrapped again, at that word's width, where shorter
    // words may share its lines.
    const QRect atWrapWidth = MeasureAt(metrics, LabelWrapWidth, text);
    if (atWrapWidth.width() <= LabelWrapWidth)
        return {atWrapWidth.width(), atWrapWidth.height()};
    const QRect wrapped = MeasureAt(metrics, atWrapWidth.width(), text);
    return {wrapped.width(), wrapped.height()};
}
