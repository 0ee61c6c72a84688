#pragma once

#include <QPixmap>
#include <QString>
#include <QStringList>

#include <array>
#include <functional>

class IniFile;
class TCanvas;
class TNodex;

/// One type's icon: its picture and the width (and height) of the cards that show it.
struct ThemePicture {
    QPixmap Picture;
    int Width = 48;
};

/// Type codes: 0 is the Compilation card, 1 to 12 the user types; 1 is the base type.
constexpr int CompilationType = 0;
constexpr int TypeCount = 13;
constexpr int StateCount = 6;

/// The theme in force: how the project looks and what its types and states are called.
struct Theme {
    QString DefaultTheme = QStringLiteral("Book.ini");
    QString ThemeName = QStringLiteral("Book.ini");
    bool ThemeLoaded = false;
    QString BackgroundColour = QStringLiteral("FFFFFF");
    QString TextColour = QStringLiteral("000000");
    QString SelectedColour = QStringLiteral("FF0000");
    QString EditingColour = QStringLiteral("0000FF");
    QString LabelColour = QStringLiteral("FFFFFF");
    QString LineColour = QStringLiteral("DDDDDD");
    bool LabelTransparent = true;
    QStringList TypeNames;   ///< names of type codes 1 to 12
    QString StateTitle;      ///< caption of the revision-state submenu
    QStringList StateNames;  ///< names of states 0 to 5; empty names are not offered
    QStringList StateMarkers; ///< marker shown after a card's name per state; "*" shows none
    int NextCardType = 1;    ///< type pre-selected for the next new card
    /// The theme's pictures by type code; copies of the built-in ones where it names none.
    std::array<ThemePicture, TypeCount> ThemeImages;
};

/// Applies themes to the canvas and its cards: the built-in theme or a theme file from the
/// program's "Themes/" folder with its icon folder.
class ThemeApplier {
public:
    ThemeApplier(Theme& theme, TCanvas& canvas, QString appFolder);

    /// Reads and applies "Themes/" + `themeName`; any failure applies the built-in theme
    /// instead, silently. A theme file that does not exist reads like an empty one.
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
    bool ReadThemeFile(const QString& themeName);
    bool ReadIcons(const IniFile& file, const QString& iconFolder);
    void ApplyBuiltInValues();

    Theme& FTheme;
    TCanvas& FCanvas;
    QString FAppFolder;
    std::array<ThemePicture, TypeCount> FBuiltIn;
};
