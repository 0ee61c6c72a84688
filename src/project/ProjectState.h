#pragma once

#include "platform/AsciiCase.h"
#include "platform/ProgramFolders.h"

#include <QDate>
#include <QString>

/// The open project's state as the main window keeps it: where it lives and the options its
/// project file keeps. Whether it has unsaved changes is the undo stack's to say.
struct ProjectState {
    static inline const QString Unnamed = QStringLiteral("unnamed");

    ProgramFolders Folders; ///< where the program's data, settings and backups are
    QString ProjectFolder;  ///< the open project's folder, with a trailing "/"
    QString ProjectFileName = Unnamed; ///< with its extension; "unnamed" when none is open
    bool ProjectOnDisk = false;
    bool PristineWorkspace = true;
    int WorkspaceSize = 0;
    int TargetWordCount = 0;
    bool BoldBaseType = false;
    int Zoom = 100; ///< the canvas's scale in percent, kept in the project file
    int DailyTarget = 0;   ///< words a day; none when 0
    int SessionTarget = 0; ///< words a session; none when 0
    QDate Deadline;        ///< for the target word count; none when invalid

    /// No project is open: the file name is "unnamed" in any letter case.
    bool IsUnnamed() const { return SameIgnoringAsciiCase(ProjectFileName, Unnamed); }
};
