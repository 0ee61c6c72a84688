#pragma once

#include "platform/WindowBounds.h"

struct AppSettings;
struct ProjectState;
struct Theme;
class QMainWindow;
class TMRUFiles;

/// The program's settings file and the main window's place: the settings and the recent files
/// read at start and written on leaving, and the window placed as the settings or a project
/// keep it.
class SettingsKeeper {
public:
    SettingsKeeper(QMainWindow& window, AppSettings& settings, TMRUFiles& recentFiles, Theme& theme,
        const ProjectState& project);

    /// Reads "Nodex.ini" into the settings and places the window as it keeps it.
    void LoadSettings();
    /// Writes every setting to "Nodex.ini"; the window's bounds only for the unnamed workspace.
    void SaveSettings();
    /// Where the window stands now, as a project file keeps it.
    WindowPlacement CurrentPlacement() const;
    /// Places the window as stored, fitted to the screen it would stand on.
    void ApplyPlacement(const WindowPlacement& placement);

private:
    QMainWindow& FWindow;
    AppSettings& FSettings;
    TMRUFiles& FRecentFiles;
    Theme& FTheme;
    const ProjectState& FProject;
};
