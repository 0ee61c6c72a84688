#include "canvas/CardPlacement.h"

#include <algorithm>

namespace {
/// The room left between a card and the one put beside it, so that their labels do not touch.
constexpr int Gap = 16;
/// How many places along each side are tried before the first one is taken anyway.
constexpr int Tries = 8;
} // namespace

QPoint PlaceBeside(const QRect& card, const QList<QRect>& others, int canvasWidth)
{
    const int step = card.width() + Gap;
    const int rightmost = std::max(0, canvasWidth - card.width());
    const auto free = [&](int left) {
        const QRect place(QPoint(left, card.top()), card.size());
        return std::none_of(others.begin(), others.end(),
            [&](const QRect& other) { return other.intersects(place); });
    };
    for (const int direction : { 1, -1 }) {
        for (int k = 1; k <= Tries; ++k) {
            const int left = card.left() + direction * k * step;
            if (left < 0 || left > rightmost)
                break;
            if (free(left))
                return { left, card.top() };
        }
    }
    return { std::clamp(card.left() + step, 0, rightmost), card.top() };
}
