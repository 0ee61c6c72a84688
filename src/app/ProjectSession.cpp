#include "app/ProjectSession.h"

#include "app/CompileCommands.h"
#include "app/OutsideChanges.h"
#include "app/SettingsKeeper.h"
#include "backup/RollingBackups.h"
#include "canvas/CanvasFollower.h"
#include "canvas/CanvasScene.h"
#include "canvas/CanvasState.h"
#include "canvas/CanvasView.h"
#include "canvas/Theme.h"
#include "canvas/ThemeApplier.h"
#include "messages/MessageTable.h"
#include "platform/Dialogs.h"
#include "platform/WaitCursor.h"
#include "project/ProjectLock.h"
#include "project/ProjectModel.h"
#include "project/ProjectState.h"
#include "settings/MRUFiles.h"

#include <QUndoStack>

namespace {
/// Names for a question, the first few of a long list, so that the box stays on the screen.
QString ShortList(const QStringList& names)
{
    constexpr qsizetype Shown = 10;
    QString list = names.mid(0, Shown).join(", ");
    if (names.size() > Shown)
        list += QStringLiteral(", … (%1)").arg(names.size());
    return list;
}
} // namespace

ProjectSession::ProjectSession(ProjectState& project, CanvasState& selection, Theme& theme, ThemeApplier& themes,
                               ProjectModel& model, CanvasScene& canvas, CanvasView& view, CanvasFollower& follower,
                               ProjectStore& store, QUndoStack& steps, TMRUFiles& recentFiles,
                               OutsideChanges& outside, RollingBackups& backups, CompileCommands& compiles,
                               SettingsKeeper& settingsFile, Dialogs& dialogs, const MessageTable& messages)
    : FProject(project)
    , FSelection(selection)
    , FTheme(theme)
    , FThemes(themes)
    , FModel(model)
    , FCanvas(&canvas)
    , FView(&view)
    , FFollower(&follower)
    , FStore(store)
    , FSteps(steps)
    , FRecentFiles(recentFiles)
    , FOutsideChanges(outside)
    , FRollingBackups(backups)
    , FCompileCommands(compiles)
    , FSettingsKeeper(settingsFile)
    , FDialogs(dialogs)
    , FMessages(messages)
{
}

bool ProjectSession::OpenProject(const QString& path)
{
    FRollingBackups.ProjectLeaving();
    ProjectStore::OpenSteps steps;
    steps.OpenLocked = [this](const QString& fileName, const LockOwner& owner) {
        return FDialogs.AskYesNoCancel(ProjectLock::Question(FMessages, fileName, owner)) == Answer::Yes;
    };
    steps.ProjectRead = [this](const ProjectFileData& data) {
        FTheme.ThemeName = data.ThemeName;
        if (!data.ThemeName.isEmpty())
            FThemes.LoadTheme(data.ThemeName);
        FFollower->SetBoldBaseType(data.BoldBaseType);
    };
    // Room for the farthest card first: a project made on a larger screen keeps its layout.
    steps.CardsRead = [this](QPoint farthest) { FCanvas->MakeRoomForPlacing(farthest); };
    steps.StateNamed = [this](int state) { return FTheme.StateNamed(state); };
    ProjectStore::Opened opened;
    {
        WaitCursor wait;
        opened = FStore.OpenProject(path, steps);
        if (opened.Result == ProjectStore::OpenResult::Opened)
            FCanvas->FitRoomToCards();
    }
    switch (opened.Result) {
    case ProjectStore::OpenResult::Refused:
        if (!opened.Information.isEmpty())
            FDialogs.ShowInformation(opened.Information);
        return false;
    case ProjectStore::OpenResult::Failed:
        FDialogs.ShowWarning(opened.Failure.Headline, opened.Failure.Reason);
        // No half-loaded project may remain.
        DropProject();
        return false;
    case ProjectStore::OpenResult::Opened:
        break;
    }
    FSteps.clear();
    FTheme.NextCardType = 1;
    FSelection.DoubleClickPending = false;
    FCompileCommands.ClearList();
    FRecentFiles.AddFile(FProject.ProjectFolder + FProject.ProjectFileName);
    FSettingsKeeper.ApplyPlacement(opened.Placement);
    WorkspaceResized();
    FView->RestoreZoom(FProject.Zoom);
    FOutsideChanges.Follow(FProject.ProjectFolder);
    CaptionChanged();
    return true;
}

void ProjectSession::SaveProject()
{
    QList<StoreMessage> failures;
    {
        WaitCursor wait;
        failures = FStore.SaveProject(FSettingsKeeper.CurrentPlacement(), FTheme.ThemeName, [this](const QStringList& cardNames) {
            return FDialogs.AskOkCancel(FMessages.Text(MessageKey::CARDS_CHANGED_ELSEWHERE).arg(ShortList(cardNames)));
        });
    }
    ShowFailures(failures);
    // Saved under another name, the project lives in another folder.
    if (FProject.ProjectOnDisk)
        FOutsideChanges.Follow(FProject.ProjectFolder);
    // What could not be written is still only in memory: it stays marked, so closing asks.
    if (failures.isEmpty())
        FSteps.setClean();
    FSelection.DoubleClickPending = false;
    CaptionChanged();
}

void ProjectSession::CloseProject()
{
    FRollingBackups.ProjectLeaving();
    DropProject();
}

void ProjectSession::DropProject()
{
    FOutsideChanges.Follow({});
    FStore.CloseProject();
    FSteps.clear();
    FCompileCommands.ClearList();
    FProject.WorkspaceSize = 0;
    WorkspaceResized();
    FView->RestoreZoom(CanvasZoom::ActualSize);
    FProject.ProjectOnDisk = false;
    FProject.ProjectFileName = ProjectState::Unnamed;
    ClearCanvas();
    FTheme.NextCardType = 1;
    FSelection.DoubleClickPending = false;
    FProject.TargetWordCount = 0;
    CaptionChanged();
}

void ProjectSession::ClearCanvas()
{
    FModel.Clear();
    FSelection.CurrentCard = nullptr;
    FSelection.SelectedCards.clear();
}

void ProjectSession::ShowFailures(const QList<StoreMessage>& failures)
{
    for (const StoreMessage& failure : failures)
        FDialogs.ShowWarning(failure.Headline, failure.Reason);
}
