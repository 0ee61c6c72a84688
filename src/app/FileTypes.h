#pragma once

#include <QString>

class Shell;

/// Where the desktop learns about the two file types, under the user's data folder
/// ($XDG_DATA_HOME, else ~/.local/share).
struct FileTypePaths {
    QString MimePackage;  ///< mime/packages/nodex.xml
    QString DesktopEntry; ///< applications/nodex.desktop
};
FileTypePaths FileTypeLocations();

/// Registers ".nodex" project files (opened by the program) and ".ndx" card files (shown with
/// their icon only) with the desktop. The first time, writes the shared-MIME-info file and the
/// desktop entry; later, when the program has moved, rewrites only the desktop entry's Exec
/// line. The desktop's database tools are started, detached, when something was written and
/// they are installed. Failing to write changes nothing else; the reason goes to the log.
void RegisterFileTypes(const QString& appFolder, const QString& programPath, Shell& shell);
