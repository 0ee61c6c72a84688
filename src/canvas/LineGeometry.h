#pragma once

#include <QPoint>
#include <QRect>

/// Where a link line lies and which way it runs.
struct LineLayout {
    QRect Box; // the line's box in canvas coordinates (left, top, width, height)
    int Direction; // 0 up, 1 down, 2 left, 3 right, 4 up-left, 5 down-left, 6 up-right, 7
                   // down-right
    int EndInset; // distance from the target's centre at which the line stops
};

/// Lays out the line from the source card's centre to the target card's centre; the box spans
/// the two centres and is widened to 3 pixels where it would be thinner.
LineLayout LayoutLine(QPoint sourceCentre, QPoint targetCentre, int targetWidth);

/// How far short of the target's centre the line stops: the dot then sits near the edge of
/// the target's icon, where the card above does not hide it.
int EndInsetFor(int targetWidth);

/// Start and end point of a link line, in the coordinates of its box.
struct LinePoints {
    QPoint Start;
    QPoint End;
};

/// Start and end point inside a box of the given size, by direction; the end may lie outside
/// the box when the cards are closer than the inset, and is then clipped away when painted.
LinePoints LineEndpoints(int direction, int width, int height, int endInset);

/// The card centre rule: Left + Width/2, Top + Height/2, halves rounded towards zero.
QPoint CardCentre(int left, int top, int width, int height);
