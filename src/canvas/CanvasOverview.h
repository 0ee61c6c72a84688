#pragma once

#include <QHash>
#include <QPixmap>
#include <QRectF>

class QPainter;
class QTransform;
class CanvasScene;
class NodexLabel;

/// Draws the canvas when it is shown too small for its names to be read: icons at the view's
/// scale, a bar where each name stands (in the name's colour, so a selection still shows) and
/// the link lines without their dots. Drawn in one pass over the cards rather than item by item
/// through the scene, whose cost per item would make an overview of thousands of cards slow.
class CanvasOverview {
public:
    /// Below this scale an 8-point name is a few pixels high and the overview takes over.
    static constexpr qreal ReadableScale = 0.5;

    explicit CanvasOverview(const CanvasScene& canvas);

    /// Draws what lies in `exposed` (canvas pixels) with `toView` mapping canvas to view pixels;
    /// the background is drawn already.
    void Paint(QPainter& painter, const QTransform& toView, const QRectF& exposed);

private:
    /// An icon at the view's size, made once for each picture and size: thousands of cards share
    /// a dozen pictures.
    /// The part a card shows of its picture is its square at the top-left.
    const QPixmap& ScaledPicture(const QPixmap& picture, int cardSize, int side);

    /// The lines under a card's name (description, word count) as bars at the view's scale.
    void PaintStory(QPainter& painter, const NodexLabel& label, QPointF at, qreal scale);

    const CanvasScene& FCanvas;
    QHash<QPair<qint64, int>, QPixmap> FScaled;
};
