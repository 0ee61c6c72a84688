#include "editor/EditorPlacement.h"

#include "platform/IniFile.h"

namespace {
const QString PlacementSection = QStringLiteral("EditWindow");
} // namespace

WindowPlacement ReadEditorPlacement(const QString& path)
{
    IniFile file(path);
    QString error;
    file.Load(error, IniFile::MaxSettingsBytes);
    WindowPlacement placement
        = ReadWindowBounds(file, PlacementSection, { false, true, 100, 80, 600, 400 });
    placement.Maximised = file.ReadBool(PlacementSection, "Maximised", false);
    return placement;
}

bool WriteEditorPlacement(const QString& path, const WindowPlacement& placement, QString& error)
{
    IniFile file(path);
    if (!file.Load(error, IniFile::MaxSettingsBytes))
        return false;
    file.WriteBool(PlacementSection, "Maximised", placement.Maximised);
    WriteWindowBounds(file, PlacementSection, placement);
    return file.Save(error);
}
