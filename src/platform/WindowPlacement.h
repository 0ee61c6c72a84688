#pragma once

#include "platform/WindowBounds.h"

#include <QRect>
#include <QString>

/// The smallest window a stored size can give, so that the menus stay reachable.
inline constexpr QSize MinimumWindowSize{320, 240};

/// Fits stored window bounds to the available screen area: the window with its `frame` (the
/// frame's extra width and height) no larger than the area, its inside not smaller than
/// MinimumWindowSize, and the whole moved onto it. Any int is taken, without overflow. The
/// result is the frame's position with the size of the inside, as move() and resize() take them.
QRect FitToScreen(const WindowPlacement& placement, const QRect& available, QSize frame);

class QWidget;

/// Puts a window where stored bounds say (when they apply), fitted to the screen they would
/// stand on, frame included; the maximised state is left to the caller.
void PlaceWindow(QWidget& window, const WindowPlacement& placement);

