#pragma once

#include <QString>

/// Where the program finds what it ships and keeps what it writes, settled once at start-up and
/// handed to the code that reads or writes there. Every folder ends with "/".
struct ProgramFolders {
    static inline const QString SettingsFileName = QStringLiteral("Nodex.ini");

    /// Made only by Portable() or Packaged(): a brace list of paths would fill the folders in
    /// the order they are declared, silently.
    ProgramFolders() = default;

    /// What ships with the program: Themes/, Languages/, Help/, Templates/, Thesaurus/, icons.
    QString Data;
    QString Settings; ///< the folder of the settings file
    /// The spelling configuration and the custom word list; dictionaries put here come first.
    QString Spelling;
    QString Backups; ///< the project backups, the automatic ones in Automatic/
    QString Recovery; ///< the unsaved texts of open editors, a folder per project
    QString Views;    ///< how each project was last looked at (zoom, scroll), a file per project
    /// Installed from a package: the writer's folders are made when first written, and the
    /// package, not the program, tells the desktop about the file types.
    bool Installed = false;

    QString SettingsFile() const { return Settings + SettingsFileName; }

    /// Makes one of the writer's folders before an installed program first writes there. A
    /// portable program's folders come with it: one that is missing stays missing, and the write
    /// says so.
    void Prepare(const QString& folder) const;

    /// A program run where it lies keeps everything in its own folder.
    static ProgramFolders Portable(const QString& programFolder);
    /// A program installed in <prefix>/bin reads its data from <prefix>/share/nodex and keeps what
    /// it writes in a "nodex" folder under the user's XDG folders: settings in the config home,
    /// the word list in the data home, backups, unsaved texts and views in the state home.
    static ProgramFolders Packaged(const QString& programFolder);
};
