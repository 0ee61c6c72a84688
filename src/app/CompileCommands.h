#pragma once

#include <QString>
#include <functional>

struct CanvasState;
struct ProjectState;
class CanvasFollower;
class CanvasScene;
class CardCommands;
class EditorWindows;
class ProjectStore;
class TfmCompile;
class TfmFindAndCompile;

/// The commands that fill the compile list and show the compile window: Compile, Find &
/// Compile, To Compilation and Export Manuscript; the list follows renamed and deleted cards.
class CompileCommands {
public:
    CompileCommands(ProjectState& project, CanvasState& selection, CanvasScene& canvas,
        CanvasFollower& follower, ProjectStore& store, EditorWindows& editors, CardCommands& cards);

    /// The compile window and the Find & Compile dialog, made after the main window.
    void SetCompileWindows(TfmCompile& compile, TfmFindAndCompile& findAndCompile);
    /// Fills the compile list with the cards whose text holds `text`, then shows the list.
    void FindAndCompile(const QString& text, bool matchCase, bool clearList);
    void mnuCompileClick();
    /// Tools > Export Manuscript: the compile list as a manuscript, filled first when empty.
    void mnuExportManuscriptClick();
    void pmnuToCompilationClick();
    void mnuFindAndCompileClick();
    /// Empties the compile list, as a project that is opened or left starts without one.
    void ClearList();

    /// The compilation card may have been made: the caption and menus are brought up to date.
    std::function<void()> CardsChanged;

private:
    void ShowCompileWindow();

    ProjectState& FProject;
    CanvasState& FSelection;
    CanvasScene* FCanvas;
    CanvasFollower& FFollower;
    ProjectStore& FStore;
    EditorWindows& FEditors;
    CardCommands& FCardCommands;
    TfmCompile* fmCompile = nullptr;
    TfmFindAndCompile* fmFindAndCompile = nullptr;
};
