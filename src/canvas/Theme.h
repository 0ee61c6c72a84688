#pragma once

#include "canvas/LineStyle.h"
#include "project/ThemeFile.h"

#include <QPixmap>
#include <QString>
#include <QStringList>

#include <array>

/// One type's icon: its picture and the width (and height) of the cards that show it.
struct ThemePicture {
    QPixmap Picture;
    int Width = 48;
};

/// Type codes: 0 is the Compilation card, 1 to 12 the user types; 1 is the base type.
constexpr int CompilationType = 0;
constexpr int TypeCount = 13;
constexpr int StateCount = 6;

/// The theme in force: how the project looks and what its types and states are called. The
/// member initialisers are the built-in theme, and so the default of every theme key.
struct Theme {
    QString DefaultTheme = BuiltInThemeName; ///< the theme loaded at start
    QString ThemeName = BuiltInThemeName;    ///< the theme in use
    bool ThemeLoaded = false;                ///< a theme file was read (else: the built-in one)
    QString BackgroundColour = QStringLiteral("FFFFFF");
    QString TextColour = QStringLiteral("000000");
    QString SelectedColour = QStringLiteral("FF0000");
    QString EditingColour = QStringLiteral("0000FF");
    QString LabelColour = QStringLiteral("FFFFFF");
    QString LineColour = QStringLiteral("DDDDDD");
    LineStyle Lines; ///< how thick link lines and their end dots are drawn
    bool LabelTransparent = true;
    /// Names of type codes 1 to 12; "&" marks the accelerator in menus.
    QStringList TypeNames = {"&Chapter", "&Scene", "&Male Character", "&Female Character",
        "&Dialogue", "&Plot Outline", "&Note", "&Project Notes", "", "", "", ""};
    QString StateTitle = QStringLiteral("&Revision Status"); ///< caption of the state submenu
    /// Names of states 0 to 5; empty names are not offered.
    QStringList StateNames = {"&Draft", "&Revised", "&Completed", "", "", ""};
    /// Marker shown after a card's name per state; "*" shows none.
    QStringList StateMarkers = {"*", "(R)", "(C)", "*", "*", "*"};
    int NextCardType = 1; ///< type pre-selected for the next new card
    /// The theme's pictures by type code; copies of the built-in ones where it names none.
    std::array<ThemePicture, TypeCount> ThemeImages;

    /// Whether the theme names a revision state; a card of an unnamed one shows the first.
    bool StateNamed(int state) const
    {
        return state >= 0 && state < StateNames.size() && !StateNames[state].isEmpty();
    }
};

/// The built-in theme's values.
const Theme& BuiltInTheme();
