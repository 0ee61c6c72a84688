#pragma once

#include <QRect>
#include <QString>

/// Where the main window stands, as a project file or the settings keep it. The values may come
/// from a damaged file, so they are kept as read and fitted to the screen only when applied.
struct WindowPlacement {
    bool Maximised = false;
    bool HasBounds = false; ///< the bounds apply (a project file applies them only with a Top)
    int Left = -1;
    int Top = -1;
    int Width = -1;
    int Height = -1;
};

/// The smallest window a stored size can give, so that the menus stay reachable.
inline constexpr QSize MinimumWindowSize{320, 240};

/// Fits stored window bounds to the available screen area: the window with its `frame` (the
/// frame's extra width and height) no larger than the area, its inside not smaller than
/// MinimumWindowSize, and the whole moved onto it. Any int is taken, without overflow. The
/// result is the frame's position with the size of the inside, as move() and resize() take them.
QRect FitToScreen(const WindowPlacement& placement, const QRect& available, QSize frame);

class IniFile;
class QWidget;

/// Puts a window where stored bounds say (when they apply), fitted to the screen they would
/// stand on, frame included; the maximised state is left to the caller.
void PlaceWindow(QWidget& window, const WindowPlacement& placement);

/// Writes a window's bounds as the settings and card files keep them: Top, Left, Width, Height.
void WriteWindowBounds(IniFile& file, const QString& section, const QRect& bounds);
