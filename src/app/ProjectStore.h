#pragma once

#include <QString>

struct CardFileData;
class TfmMain;
class TNodex;

/// Opens a project into the main window and saves it back: the project file and one card file
/// per card, key by key, so that keys written by others survive.
class ProjectStore {
public:
    explicit ProjectStore(TfmMain& main);

    /// Loads the project file at `path` (".nodex" is added when it has no extension) with all its
    /// cards. False, after a message, when it is not a project, is missing, or cannot be read;
    /// a failure while loading leaves an empty unnamed workspace.
    bool OpenProject(const QString& path);
    /// Writes the project file and every card file. Unsaved changes stay marked when the
    /// project file (or a card file) could not be written, so that nothing is lost silently.
    void SaveProject();
    /// Writes one card file; false, after a message, when that failed.
    bool SaveCard(TNodex& card);

private:
    bool LoadProject();
    void LoadCard(const QString& name, const CardFileData& data);
    bool WriteProject();

    TfmMain& FMain;
};
