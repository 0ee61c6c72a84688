#pragma once

#include <QString>

/// The application settings the main window holds for the other windows.
struct AppSettings {
    QString LanguageFile = QStringLiteral("English.ini");
    bool DescriptiveHints = false;
    int EditMemory = 1;
    bool SelectNextLink = true;
    bool AutoSave = false;
    int AutoSaveInterval = 15;
    bool StayOnTop = false;
    QString EditorFontName;
    int EditorFontSize = 11;
};
