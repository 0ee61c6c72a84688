#pragma once

#include <QRectF>
#include <QSize>

/// The scale the canvas is shown at, in whole percent from 10 to 400, and how the zoom commands
/// change it: the zoom keys step along a ladder of familiar scales, the mouse wheel takes one
/// step per notch, and "zoom to fit" finds the largest scale at which a rectangle fits a view.
class CanvasZoom {
public:
    static constexpr int MinPercent = 10;
    static constexpr int MaxPercent = 400;
    static constexpr int ActualSize = 100;
    /// A wheel's notch, in eighths of a degree.
    static constexpr int WheelNotch = 120;
    /// View pixels left free around the cards by "zoom to fit".
    static constexpr int FitMargin = 16;

    int Percent() const { return FPercent; }
    qreal Scale() const { return FPercent / 100.0; }

    /// Sets the scale, kept within the limits; true when it changed.
    bool SetPercent(int percent);
    /// The next step of the ladder above (In) or below (Out); true when the scale changed.
    bool StepIn();
    bool StepOut();
    /// A turn of the wheel, in eighths of a degree: a step for each notch. A fine-grained wheel
    /// (a touchpad) sends a notch in small parts, which add up to a step.
    bool Wheel(int angleDelta);

    /// The largest scale, never above actual size, at which `content` (canvas pixels) fits into
    /// a view of `view` pixels with a margin around it; a scale of at least the lower limit.
    static int FitPercent(const QRectF& content, QSize view);
    /// A stored percent as the zoom keeps it: within the limits, actual size when it is not one.
    static int Clamped(int percent);

private:
    int FPercent = ActualSize;
    int FWheelRest = 0; ///< eighths of a degree turned towards the next step
};
