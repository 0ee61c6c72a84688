#include "canvas/CanvasZoom.h"

#include <gtest/gtest.h>

TEST(CanvasZoom, KeysStepAlongTheLadderAndStopAtTheLimits)
{
    CanvasZoom zoom;
    EXPECT_EQ(zoom.Percent(), 100);
    EXPECT_TRUE(zoom.StepIn());
    EXPECT_EQ(zoom.Percent(), 110);
    // From a scale between steps (a fitted one) the keys go to the neighbouring steps.
    zoom.SetPercent(87);
    EXPECT_TRUE(zoom.StepIn());
    EXPECT_EQ(zoom.Percent(), 90);
    zoom.SetPercent(87);
    EXPECT_TRUE(zoom.StepOut());
    EXPECT_EQ(zoom.Percent(), 75);

    zoom.SetPercent(400);
    EXPECT_FALSE(zoom.StepIn());
    EXPECT_EQ(zoom.Percent(), 400);
    zoom.SetPercent(10);
    EXPECT_FALSE(zoom.StepOut());
    EXPECT_EQ(zoom.Percent(), 10);

    // Stored scales out of range (a damaged or hand-edited project file) are brought inside.
    EXPECT_TRUE(zoom.SetPercent(1000));
    EXPECT_EQ(zoom.Percent(), 400);
    EXPECT_TRUE(zoom.SetPercent(-5));
    EXPECT_EQ(zoom.Percent(), 10);
}

TEST(CanvasZoom, TheWheelStepsOncePerNotchAndAddsUpSmallTurns)
{
    CanvasZoom zoom;
    EXPECT_TRUE(zoom.Wheel(240));
    EXPECT_EQ(zoom.Percent(), 125) << "two notches, two steps";

    // A touchpad sends a notch in thirds: the step comes with the third.
    zoom.SetPercent(100);
    EXPECT_FALSE(zoom.Wheel(40));
    EXPECT_FALSE(zoom.Wheel(40));
    EXPECT_TRUE(zoom.Wheel(40));
    EXPECT_EQ(zoom.Percent(), 110);

    // Turned back, the parts already turned do not hold the wheel up.
    EXPECT_FALSE(zoom.Wheel(80));
    EXPECT_TRUE(zoom.Wheel(-120));
    EXPECT_EQ(zoom.Percent(), 100);
}

TEST(CanvasZoom, FitFindsTheLargestScaleAtWhichTheCardsFit)
{
    const QSize view(1200, 900);
    const int margin = 2 * CanvasZoom::FitMargin;
    // 10,000 cards in a grid of 4,000 by 4,000 pixels: the height decides.
    const int grid = CanvasZoom::FitPercent(QRectF(20, 20, 4000, 4000), view);
    EXPECT_LE(4000 * grid / 100.0, 900 - margin);
    EXPECT_GT(4000 * (grid + 1) / 100.0, 900 - margin) << "one percent more would not fit";
    // A wide row: the width decides.
    EXPECT_EQ(CanvasZoom::FitPercent(QRectF(0, 0, 2 * (1200 - margin), 10), view), 50);

    // A few cards are not blown up; an empty canvas or a view without room shows actual size.
    EXPECT_EQ(CanvasZoom::FitPercent(QRectF(100, 100, 300, 200), view), 100);
    EXPECT_EQ(CanvasZoom::FitPercent(QRectF(), view), 100);
    EXPECT_EQ(CanvasZoom::FitPercent(QRectF(0, 0, 500, 500), QSize(20, 20)), 100);
    // Far too many for the view: the lower limit, and the view scrolls over the rest.
    EXPECT_EQ(CanvasZoom::FitPercent(QRectF(0, 0, 100000, 100000), view), 10);
}
