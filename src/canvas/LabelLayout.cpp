#include "canvas/LabelLayout.h"

#include <QFontMetrics>
#include <QRect>
#include <QTextLayout>

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

QStringList StoryLines(const QString& text, const QFont& font, int width, int maxLines)
{
    QStringList lines;
    if (text.isEmpty() || maxLines <= 0)
        return lines;
    // Descriptions may hold line breaks; the layout takes them as spaces, the card has no room
    // for paragraphs.
    QString flat = text;
    flat.replace(QLatin1String("\r\n"), QLatin1String(" ")).replace('\n', ' ').replace('\r', ' ');
    const QFontMetrics metrics(font);
    QTextLayout layout(flat, font);
    QTextOption option(Qt::AlignHCenter);
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(width);
        if (lines.size() == maxLines - 1) {
            // The last line takes the rest of the text, cut where it no longer fits.
            lines << metrics.elidedText(flat.mid(line.textStart()).trimmed(), Qt::ElideRight, width);
            break;
        }
        lines << flat.mid(line.textStart(), line.textLength()).trimmed();
    }
    layout.endLayout();
    return lines;
}
