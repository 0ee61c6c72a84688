#include "canvas/LineGeometry.h"

#include "canvas/NodexLine.h"

#include <QGraphicsScene>
#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

TEST(LineGeometry, EachDirectionGetsItsBoxAndStopsShortOfTheTarget)
{
    struct Case {
        QPoint From, To;
        QRect Box;
        int Direction;
        QPoint Start, End;
    };
    // All into a 48-pixel card, so 36 pixels short. Slanting lines stop short along the slant:
    // 60 across and 80 down is 100 long, so fx = 0.6 × 36 = 21.6 -> 22, fy = 0.8 × 36 -> 29.
    const Case cases[] = {
        // Within 2 pixels horizontally: vertical, 3 wide, left at the lesser centre.
        { { 100, 100 }, { 102, 200 }, { 100, 100, 3, 100 }, 1, { 1, 1 }, { 1, 64 } },
        { { 102, 200 }, { 100, 100 }, { 100, 100, 3, 100 }, 0, { 1, 100 }, { 1, 36 } },
        // Within 2 pixels vertically: horizontal, 3 high, top at the lesser centre.
        { { 200, 102 }, { 100, 100 }, { 100, 100, 100, 3 }, 2, { 100, 1 }, { 36, 1 } },
        { { 100, 102 }, { 200, 100 }, { 100, 100, 100, 3 }, 3, { 1, 1 }, { 64, 1 } },
        // Both within 2 pixels: the vertical rule wins.
        { { 100, 100 }, { 102, 98 }, { 100, 98, 3, 2 }, 0, { 1, 2 }, { 1, 36 } },
        // 3 pixels apart is no longer straight.
        { { 100, 100 }, { 103, 200 }, { 100, 100, 3, 100 }, 7, { 1, 1 }, { 1, 63 } },
        { { 100, 100 }, { 200, 97 }, { 100, 97, 100, 3 }, 6, { 1, 2 }, { 63, 1 } },
        { { 100, 100 }, { 160, 180 }, { 100, 100, 60, 80 }, 7, { 1, 1 }, { 37, 50 } },
        { { 100, 180 }, { 160, 100 }, { 100, 100, 60, 80 }, 6, { 1, 79 }, { 37, 29 } },
        { { 160, 100 }, { 100, 180 }, { 100, 100, 60, 80 }, 5, { 59, 1 }, { 22, 50 } },
        { { 160, 180 }, { 100, 100 }, { 100, 100, 60, 80 }, 4, { 59, 79 }, { 22, 29 } },
        // Closer than the inset: the end lies before the start, outside the box.
        { { 100, 100 }, { 120, 100 }, { 100, 100, 20, 3 }, 3, { 1, 1 }, { -16, 1 } },
        { { 100, 100 }, { 110, 110 }, { 100, 100, 10, 10 }, 7, { 1, 1 }, { -16, -16 } },
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(testing::Message() << test.From.x() << "," << test.From.y() << " to "
                                        << test.To.x() << "," << test.To.y());
        const LineLayout layout = LayoutLine(test.From, test.To, 48);
        const LinePoints points = LineEndpoints(
            layout.Direction, layout.Box.width(), layout.Box.height(), layout.EndInset);
        EXPECT_EQ(layout.Box, test.Box);
        EXPECT_EQ(layout.Direction, test.Direction);
        EXPECT_EQ(points.Start, test.Start);
        EXPECT_EQ(points.End, test.End);
    }
    // Same centre: an empty box 3 wide and 0 high.
    EXPECT_EQ(LayoutLine(QPoint(100, 100), QPoint(100, 100), 48).Box, QRect(100, 100, 3, 0));
    // Odd card sizes: the half is rounded towards zero.
    EXPECT_EQ(CardCentre(10, 20, 33, 47), QPoint(26, 43));
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
    EXPECT_EQ(EndInsetFor(47), 32); // below 48 a third is taken off
    EXPECT_EQ(EndInsetFor(49), 37); // from 48 on a quarter
    EXPECT_EQ(LayoutLine(QPoint(0, 0), QPoint(100, 0), 32).EndInset, 22);
}

TEST(NodexLine, PaintsLineAndDotInsideItsBoxOnly)
{
    const QColor colour(0x12, 0x34, 0x56);
    QGraphicsScene scene(0, 0, 140, 40);
    auto* straight = new TNodexLine;
    auto* close = new TNodexLine;
    scene.addItem(straight);
    scene.addItem(close);
    straight->Layout(LayoutLine(QPoint(10, 10), QPoint(110, 10), 48), colour);
    close->Layout(LayoutLine(QPoint(10, 30), QPoint(30, 30), 48), colour);

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
