#pragma once

#include "platform/WindowBounds.h"
#include "project/ThemeFile.h"

#include <QDate>
#include <QString>

class IniFile;

// The project file and card file formats: plain records read from and written to INI files,
// key by key, so that keys this program does not write survive every save.

/// The writer's goals a project file keeps beside its target word count.
struct ProjectGoals {
    int DailyTarget = 0;   ///< words a day; none when 0
    int SessionTarget = 0; ///< words a session; none when 0
    QDate Deadline;        ///< for the target word count; none when invalid

    bool operator==(const ProjectGoals&) const = default;
};

/// The keys of a project file.
struct ProjectFileData {
    WindowPlacement Window; ///< its bounds apply when the file has a Top
    int TargetWordCount = 0;
    bool BoldBaseType = true;
    int Size = 0; ///< 0 screen-sized, 1 twice and 2 four times the screen
    QString ThemeName = BuiltInThemeName;
    int Zoom = 100; ///< the canvas's scale in percent, as stored; the canvas keeps it in range
    ProjectGoals Goals;
};

/// The keys of a card file; the type as stored, one less than in memory.
struct CardFileData {
    int StoredType = 0;
    int State = 0;
    int Left = 100;
    int Top = 100;
    QString Description;
    QString LinkToName;

    bool operator==(const CardFileData&) const = default;
};

ProjectFileData ReadProjectFile(const IniFile& file);
/// Writes every project key; the window bounds only when the window is not maximised, so the
/// bounds from before it was maximised stay in the file; the zoom only when the canvas is
/// zoomed or the file has it already, so a project never zoomed keeps its bytes; the goals, alike,
/// only once one is set or the file has them.
void WriteProjectFile(IniFile& file, const ProjectFileData& data);

CardFileData ReadCardFile(const IniFile& file);
/// Writes the five keys of the card itself in order, without its link: what a card copied into
/// another project arrives with.
void WriteCardState(IniFile& file, const CardFileData& data);
/// Writes the six card keys in order; other sections (an editor's window placement) stay.
void WriteCardFile(IniFile& file, const CardFileData& data);

/// -1 is the Compilation card, 0 to 11 the user types 1 to 12; anything else the first type.
int StoredTypeToType(int stored);
/// The inverse; a type outside 0 to 12 is stored as the first type.
int TypeToStoredType(int type);
/// States 0 to 5 are stored as they are, anything else as 0.
int StateToStored(int state);
/// The workspace size setting: 1 or 2 as they are, anything else 0.
int WorkspaceSizeFrom(int stored);

/// Whether a file name is a card file's: it ends in ".ndx" in any letter case (a project made on
/// a file system that ignores case may spell it ".NDX") and has a name before it.
bool IsCardFileName(const QString& fileName);
/// The card name of a card file name: the file name without its final ".ndx", so that a card
/// may itself be called "A.ndx.bak".
QString CardNameOfFile(const QString& fileName);
