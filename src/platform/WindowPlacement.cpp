#include "platform/WindowPlacement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <algorithm>

namespace {
qint64 Clamped(qint64 value, qint64 low, qint64 high) { return std::max(low, std::min(value, high)); }
} // namespace

QRect FitToScreen(const WindowPlacement& placement, const QRect& available, QSize frame)
{
    const qint64 areaWidth = std::max(available.width() - frame.width(), 1);
    const qint64 areaHeight = std::max(available.height() - frame.height(), 1);
    const qint64 width = Clamped(placement.Width, std::min<qint64>(MinimumWindowSize.width(), areaWidth), areaWidth);
    const qint64 height = Clamped(placement.Height, std::min<qint64>(MinimumWindowSize.height(), areaHeight), areaHeight);
    const qint64 left = Clamped(placement.Left, available.left(), available.left() + areaWidth - width);
    const qint64 top = Clamped(placement.Top, available.top(), available.top() + areaHeight - height);
    return QRect(int(left), int(top), int(width), int(height));
}

void PlaceWindow(QWidget& window, const WindowPlacement& placement)
{
    if (!placement.HasBounds)
        return;
    // Clamped first: a corner read from a damaged file is far off any screen.
    const QPoint corner(int(Clamped(placement.Left, -65536, 65536)), int(Clamped(placement.Top, -65536, 65536)));
    const QScreen* target = QGuiApplication::screenAt(corner);
    if (!target)
        target = window.screen() ? window.screen() : QGuiApplication::primaryScreen();
    const QRect bounds = FitToScreen(placement, target->availableGeometry(), window.frameGeometry().size() - window.size());
    window.move(bounds.topLeft());
    window.resize(bounds.size());
}
