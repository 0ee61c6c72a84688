#pragma once

#include "editor/EditorSettings.h"
#include "platform/WindowPlacement.h"

#include <QString>

/// The application's settings, kept in "Nodex.ini" beside the program. The member initialisers
/// are the defaults of a first start.
struct AppSettings {
    QString Language = QStringLiteral("English.ini"); ///< language file in "Languages/"
    bool DescriptiveHints = false;  ///< card descriptions show as tooltips
    EditMemory EditorPlacement = EditMemory::Single;
    bool SelectNextLink = true;     ///< a Ctrl-click link moves the selection along
    bool AutoSave = false;          ///< editors save their text on a timer
    int AutoSaveInterval = 15;      ///< minutes
    bool StayOnTop = false;         ///< editor windows stay above the main window
    QString EditorFontName;         ///< "Georgia" where installed, else "Arial"
    int EditorFontSize = 11;
    /// How many automatic backups of each project are kept; 0 makes none.
    int AutomaticBackups = 10;
    /// The main window of the unnamed workspace; a project brings its own.
    WindowPlacement Window{false, true, 50, 50, 700, 500};
};
