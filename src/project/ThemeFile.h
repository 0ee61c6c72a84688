#pragma once

#include <QString>

/// The program's theme folder, relative to the program's folder.
inline const QString ThemesFolder = QStringLiteral("Themes/");
/// The theme that the program, the settings and every project fall back to.
inline const QString BuiltInThemeName = QStringLiteral("Book.ini");
