#include "platform/WindowBounds.h"

#include "platform/IniFile.h"

WindowPlacement ReadWindowBounds(
    const IniFile& file, const QString& section, WindowPlacement defaults)
{
    defaults.Top = file.ReadInteger(section, "Top", defaults.Top);
    defaults.Left = file.ReadInteger(section, "Left", defaults.Left);
    defaults.Width = file.ReadInteger(section, "Width", defaults.Width);
    defaults.Height = file.ReadInteger(section, "Height", defaults.Height);
    return defaults;
}

void WriteWindowBounds(IniFile& file, const QString& section, const WindowPlacement& bounds)
{
    file.WriteInteger(section, "Top", bounds.Top);
    file.WriteInteger(section, "Left", bounds.Left);
    file.WriteInteger(section, "Width", bounds.Width);
    file.WriteInteger(section, "Height", bounds.Height);
}
