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
#include "project/ProjectFolder.h"
#include "project/ProjectState.h"
#include "project/ProjectView.h"
#include "platform/NativeName.h"
#include "settings/MRUFiles.h"

#include <QDir>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QUndoStack>

Q_LOGGING_CATEGORY(lcSession, "nodex.session")

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
    KeepView();
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
    RestoreView();
    FOutsideChanges.Follow(FProject.ProjectFolder);
    CaptionChanged();
    WarnSharedFolder();
    return true;
}

void ProjectSession::SaveProject()
{
    if (FStore.ProjectFolderGone()) {
        TellFolderGone();
        return;
    }
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
    KeepView();
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
    FProject.DailyTarget = 0;
    FProject.SessionTarget = 0;
    FProject.Deadline = {};
    if (StoryShown)
        StoryShown(false, false);
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

void ProjectSession::TellFolderGone()
{
    const QString folder = QDir::toNativeSeparators(QDir::cleanPath(FProject.ProjectFolder));
    if (FDialogs.AskOkCancel(FMessages.Text(MessageKey::PROJECT_FOLDER_GONE).arg(folder) + "\n\n"
                             + FMessages.Text(MessageKey::SAVE_ELSEWHERE))
        && SaveAsWanted)
        SaveAsWanted();
}

void ProjectSession::KeepView()
{
    if (!FProject.ProjectOnDisk || FStore.ProjectFolderGone()
        || !QFileInfo(FProject.ProjectFolder + FProject.ProjectFileName).isFile())
        return;
    const ProjectView view(FProject.Folders.Views, FProject.ProjectFolder, FProject.ProjectFileName);
    WriteView(view, view.Read().value_or(ProjectViewData {}));
}

void ProjectSession::WriteView(const ProjectView& view, ProjectViewData data)
{
    data.Zoom = FView->ZoomPercent();
    data.Corner = FView->ShownCorner();
    data.DescriptionsShown = FCanvas->DescriptionsShown();
    data.WordCountsShown = FCanvas->WordCountsShown();
    if (OutlineShown)
        data.OutlineShown = OutlineShown();
    // The view is the program's own small note: its folder is made, also beside a portable program.
    QDir().mkpath(FProject.Folders.Views);
    QString reason;
    if (!view.Write(data, reason))
        qCInfo(lcSession).noquote() << "The view is not kept:" << reason;
}

void ProjectSession::RestoreView()
{
    const std::optional<ProjectViewData> kept
        = ProjectView(FProject.Folders.Views, FProject.ProjectFolder, FProject.ProjectFileName).Read();
    FView->RestoreZoom(kept && !kept->ProjectNewer ? kept->Zoom : FProject.Zoom);
    if (kept)
        FView->ShowCorner(kept->Corner);
    if (StoryShown)
        StoryShown(kept && kept->DescriptionsShown, kept && kept->WordCountsShown);
    if (ShowOutline)
        ShowOutline(kept && kept->OutlineShown);
}

void ProjectSession::WarnSharedFolder()
{
    QStringList others;
    for (const QString& fileName : ProjectFileNames(FProject.ProjectFolder))
        if (fileName != FProject.ProjectFileName)
            others << fileName;
    const ProjectView view(FProject.Folders.Views, FProject.ProjectFolder, FProject.ProjectFileName);
    ProjectViewData data = view.Read().value_or(ProjectViewData {});
    if (others.isEmpty() || data.SharedTold == others.join('\n'))
        return;
    QStringList names;
    for (const QString& fileName : others)
        names << "'" + ReadableName(fileName) + "'";
    FDialogs.ShowInformation(FMessages.Text(MessageKey::PROJECTS_SHARE_FOLDER).arg(ShortList(names)));
    // Told once: the note is kept with the view.
    data.SharedTold = others.join('\n');
    WriteView(view, data);
}
