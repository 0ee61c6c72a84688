#include "canvas/CanvasZoom.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace {
// The scales the zoom keys stop at, as drawing programs and browsers offer them.
constexpr std::array<int, 18> Ladder
    = { 10, 15, 20, 25, 33, 50, 67, 75, 90, 100, 110, 125, 150, 175, 200, 250, 300, 400 };
static_assert(Ladder.front() == CanvasZoom::MinPercent && Ladder.back() == CanvasZoom::MaxPercent);
} // namespace

int CanvasZoom::Clamped(int percent)
{
    return std::clamp(percent, MinPercent, MaxPercent);
}

bool CanvasZoom::SetPercent(int percent)
{
    const int clamped = Clamped(percent);
    FWheelRest = 0;
    if (clamped == FPercent)
        return false;
    FPercent = clamped;
    return true;
}

bool CanvasZoom::StepIn()
{
    const auto next = std::upper_bound(Ladder.begin(), Ladder.end(), FPercent);
    return next != Ladder.end() && SetPercent(*next);
}

bool CanvasZoom::StepOut()
{
    const auto next = std::lower_bound(Ladder.begin(), Ladder.end(), FPercent);
    return next != Ladder.begin() && SetPercent(*std::prev(next));
}

bool CanvasZoom::Wheel(int angleDelta)
{
    // A turn back the other way starts afresh rather than first undoing the parts turned.
    if ((FWheelRest > 0 && angleDelta < 0) || (FWheelRest < 0 && angleDelta > 0))
        FWheelRest = 0;
    int rest = FWheelRest + angleDelta;
    bool changed = false;
    for (; rest >= WheelNotch; rest -= WheelNotch)
        changed = StepIn() || changed;
    for (; rest <= -WheelNotch; rest += WheelNotch)
        changed = StepOut() || changed;
    FWheelRest = rest;
    return changed;
}

int CanvasZoom::FitPercent(const QRectF& content, QSize view)
{
    const qreal width = view.width() - 2.0 * FitMargin;
    const qreal height = view.height() - 2.0 * FitMargin;
    if (content.isEmpty() || width <= 0 || height <= 0)
        return ActualSize;
    // Rounded down: the content must fit, and a percent more would overfill the view.
    const qreal scale = std::min(width / content.width(), height / content.height());
    return std::clamp(int(std::floor(scale * 100)), MinPercent, ActualSize);
}
