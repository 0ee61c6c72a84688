#include "canvas/LineGeometry.h"

#include "canvas/NodexLine.h"

#include <QGraphicsScene>
#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

namespace {

LinePoints EndpointsOf(const LineLayout& layout)
{
    return LineEndpoints(
        layout.Direction, layout.Box.width(), layout.Box.height(), layout.EndInset);
}

} // namespace

TEST(LineGeometry, StraightRightToA48PixelCard)
{
    // Two 48-pixel cards whose centres lie 100 pixels apart on one row.
    const QPoint source = CardCentre(76, 76, 48, 48);
    const QPoint target = CardCentre(176, 76, 48, 48);
    EXPECT_EQ(source, QPoint(100, 100));
    EXPECT_EQ(target, QPoint(200, 100));

    const LineLayout layout = LayoutLine(source, target, 48);
    EXPECT_EQ(layout.Box, QRect(100, 100, 100, 3));
    EXPECT_EQ(layout.Direction, 3);
    EXPECT_EQ(layout.EndInset, 36);
    const LinePoints points = EndpointsOf(layout);
    EXPECT_EQ(points.Start, QPoint(1, 1));
    EXPECT_EQ(points.End, QPoint(64, 1));

    // Odd card sizes: the half is rounded towards zero.
    EXPECT_EQ(CardCentre(10, 20, 33, 47), QPoint(26, 43));
}

TEST(LineGeometry, NearlyStraightLinesGetAThreePixelBox)
{
    // Within 2 pixels horizontally: vertical, 3 wide, left at the lesser centre.
    LineLayout down = LayoutLine(QPoint(100, 100), QPoint(102, 200), 48);
    EXPECT_EQ(down.Direction, 1);
    EXPECT_EQ(down.Box, QRect(100, 100, 3, 100));
    EXPECT_EQ(EndpointsOf(down).Start, QPoint(1, 1));
    EXPECT_EQ(EndpointsOf(down).End, QPoint(1, 64));

    LineLayout up = LayoutLine(QPoint(102, 200), QPoint(100, 100), 48);
    EXPECT_EQ(up.Direction, 0);
    EXPECT_EQ(up.Box, QRect(100, 100, 3, 100));
    EXPECT_EQ(EndpointsOf(up).Start, QPoint(1, 100));
    EXPECT_EQ(EndpointsOf(up).End, QPoint(1, 36));

    // Within 2 pixels vertically: horizontal, 3 high.
    LineLayout left = LayoutLine(QPoint(200, 102), QPoint(100, 100), 48);
    EXPECT_EQ(left.Direction, 2);
    EXPECT_EQ(left.Box, QRect(100, 100, 100, 3));
    EXPECT_EQ(EndpointsOf(left).Start, QPoint(100, 1));
    EXPECT_EQ(EndpointsOf(left).End, QPoint(36, 1));

    LineLayout right = LayoutLine(QPoint(100, 102), QPoint(200, 100), 48);
    EXPECT_EQ(right.Direction, 3);
    EXPECT_EQ(right.Box, QRect(100, 100, 100, 3));

    // Both within 2 pixels: the vertical rule wins.
    LineLayout both = LayoutLine(QPoint(100, 100), QPoint(102, 98), 48);
    EXPECT_EQ(both.Direction, 0);
    EXPECT_EQ(both.Box, QRect(100, 98, 3, 2));

    // 3 pixels apart is no longer straight.
    LineLayout slant = LayoutLine(QPoint(100, 100), QPoint(103, 200), 48);
    EXPECT_EQ(slant.Direction, 7);
    EXPECT_EQ(slant.Box, QRect(100, 100, 3, 100));
    LineLayout flat = LayoutLine(QPoint(100, 100), QPoint(200, 97), 48);
    EXPECT_EQ(flat.Direction, 6);
    EXPECT_EQ(flat.Box, QRect(100, 97, 100, 3));
}

TEST(LineGeometry, SlantingDirectionsStopShortAlongTheSlant)
{
    // Centres 60 across and 80 down: length 100, so the 36-pixel inset splits into
    // fx = 0.6 × 36 = 21.6 -> 22 and fy = 0.8 × 36 = 28.8 -> 29.
    const QRect box(100, 100, 60, 80);

    LineLayout downRight = LayoutLine(QPoint(100, 100), QPoint(160, 180), 48);
    EXPECT_EQ(downRight.Direction, 7);
    EXPECT_EQ(downRight.Box, box);
    EXPECT_EQ(EndpointsOf(downRight).Start, QPoint(1, 1));
    EXPECT_EQ(EndpointsOf(downRight).End, QPoint(37, 50));

    LineLayout upRight = LayoutLine(QPoint(100, 180), QPoint(160, 100), 48);
    EXPECT_EQ(upRight.Direction, 6);
    EXPECT_EQ(upRight.Box, box);
    EXPECT_EQ(EndpointsOf(upRight).Start, QPoint(1, 79));
    EXPECT_EQ(EndpointsOf(upRight).End, QPoint(37, 29));

    LineLayout downLeft = LayoutLine(QPoint(160, 100), QPoint(100, 180), 48);
    EXPECT_EQ(downLeft.Direction, 5);
    EXPECT_EQ(downLeft.Box, box);
    EXPECT_EQ(EndpointsOf(downLeft).Start, QPoint(59, 1));
    EXPECT_EQ(EndpointsOf(downLeft).End, QPoint(22, 50));

    LineLayout upLeft = LayoutLine(QPoint(160, 180), QPoint(100, 100), 48);
    EXPECT_EQ(upLeft.Direction, 4);
    EXPECT_EQ(upLeft.Box, box);
    EXPECT_EQ(EndpointsOf(upLeft).Start, QPoint(59, 79));
    EXPECT_EQ(EndpointsOf(upLeft).End, QPoint(22, 29));
}

