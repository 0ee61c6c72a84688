#include "canvas/LineGeometry.h"

#include <cmath>
#include <cstdlib>

LineLayout LayoutLine(QPoint sourceCentre, QPoint targetCentre, int targetWidth)
{
    const int x1 = sourceCentre.x();
    const int y1 = sourceCentre.y();
    const int x2 = targetCentre.x();
    const int y2 = targetCentre.y();

    int left;
    int top;
    int width;
    int height = std::abs(y1 - y2);
    int direction;
    if (x1 < x2) {
        width = x2 - x1;
        left = x1;
        direction = y2 > y1 ? 7 : 6;
        top = y2 > y1 ? y1 : y2;
    } else {
        width = x1 - x2;
        left = x2;
        direction = y2 > y1 ? 5 : 4;
        top = y2 > y1 ? y1 : y2;
    }

    // Nearly straight lines get a 3-pixel box so that the line at offset 1 lies inside it. The
    // box keeps the left (or top) found above instead of being re-centred, so a straight line
    // runs one pixel right of (or below) the lesser centre; the source card drawn above hides
    // the difference at the start, and the dot still lands on the target's icon.
    if (std::abs(x2 - x1) < 3) {
        width = 3;
        direction = y2 >= y1 ? 1 : 0;
    } else if (std::abs(y2 - y1) < 3) {
        height = 3;
        direction = x1 <= x2 ? 3 : 2;
    }

    return LineLayout { QRect(left, top, width, height), direction, EndInsetFor(targetWidth) };
}

int EndInsetFor(int targetWidth)
{
    return targetWidth < 48 ? targetWidth - targetWidth / 3 : targetWidth - targetWidth / 4;
}

LinePoints LineEndpoints(int direction, int width, int height, int endInset)
{
    const int w = width;
    const int h = height;
    int fx = 0;
    int fy = 0;
    if (direction >= 4) {
        // The inset is measured along the slant: the share of it on each axis is the axis's
        // share of the length, computed in this order and rounded to nearest, halves to even.
        const double length = std::sqrt(double(w) * w + double(h) * h);
        if (length > 0) {
            const double percent = 100.0 * endInset / length;
            fx = int(std::lrint(w / 100.0 * percent));
            fy = int(std::lrint(h / 100.0 * percent));
        }
    }
    switch (direction) {
    case 0:
        return { QPoint(1, h), QPoint(1, endInset) };
    case 1:
        return { QPoint(1, 1), QPoint(1, h - endInset) };
    case 2:
        return { QPoint(w, 1), QPoint(endInset, 1) };
    case 3:
        return { QPoint(1, 1), QPoint(w - endInset, 1) };
    case 4:
        return { QPoint(w - 1, h - 1), QPoint(fx, fy) };
    case 5:
        return { QPoint(w - 1, 1), QPoint(fx, h - fy - 1) };
    case 6:
        return { QPoint(1, h - 1), QPoint(w - fx - 1, fy) };
    default: // 7
        return { QPoint(1, 1), QPoint(w - fx - 1, h - fy - 1) };
    }
}

QPoint CardCentre(int left, int top, int width, int height)
{
    return QPoint(left + width / 2, top + height / 2);
}
