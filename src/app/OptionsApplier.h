#pragma once

#include "messages/LanguageFile.h"
#include "steps/ProjectOptionsStep.h"

#include <functional>

struct AppSettings;
struct EditorContext;
struct MainMenus;
struct OptionValues;
struct ProjectState;
struct Theme;
class CanvasFollower;
class CanvasScene;
class CanvasView;
class CardCommands;
class Dialogs;
class EditorCommands;
class MessageTable;
class QUndoStack;
class SettingsKeeper;
class TfmOptions;
class ThemeApplier;

/// Tools > Options and the language: takes what the options dialog says into the settings, the
/// canvas and the open editors (the project's own options as a step to undo), and translates
/// every window from the language file the settings name.
class OptionsApplier {
public:
    OptionsApplier(AppSettings& settings, Theme& theme, ThemeApplier& themes, ProjectState& project,
        CanvasScene& canvas, CanvasView& view, CanvasFollower& follower, QUndoStack& steps,
        CardCommands& cards, EditorCommands& editors, EditorContext& editorContext,
        SettingsKeeper& settingsFile, MainMenus& menus, Dialogs& dialogs, MessageTable& messages);

    /// The options dialog, made after the main window.
    void SetOptionsDialog(TfmOptions& dialog) { fmOptions = &dialog; }
    /// The windows a language file translates, made after the main window.
    void SetTranslatedWindows(TranslatedWindows windows)
    {
        FTranslatedWindows = std::move(windows);
    }

    /// Tools > Options: the settings and the project's options through the options dialog.
    void mnuOptionsClick();
    /// Translates every window and message from the language file the settings name; without
    /// that file everything stays as it is.
    void ApplyLanguage();
    /// The language once, when the window is first shown and every translated window exists.
    void ApplyLanguageOnce();
    /// The state submenu's captions from the theme's state names.
    void ApplyStateCaptions();

    /// The canvas is to be sized again from the workspace size.
    std::function<void()> WorkspaceResized;
    /// The caption and the menus are to be brought up to date.
    std::function<void()> CaptionChanged;

private:
    OptionValues CurrentOptions() const;
    /// Takes the options of a dialog closed with OK into the program, and writes the settings.
    void ApplyOptions(const OptionValues& options);
    /// The project's options as they are now, and applied from a step.
    ProjectOptions CurrentProjectOptions() const;
    void ApplyProjectOptions(const ProjectOptions& options);

    AppSettings& FSettings;
    Theme& FTheme;
    ThemeApplier& FThemes;
    ProjectState& FProject;
    CanvasScene& FCanvas;
    CanvasView& FView;
    CanvasFollower& FFollower;
    QUndoStack& FSteps;
    CardCommands& FCardCommands;
    EditorCommands& FEditorCommands;
    EditorContext& FEditorContext;
    SettingsKeeper& FSettingsFile;
    MainMenus& FMenus;
    Dialogs& FDialogs;
    MessageTable& FMessages;
    TfmOptions* fmOptions = nullptr;
    TranslatedWindows FTranslatedWindows;
    bool FLanguageApplied = false;
};
