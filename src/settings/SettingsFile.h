#pragma once

#include "settings/AppSettings.h"

class IniFile;

/// The section of the settings file that keeps the recent-files list.
inline const QString RecentFilesSection = QStringLiteral("MRUList");

/// Reads every settings key; a missing or unreadable value keeps its default. `defaultTheme`
/// receives the theme to load at start. `defaultFont` is the editor font of a first start.
AppSettings ReadSettings(const IniFile& file, const QString& defaultFont, QString& defaultTheme);

/// Writes every settings key in order; the window bounds only when `writeBounds` (the window is
/// neither maximised nor showing a project, whose file keeps its own bounds). Sections that
/// belong to other windows (the editor's and the compile window's places, the recent files)
/// stay as they are.
void WriteSettings(IniFile& file, const AppSettings& settings, const QString& defaultTheme,
                   bool writeBounds);

/// A stored editor placement mode: 0 and 1 as they are, anything else (negative too) 2.
EditMemory EditMemoryFrom(int stored);
