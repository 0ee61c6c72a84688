#include "canvas/CanvasOverview.h"

#include "canvas/CanvasScene.h"
#include "canvas/NodexLabel.h"
#include "canvas/NodexLine.h"
#include "canvas/Nodex.h"

#include <QPainter>
#include <QVarLengthArray>
#include <algorithm>
#include <vector>

namespace {
// Pictures of more sizes than this are not kept: the cache is for the few scales in use.
constexpr int MaxScaledPictures = 256;
} // namespace

CanvasOverview::CanvasOverview(const CanvasScene& canvas)
    : FCanvas(canvas)
{
}

const QPixmap& CanvasOverview::ScaledPicture(const QPixmap& picture, int cardSize, int side)
{
    const QPair<qint64, int> key(picture.cacheKey(), side);
    auto found = FScaled.find(key);
    if (found == FScaled.end()) {
        if (FScaled.size() >= MaxScaledPictures)
            FScaled.clear();
        // As the card draws it: at its own size, cut off at the card's square.
        QPixmap square(cardSize, cardSize);
        square.fill(Qt::transparent);
        QPainter(&square).drawPixmap(0, 0, picture);
        found = FScaled.insert(
            key, square.scaled(side, side, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
    }
    return *found;
}

void CanvasOverview::PaintStory(QPainter& painter, const NodexLabel& label, QPointF at, qreal scale)
{
    const QList<int>& widths = label.StoryWidths();
    if (widths.isEmpty())
        return;
    // A thin bar for each line under the name, as wide as the line is drawn and centred as it
    // is, at the line's place: zooming in lays the text where its bar was.
    const qreal lineHeight = label.StoryLineHeight() * scale;
    qreal top = at.y() + label.NameHeight() * scale;
    QColor colour = label.TextColour();
    colour.setAlphaF(colour.alphaF() * 0.6);
    for (const int lineWidth : widths) {
        const qreal width = std::max<qreal>(1, lineWidth * scale);
        const qreal left = at.x() + (label.Width() * scale - width) / 2;
        painter.fillRect(QRectF(left, top + lineHeight / 3, width, std::max<qreal>(1, lineHeight / 3)), colour);
        top += lineHeight;
    }
}

void CanvasOverview::Paint(QPainter& painter, const QTransform& toView, const QRectF& exposed)
{
    // The cards and lines in the exposed part; lines grouped by colour (there are few), so
    // that each colour is one call.
    std::vector<std::pair<qreal, const TNodex*>> cards;
    cards.reserve(FCanvas.Cards().size());
    QVarLengthArray<std::pair<QRgb, QList<QLine>>, 4> lines;
    for (const TNodex* card : FCanvas.Cards()) {
        if (!card->isVisible())
            continue;
        const TNodexLine* line = card->Line();
        if (line->isVisible() && exposed.intersects(line->Box())) {
            const LinePoints ends
                = LineEndpoints(line->Direction, line->Width(), line->Height(), line->EndInset);
            const QPoint at = line->Box().topLeft();
            const QRgb colour = line->Colour.rgba();
            auto group = std::find_if(
                lines.begin(), lines.end(), [&](const auto& g) { return g.first == colour; });
            if (group == lines.end())
                group = lines.insert(lines.end(), { colour, {} });
            group->second << QLine(at + ends.Start, at + ends.End);
        }
        const QRectF box(card->Left() - card->LabelOverhang(), card->Top(),
            card->Width() + 2 * card->LabelOverhang(), card->Height() + card->LabelHeight());
        if (exposed.intersects(box))
            cards.emplace_back(card->zValue(), card);
    }
    // Bottom first, as the scene stacks them.
    std::sort(
        cards.begin(), cards.end(), [](const auto& a, const auto& b) { return a.first < b.first; });

    painter.save();
    painter.setTransform(toView);
    for (const auto& [colour, group] : lines) {
        painter.setPen(QPen(QColor::fromRgba(colour), 0));
        painter.drawLines(group);
    }
    painter.resetTransform();
    const qreal scale = toView.m11();
    const QPointF origin(toView.dx(), toView.dy());
    for (const auto& [z, card] : cards) {
        const QPoint icon = (QPointF(card->Left(), card->Top()) * scale + origin).toPoint();
        const int side = qRound(card->Width() * scale);
        if (side > 0)
            painter.drawPixmap(icon, ScaledPicture(card->Picture(), card->Width(), side));
        const NodexLabel* label = card->NameLabel();
        if (!label->isVisible())
            continue;
        const QPoint name = (label->pos() * scale + origin).toPoint();
        const int width = std::max(1, qRound(label->Width() * scale));
        const int height = std::max(3, qRound(label->NameHeight() * scale));
        if (!label->Transparent())
            painter.fillRect(QRect(name.x(), name.y(), width, std::max(height, qRound(label->Height() * scale))),
                label->BackgroundColour());
        // The middle third of the name's height, at least a pixel.
        const int third = height / 3;
        painter.fillRect(
            QRect(name.x(), name.y() + third, width, height - 2 * third), label->TextColour());
        PaintStory(painter, *label, QPointF(name), scale);
    }
    painter.restore();
}
