#pragma once

#include "canvas/Theme.h"

#include <QString>

#include <array>
#include <functional>

class IniFile;
class CanvasScene;
class TNodex;

/// Applies themes to the canvas and its cards: the built-in theme or a theme file from the
/// program's "Themes/" folder with its icon folder.
class ThemeApplier {
public:
    ThemeApplier(Theme& theme, CanvasScene& canvas, QString appFolder);

    /// Reads and applies "Themes/" + `themeName`; any failure applies the built-in theme
    /// instead, silently (the reason goes to the "nodex.theme" log). A theme file that does not
    /// exist reads like an empty one.
    void LoadTheme(const QString& themeName);
    /// Applies the built-in theme to the fields and every card; the canvas colour stays.
    void ApplyThemeDefaults();
    /// Gives one card its icon, size and colours, and re-lays the lines into and out of it.
    void ApplyThemeToCard(TNodex& card) const;
    /// Gives one card the marker of its revision state.
    void ApplyStateMarker(TNodex& card) const;

    /// Called whenever the state names change, so that the menus show them.
    std::function<void()> StateCaptionsChanged;

private:
    bool ReadThemeFile(const QString& themeName, QString& error);
    bool ReadIcons(const IniFile& file, const QString& iconFolder, QString& error);
    void ApplyBuiltInValues();
    void RethemeCards(bool withMarkers);

    Theme& FTheme;
    CanvasScene& FCanvas;
    QString FAppFolder;
    std::array<ThemePicture, TypeCount> FBuiltIn;
};