TEST(LineGeometry, SlantSharesRoundToNearest)
{
    // Whole-pixel boxes never give an exact half: W × inset / L is a half only when L is
    // whole, and a whole L has fewer factors of two than 2 × W × inset. So these cases sit
    // just either side of a half; direction 4 ends at (fx, fy) itself.
    // 42 × 20: fx = 32.503 -> 33 (not truncated), fy = 15.478 -> 15.
    EXPECT_EQ(LineEndpoints(4, 42, 20, 36).End, QPoint(33, 15));
    // 107 × 51: fx = 32.497 -> 32, fy = 15.489 -> 15 (not rounded up).
    EXPECT_EQ(LineEndpoints(4, 107, 51, 36).End, QPoint(32, 15));
    EXPECT_EQ(LineEndpoints(7, 107, 51, 36).End, QPoint(107 - 32 - 1, 51 - 15 - 1));
}

TEST(LineGeometry, EndInsetDependsOnTargetWidth)
{
    EXPECT_EQ(EndInsetFor(48), 36);
    EXPECT_EQ(EndInsetFor(32), 22);
    EXPECT_EQ(EndInsetFor(47), 32); // below 48 a third is taken off
    EXPECT_EQ(EndInsetFor(49), 37); // from 48 on a quarter
    EXPECT_EQ(LayoutLine(QPoint(0, 0), QPoint(100, 0), 32).EndInset, 22);
}

TEST(LineGeometry, CloseAndCoincidentCentres)
{
    // Closer than the inset: the end lies before the start, outside the box.
    LineLayout close = LayoutLine(QPoint(100, 100), QPoint(120, 100), 48);
    EXPECT_EQ(close.Box, QRect(100, 100, 20, 3));
    EXPECT_EQ(EndpointsOf(close).End, QPoint(-16, 1));

    LineLayout closeSlant = LayoutLine(QPoint(100, 100), QPoint(110, 110), 48);
    EXPECT_EQ(closeSlant.Direction, 7);
    const QPoint end = EndpointsOf(closeSlant).End; // fx = fy = 25
    EXPECT_EQ(end, QPoint(-16, -16));

    // Same centre: an empty box 3 wide and 0 high.
    LineLayout same = LayoutLine(QPoint(100, 100), QPoint(100, 100), 48);
    EXPECT_EQ(same.Box, QRect(100, 100, 3, 0));
}

TEST(NodexLine, PaintsLineAndDotInsideItsBoxOnly)
{
    const QColor colour(0x12, 0x34, 0x56);
    QGraphicsScene scene(0, 0, 140, 40);
    auto* straight = new TNodexLine;
    auto* close = new TNodexLine;
    auto* hidden = new TNodexLine;
    scene.addItem(straight);
    scene.addItem(close);
    scene.addItem(hidden);
    EXPECT_FALSE(straight->isVisible());

    straight->Layout(LayoutLine(QPoint(10, 10), QPoint(110, 10), 48), colour);
    close->Layout(LayoutLine(QPoint(10, 30), QPoint(30, 30), 48), colour);
    hidden->Layout(LayoutLine(QPoint(10, 20), QPoint(110, 20), 48), colour);
    hidden->Hide();
    EXPECT_EQ(straight->Box(), QRect(10, 10, 100, 3));
    EXPECT_TRUE(straight->isVisible());
    EXPECT_FALSE(hidden->isVisible());
    EXPECT_EQ(hidden->Width(), 0);
    EXPECT_EQ(hidden->Height(), 0);

    // A press anywhere in the box finds the line, not only on its pixels.
    EXPECT_TRUE(scene.items(QPointF(50.5, 12.5)).contains(straight));

    QImage image(140, 40, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    QPainter painter(&image);
    scene.render(&painter, QRectF(image.rect()), scene.sceneRect());
    painter.end();

    // The straight line runs on canvas row 11 from x 11 to 74; its dot covers x 73..75,
    // y 10..12 around the end (74, 11) (whether the dot's corners fill is up to the
    // rasteriser). The close line keeps only its first two pixels at the box's left edge.
    const auto inDotCorner
        = [](int x, int y) { return (x == 73 || x == 75) && (y == 10 || y == 12); };
    const auto expectedColoured = [](int x, int y) {
        const bool onLine = y == 11 && x >= 11 && x <= 74;
        const bool dotArm = (x == 74 && (y == 10 || y == 12)) || (y == 11 && x == 75);
        const bool closeStub = y == 31 && (x == 10 || x == 11);
        return onLine || dotArm || closeStub;
    };
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (inDotCorner(x, y))
                continue;
            const QRgb want = expectedColoured(x, y) ? colour.rgb() : QColor(Qt::white).rgb();
            ASSERT_EQ(image.pixel(x, y), want) << "at " << x << ", " << y;
        }
    }
}
