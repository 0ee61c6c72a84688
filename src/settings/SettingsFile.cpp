#include "settings/SettingsFile.h"

#include "platform/ConfinedName.h"
#include "platform/IniFile.h"
#include "settings/Options.h"

#include <algorithm>

AppSettings ReadSettings(const IniFile& file, const QString& defaultFont, QString& defaultTheme)
{
    AppSettings s;
    s.EditorFontName = defaultFont;
    // A file name that would leave its folder is no file of the program's: the default stands.
    const auto fileName = [&](const QString& key, const QString& fallback) {
        const QString name = file.ReadString("Application", key, fallback);
        return StaysInFolder(name) ? name : fallback;
    };
    s.Language = fileName("Language", s.Language);
    defaultTheme = fileName("DefaultTheme", defaultTheme);
    s.DescriptiveHints = file.ReadBool("Application", "DescriptiveHints", s.DescriptiveHints);
    s.EditorPlacement = EditMemoryFrom(file.ReadInteger("Application", "EditMemory", int(s.EditorPlacement)));
    s.SelectNextLink = file.ReadBool("Application", "SelectNextLink", s.SelectNextLink);
    s.AutoSave = file.ReadBool("Application", "AutoSave", s.AutoSave);
    // An interval below a minute would save without pause.
    s.AutoSaveInterval = std::clamp(file.ReadInteger("Application", "AutoSaveInterval", s.AutoSaveInterval), 1, 24 * 60);
    s.AutomaticBackups = std::clamp(file.ReadInteger("Application", "AutomaticBackups", s.AutomaticBackups), 0, MostAutomaticBackups);
    s.StayOnTop = file.ReadBool("Editor", "StayOnTop", s.StayOnTop);
    s.EditorFontName = file.ReadString("Editor", "FontName", s.EditorFontName);
    s.EditorFontSize = std::clamp(file.ReadInteger("Editor", "FontSize", s.EditorFontSize), 4, 200);
    s.Window = ReadWindowBounds(file, "AppWindow", s.Window);
    s.Window.Maximised = file.ReadBool("AppWindow", "Maximised", s.Window.Maximised);
    return s;
}

void WriteSettings(IniFile& file, const AppSettings& s, const QString& defaultTheme, bool writeBounds)
{
    file.WriteString("Application", "Language", s.Language);
    file.WriteString("Application", "DefaultTheme", defaultTheme);
    file.WriteBool("Application", "SelectNextLink", s.SelectNextLink);
    file.WriteBool("Application", "DescriptiveHints", s.DescriptiveHints);
    file.WriteInteger("Application", "EditMemory", int(s.EditorPlacement));
    file.WriteBool("Application", "AutoSave", s.AutoSave);
    file.WriteInteger("Application", "AutoSaveInterval", s.AutoSaveInterval);
    file.WriteInteger("Application", "AutomaticBackups", s.AutomaticBackups);
    file.WriteBool("Editor", "StayOnTop", s.StayOnTop);
    file.WriteString("Editor", "FontName", s.EditorFontName);
    file.WriteInteger("Editor", "FontSize", s.EditorFontSize);
    file.WriteBool("AppWindow", "Maximised", s.Window.Maximised);
    if (writeBounds)
        WriteWindowBounds(file, "AppWindow", s.Window);
}

EditMemory EditMemoryFrom(int stored)
{
    return stored == 0 ? EditMemory::RememberAll : stored == 1 ? EditMemory::Single : EditMemory::None;
}
