#include "app/OptionsApplier.h"

#include "app/CardCommands.h"
#include "app/EditorCommands.h"
#include "app/MainMenus.h"
#include "app/SettingsKeeper.h"
#include "app/UndoGate.h"
#include "canvas/CanvasFollower.h"
#include "canvas/CanvasScene.h"
#include "canvas/CanvasView.h"
#include "canvas/Nodex.h"
#include "canvas/Theme.h"
#include "canvas/ThemeApplier.h"
#include "editor/Editor.h"
#include "messages/MessageTable.h"
#include "platform/ConfinedName.h"
#include "platform/Dialogs.h"
#include "platform/IniFile.h"
#include "platform/NativeName.h"
#include "project/ProjectState.h"
#include "settings/AppSettings.h"
#include "settings/Options.h"
#include "settings/SettingsFile.h"

#include <QAction>
#include <QLoggingCategory>
#include <QMenu>
#include <QUndoStack>

Q_LOGGING_CATEGORY(lcLanguage, "nodex.main")

OptionsApplier::OptionsApplier(AppSettings& settings, Theme& theme, ThemeApplier& themes, ProjectState& project,
                               CanvasScene& canvas, CanvasView& view, CanvasFollower& follower, QUndoStack& steps,
                               CardCommands& cards, EditorCommands& editors, EditorContext& editorContext,
                               SettingsKeeper& settingsFile, MainMenus& menus, Dialogs& dialogs,
                               MessageTable& messages)
    : FSettings(settings)
    , FTheme(theme)
    , FThemes(themes)
    , FProject(project)
    , FCanvas(canvas)
    , FView(view)
    , FFollower(follower)
    , FSteps(steps)
    , FCardCommands(cards)
    , FEditorCommands(editors)
    , FEditorContext(editorContext)
    , FSettingsFile(settingsFile)
    , FMenus(menus)
    , FDialogs(dialogs)
    , FMessages(messages)
{
}

void OptionsApplier::ApplyLanguage()
{
    const QString path = FProject.Folders.Data + "Languages/" + FSettings.Language;
    if (!StaysInFolder(FSettings.Language) || KindOf(path) == FileKind::Missing)
        return;
    IniFile file(path);
    QString error;
    if (!file.Load(error, IniFile::MaxSettingsBytes)) {
        qCInfo(lcLanguage).noquote() << "The language file is not applied:" << error;
        return;
    }
    if (TfmEditor* editor = FEditorContext.TemplateEditor) {
        editor->LanguageName = LanguageName(FSettings.Language);
        editor->SpellDialogLanguage = SpellDialogLanguage(editor->LanguageName);
    }
    const MessageTable before = FMessages;
    ApplyLanguageFile(file, FTranslatedWindows, FMessages);
    UndoGate::RetranslateSteps(FSteps, before, FMessages);
    FMenus.ApplyOwnCaptions(FMessages);
    ApplyStateCaptions();
    CaptionChanged();
}

void OptionsApplier::mnuOptionsClick()
{
    if (fmOptions) {
        fmOptions->SetValues(CurrentOptions());
        if (FDialogs.RunModal(*fmOptions))
            ApplyOptions(fmOptions->Values());
    }
    CaptionChanged();
}

OptionValues OptionsApplier::CurrentOptions() const
{
    OptionValues options;
    options.LanguageFile = FSettings.Language;
    options.DefaultTheme = FTheme.DefaultTheme;
    options.ProjectTheme = FTheme.ThemeName;
    options.SelectNextLink = FSettings.SelectNextLink;
    options.Hints = FSettings.DescriptiveHints;
    options.EditMemory = int(FSettings.EditorPlacement);
    options.EditorsOnTop = FSettings.StayOnTop;
    options.FontName = FSettings.EditorFontName;
    options.FontSize = FSettings.EditorFontSize;
    options.AutoSave = FSettings.AutoSave;
    options.AutoSaveInterval = FSettings.AutoSaveInterval;
    options.AutomaticBackups = FSettings.AutomaticBackups;
    options.WorkspaceSize = FProject.WorkspaceSize;
    options.BoldBaseType = FProject.BoldBaseType;
    options.TargetWordCount = FProject.TargetWordCount;
    options.DailyTarget = FProject.DailyTarget;
    options.SessionTarget = FProject.SessionTarget;
    options.Deadline = FProject.Deadline;
    return options;
}

