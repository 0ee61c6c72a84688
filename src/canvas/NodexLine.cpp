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

void TNodexLine::SetStyle(const LineStyle& style)
{
    prepareGeometryChange();
    FStyle = style;
    update();
}

QRect TNodexLine::Box() const
{
    return QRect(pos().toPoint(), QSize(FWidth, FHeight));
}

QRectF TNodexLine::boundingRect() const
{
    // A thick line or a large dot reaches a little beyond the box.
    const int overhang = FStyle.Overhang();
    return QRectF(-overhang, -overhang, FWidth + 2 * overhang, FHeight + 2 * overhang);
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
    QPen pen(Colour, FStyle.PenWidth, Qt::SolidLine);
    pen.setCosmetic(true);
    painter->setPen(pen);
    painter->setBrush(Colour);

    const LinePoints points = LineEndpoints(Direction, FWidth, FHeight, EndInset);
    painter->drawLine(points.Start, points.End);
    // An outlined rectangle of width d − 1 covers d pixels under QPainter: with the 3-pixel dot
    // this is the area from (ex − 1, ey − 1) to (ex + 1, ey + 1), a round dot centred on the end.
    pen.setWidth(1);
    painter->setPen(pen);
    const QPoint end = points.End;
    const int half = FStyle.DotSize / 2;
    painter->drawEllipse(QRect(end.x() - half, end.y() - half, FStyle.DotSize - 1, FStyle.DotSize - 1));
    painter->restore();
}
