#pragma once

#include <QString>

class Shell;

/// Where the desktop learns about the two file types, under the user's data folder
/// ($XDG_DATA_HOME, else ~/.local/share).
struct FileTypePaths {
    QString MimePackage;  ///< mime/packages/nodex.xml
    QString DesktopEntry; ///< applications/nodex.desktop
    QString Icons;        ///< icons/, where hicolor/<size>/mimetypes/ holds the file-type icons
};
FileTypePaths FileTypeLocations();

/// The desktop entry's Exec line: the program's full path in quotes, escaped as desktop
/// entries want ("$" and "%" included), then the placeholder for the file to open.
QString DesktopExecLine(const QString& programPath);

/// Registers ".nodex" project files (opened by the program) and ".ndx" card files (shown with
/// their icon only) with the desktop: the shared-MIME-info file (written when it is not ours as
/// it stands), the two file-type icons (installed when missing) and the desktop entry (written
/// the first time; later, when the program has moved, only its Exec line is rewritten). The desktop's database tools are started, detached, when something was written and
/// they are installed. Failing to write changes nothing else; the reason goes to the log.
void RegisterFileTypes(const QString& dataFolder, const QString& programPath, Shell& shell);
