#pragma once

#include <QString>

class IniFile;

/// Where a window stands, as a project file, the settings or a card file keep it. The values may
/// come from a damaged file, so they are kept as read and fitted to the screen only when applied.
struct WindowPlacement {
    bool Maximised = false;
    bool HasBounds = false; ///< the bounds apply (a project file applies them only with a Top)
    int Left = -1;
    int Top = -1;
    int Width = -1;
    int Height = -1;
};

/// A window's bounds from a section of a settings, project or card file: Top, Left, Width and
/// Height; a missing key keeps the value of `defaults`, as does everything else.
WindowPlacement ReadWindowBounds(
    const IniFile& file, const QString& section, WindowPlacement defaults);
/// Writes a window's bounds to a section, in that order.
void WriteWindowBounds(IniFile& file, const QString& section, const WindowPlacement& bounds);