void OptionsApplier::ApplyOptions(const OptionValues& options)
{
    FSettings.EditorPlacement = EditMemoryFrom(options.EditMemory);
    FSettings.AutoSave = options.AutoSave;
    FSettings.AutoSaveInterval = options.AutoSaveInterval;
    FSettings.AutomaticBackups = options.AutomaticBackups;
    FSettings.DescriptiveHints = options.Hints;
    FView.SetShowHints(options.Hints);
    FSettings.SelectNextLink = options.SelectNextLink;
    FView.SetSelectNextLink(options.SelectNextLink);
    if (!options.LanguageFile.isEmpty() && options.LanguageFile != FSettings.Language) {
        FSettings.Language = options.LanguageFile;
        ApplyLanguage();
    }
    if (!options.DefaultTheme.isEmpty())
        FTheme.DefaultTheme = options.DefaultTheme;
    // What the project file keeps is a step of its own, to be undone like any other change.
    const ProjectOptions before = CurrentProjectOptions();
    ProjectOptions after = before;
    after.TargetWordCount = options.TargetWordCount;
    after.WorkspaceSize = options.WorkspaceSize;
    after.BoldBaseType = options.BoldBaseType;
    after.DailyTarget = options.DailyTarget;
    after.SessionTarget = options.SessionTarget;
    after.Deadline = options.Deadline;
    if (!options.ProjectTheme.isEmpty())
        after.ThemeName = options.ProjectTheme;
    if (after != before)
        FSteps.push(new ProjectOptionsStep(FCardCommands.Context(), before, after,
                                           [this](const ProjectOptions& applied) { ApplyProjectOptions(applied); }));
    // Editors opened from now on stay on top; those open keep their windowing.
    FSettings.StayOnTop = options.EditorsOnTop;
    FSettings.EditorFontName = options.FontName;
    FSettings.EditorFontSize = options.FontSize;
    FEditorCommands.ApplyOptionsToEditors();
    FSettingsFile.SaveSettings();
}

ProjectOptions OptionsApplier::CurrentProjectOptions() const
{
    return {FProject.TargetWordCount, FProject.WorkspaceSize, FProject.BoldBaseType, FTheme.ThemeName,
        FProject.DailyTarget, FProject.SessionTarget, FProject.Deadline};
}

void OptionsApplier::ApplyProjectOptions(const ProjectOptions& options)
{
    FProject.TargetWordCount = options.TargetWordCount;
    FProject.DailyTarget = options.DailyTarget;
    FProject.SessionTarget = options.SessionTarget;
    FProject.Deadline = options.Deadline;
    const bool resized = options.WorkspaceSize != FProject.WorkspaceSize;
    FProject.WorkspaceSize = options.WorkspaceSize;
    if (resized)
        WorkspaceResized();
    if (options.ThemeName != FTheme.ThemeName)
        FThemes.LoadTheme(options.ThemeName);
    FProject.BoldBaseType = options.BoldBaseType;
    FFollower.SetBoldBaseType(options.BoldBaseType);
    for (TNodex* card : FCanvas.Cards()) {
        card->SetBoldBaseType(options.BoldBaseType);
        // The canvas may have just shrunk.
        card->ClampToParent();
    }
    FEditorCommands.ApplyOptionsToEditors();
    CaptionChanged();
}

void OptionsApplier::ApplyLanguageOnce()
{
    if (!std::exchange(FLanguageApplied, true))
        ApplyLanguage();
}

void OptionsApplier::ApplyStateCaptions()
{
    // A theme that keeps the built-in English captions has not named them in a language of its
    // own: they follow the writer's language.
    const Theme& builtIn = BuiltInTheme();
    const auto caption = [this](const QString& theirs, const QString& builtInText, MessageKey key) {
        return theirs == builtInText ? FMessages.Text(key) : theirs;
    };
    FMenus.pmnuStateTitle->setTitle(caption(FTheme.StateTitle, builtIn.StateTitle, MessageKey::STATE_TITLE));
    static constexpr MessageKey namedStates[] = {MessageKey::STATE_DRAFT, MessageKey::STATE_REVISED,
                                                 MessageKey::STATE_COMPLETED};
    for (int state = 0; state < FMenus.pmnuState.size(); ++state) {
        QString name = state < FTheme.StateNames.size() ? FTheme.StateNames[state] : QString();
        if (state < int(std::size(namedStates)))
            name = caption(name, builtIn.StateNames[state], namedStates[state]);
        FMenus.pmnuState[state]->setText(name);
    }
}
