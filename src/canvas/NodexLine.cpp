#include "canvas/NodexLine.h"

#include <QPainter>
#include <QPainterPath>

TNodexLine::TNodexLine(QGraphicsItem* parent)
    : QGraphicsItem(parent)
{
    setVisible(false);
}

void TNodexLine::Layout(const LineLayout& layout, const QColor& colour)
{
    prepareGeometryChange();
    setPos(layout.Box.topLeft());
    FWidth = layout.Box.width();
    FHeight = layout.Box.height();
    EndInset = layout.EndInset;
    Direction = layout.Direction;
    Colour = colour;
    setVisible(true);
    update();
}

void TNodexLine::Hide()
{
    prepareGeometryChange();
    FWidth = 0;
    FHeight = 0;
    setVisible(false);
}

QRect TNodexLine::Box() const
{
    return QRect(pos().toPoint(), QSize(FWidth, FHeight));
}

QRectF TNodexLine::boundingRect() const
{
    return QRectF(0, 0, FWidth, FHeight);
}

// The whole box, not only the drawn pixels, so that a press near a thin line still finds it.
QPainterPath TNodexLine::shape() const
{
    QPainterPath path;
    path.addRect(boundingRect());
    return path;
}

// Pixel (x, y) of the box is the pixel whose top-left corner is (x, y): aliased QPainter with a
// cosmetic 1-pixel pen fills exactly that pixel for a point at whole coordinates. A classic line
// stops short of its end pixel while QPainter's includes it; the dot always covers the end
// pixel, so both give the same picture and the line is drawn as QPainter does it.
void TNodexLine::paint(QPainter* painter, const QStyleOptionGraphicsItem*, QWidget*)
{
    if (FWidth <= 0 || FHeight <= 0)
        return;
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing, false);
    painter->setClipRect(
        boundingRect(), painter->hasClipping() ? Qt::IntersectClip : Qt::ReplaceClip);
    QPen pen(Colour, 1, Qt::SolidLine);
    pen.setCosmetic(true);
    painter->setPen(pen);
    painter->setBrush(Colour);

    const LinePoints points = LineEndpoints(Direction, FWidth, FHeight, EndInset);
    painter->drawLine(points.Start, points.End);
    // An outlined rectangle of width 2 covers 3 pixels under QPainter, so this is the 3 × 3
    // area from (ex − 1, ey − 1) to (ex + 1, ey + 1): a round dot centred on the end point.
    const QPoint end = points.End;
    painter->drawEllipse(QRect(end.x() - 1, end.y() - 1, 2, 2));
    painter->restore();
}
