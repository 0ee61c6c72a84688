#pragma once

#include "canvas/LineGeometry.h"
#include "canvas/LineStyle.h"

#include <QColor>
#include <QGraphicsItem>

/// A card's outgoing link line: a thin line from the card's centre towards its successor,
/// ending in a small dot short of the successor's centre. Lies beneath the cards; a press
/// anywhere in its box finds it, and the view treats that like a press on empty canvas.
class TNodexLine : public QGraphicsItem {
public:
    static constexpr int ItemType = QGraphicsItem::UserType + 3;

    explicit TNodexLine(QGraphicsItem* parent = nullptr);

    /// Places the line in its box and shows it.
    void Layout(const LineLayout& layout, const QColor& colour);
    /// Makes the line invisible with an empty box; it keeps its place in the scene.
    void Hide();
    /// How thick the line and its dot are drawn.
    void SetStyle(const LineStyle& style);

    int Width() const { return FWidth; }
    int Height() const { return FHeight; }
    QRect Box() const;

    int type() const override { return ItemType; }
    QRectF boundingRect() const override;
    QPainterPath shape() const override;
    void paint(QPainter* painter, const QStyleOptionGraphicsItem* option,
        QWidget* widget = nullptr) override;

    int EndInset = 0;
    int Direction = 0;
    QColor Colour;

private:
    LineStyle FStyle;
    int FWidth = 0;
    int FHeight = 0;
};
