#include "app/Main.h"
#include "app/SyncConflictNotice.h"

#include "settings/FileTypes.h"
#include "app/WorkspaceSize.h"
#include "app/WordCountCommands.h"
#include "canvas/CanvasScene.h"
#include "app/FindInProjectCommands.h"
#include "app/OutlineCommands.h"
#include "app/StatisticsCommands.h"
#include "canvas/CanvasFollower.h"
#include "canvas/CanvasView.h"
#include "canvas/Nodex.h"
#include "platform/Dialogs.h"
#include "platform/Shell.h"
#include "project/ProjectPaths.h"
#include "settings/About.h"
#include "editor/WordCount.h"
#include "messages/MessageTable.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QCursor>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHash>
#include <QKeyEvent>
#include <QLayout>
#include <QMenu>
#include <QScreen>
#include <QStatusBar>

namespace {
constexpr int TitleLimit = 50;
} // namespace

TfmMain::TfmMain(const ProgramFolders& folders, Dialogs& dialogs, Shell& shell, MessageTable& messages,
                 int splashDraw)
    : FDialogs(dialogs)
    , FShell(shell)
    , FMessages(messages)
    , FEditorContext(folders, dialogs, shell, messages)
    , FCanvas(new CanvasScene(this))
    , FView(new CanvasView(FCanvas, FSelection, this))
    , FThemes(FTheme, *FCanvas, folders.Data)
    , FFollower(new CanvasFollower(FModel, *FCanvas, FThemes))
    , FStore(FProject, FModel, messages)
    , FCardCommands(FProject, FSelection, FModel, *FFollower, FTheme, FStore, FEditors, FSteps, dialogs, messages)
    , FProjectCommands(FProject, *this, dialogs, messages)
    , FBackupCommands(FProject, FSelection, FModel, FStore, dialogs, messages)
    , FOutsideChanges(FStore, FEditors, FSteps, [this](int state) { return FTheme.StateNamed(state); })
    , FRollingBackups(FProject, FSettings)
    , FSettingsKeeper(*this, FSettings, FRecentFiles, FTheme, FProject)
    , FEditorCommands(*this, FEditorContext, FProject, FSelection, FSettings, FTheme, *FCanvas, *FFollower, FStore,
                      FEditors, dialogs, messages)
    , FCompileCommands(FProject, FSelection, *FCanvas, *FFollower, FStore, FEditors, FCardCommands)
    , FUndoGate(FSteps, FEditors, FMenus, dialogs, messages)
    , FSplash(*FCanvas, *FView)
    , FOptions(FSettings, FTheme, FThemes, FProject, *FCanvas, *FView, *FFollower, FSteps, FCardCommands,
               FEditorCommands, FEditorContext, FSettingsKeeper, FMenus, dialogs, messages)
    , FSession(FProject, FSelection, FTheme, FThemes, FModel, *FCanvas, *FView, *FFollower, FStore, FSteps,
               FRecentFiles, FOutsideChanges, FRollingBackups, FCompileCommands, FSettingsKeeper, dialogs, messages)
    , FRecovery(*this, FProject, FModel, *FFollower, FStore, FEditorCommands, dialogs, messages)
    , FStory(*FCanvas, *FFollower, FStore, FEditors, messages)
{
    setObjectName("fmMain");
    setWindowTitle("nofile");
    FWriting = new WritingSession(FProject, *statusBar(), messages, this);
    FEditorCommands.EditorOpened = [this](TfmEditor& editor) { FWriting->Follow(editor); };
    move(387, 195);
    resize(973, 760);
    setCentralWidget(FView);
    FMenus.Build(this);
    ConnectCommands();
    ConnectCanvas();
    ConnectZoom();
    ConnectStory();
    FOutline = new OutlineCommands(*this);
    FFindInProject = new FindInProjectCommands(*this);
    FSession.OutlineShown = [this] { return FOutline->Shown(); };
    FSession.ShowOutline = [this](bool shown) { FOutline->Show(shown); };
    new StatisticsCommands(*this);
    // The parts ask the window to size the canvas and to bring its caption up to date.
    FEditorCommands.EditorClosed = FCompileCommands.CardsChanged = FSession.CaptionChanged = [this] { UpdateCaption(); };
    // A change of language words the counts on the cards anew.
    FOptions.CaptionChanged = [this] {
        UpdateCaption();
        FStory.Reword();
        FOutline->FollowLanguage();
        // The goals are project options, applied (and undone) through here, as is the language.
        FWriting->ShowGoals();
    };
    FOptions.WorkspaceResized = FSession.WorkspaceResized = [this] { ApplyWorkspaceSize(); };

    FSplash.Show(splashDraw);
    FProject.Folders = folders;
    // An installed program's package tells the desktop about the file types for every user.
    if (!folders.Installed)
        RegisterFileTypes(folders.Data, QCoreApplication::applicationFilePath(), shell);
    ApplyWorkspaceSize();
    FSettingsKeeper.LoadSettings();
    FView->SetShowHints(FSettings.DescriptiveHints);
    FView->SetSelectNextLink(FSettings.SelectNextLink);

    FThemes.StateCaptionsChanged = [this] { FOptions.ApplyStateCaptions(); };
    if (QFileInfo::exists(folders.Data + ThemesFolder + FTheme.DefaultTheme))
        FThemes.LoadTheme(FTheme.DefaultTheme);
    else
        FThemes.ApplyThemeDefaults();

    FProject.ProjectFolder.clear();
    FProject.ProjectFileName = ProjectState::Unnamed;
    FProject.ProjectOnDisk = false;
    FProject.PristineWorkspace = true;
    FTheme.NextCardType = 1;
    FSelection.DoubleClickPending = false;
    UpdateCaption();
}

TfmMain::~TfmMain()
{
    // The outline goes before the project model it shows.
    delete std::exchange(FOutline, nullptr);
    delete std::exchange(FFindInProject, nullptr);
    // Cards go first: their editors and lines must not outlive the window's state.
    ClearCanvas();
}

void TfmMain::ConnectCommands()
{
    for (QMenu* menu : {FMenus.mmnuFile, FMenus.mmnuEdit, FMenus.mmnuTools, FMenus.mmnuHelp, FMenus.pmnuNodex, FMenus.pmnuPanel})
        connect(menu, &QMenu::aboutToShow, this, &TfmMain::menuClicked);
    connect(FMenus.mnuNewProject, &QAction::triggered, this, [this] {
        if (HasKeyboard())
            FProjectCommands.New();
    });
    connect(FMenus.mnuOpenProject, &QAction::triggered, this, [this] {
        if (HasKeyboard())
            FProjectCommands.Open();
    });
    connect(FMenus.mnuSaveProject, &QAction::triggered, this, &TfmMain::SaveProject);
    connect(FMenus.mnuSaveProjectAs, &QAction::triggered, this, [this] { FProjectCommands.SaveAs(); });
    connect(FMenus.mnuExit, &QAction::triggered, this, &TfmMain::mnuExitClick);
    connect(FMenus.mnuUndo, &QAction::triggered, this, &TfmMain::Undo);
    connect(FMenus.mnuRedo, &QAction::triggered, this, &TfmMain::Redo);
    // Keeping many steps of thousands of cards costs memory; a hundred is far back enough.
    FSteps.setUndoLimit(100);
    connect(&FSteps, &QUndoStack::cleanChanged, this, &TfmMain::UpdateCaption);
    connect(&FOutsideChanges, &OutsideChanges::CardsTaken, this, &TfmMain::UpdateCaption);
    auto* conflicts = new SyncConflictNotice(FDialogs, FMessages, *this);
    connect(&FOutsideChanges, &OutsideChanges::ConflictCopiesFound, conflicts, &SyncConflictNotice::Tell);
    connect(&FSteps, &QUndoStack::indexChanged, this, [this] { FUndoGate.UpdateEditMenu(); });
    connect(FMenus.mnuOptions, &QAction::triggered, this, [this] { FOptions.mnuOptionsClick(); });
    FRecentFiles.SetMenuItem(FMenus.mnuOpenProject);
    FRecentFiles.OnClick = [this](const QString& path) {
        FProjectCommands.OpenRecentProject(path);
        UpdateCaption();
    };
    FProjectCommands.ForgetRecent = [this](const QString& path) { FRecentFiles.RemoveFile(path); };
    FProjectCommands.ShowStatus = [this](const QString& text) { statusBar()->showMessage(text); };
    // A project whose folder went away is offered a folder of its own.
    FSession.SaveAsWanted = [this] {
        FProjectCommands.SaveAs();
        UpdateCaption();
    };
    connect(&FOutsideChanges, &OutsideChanges::ProjectFolderGone, this, [this] { FSession.TellFolderGone(); });
    connect(FMenus.mnuHelp, &QAction::triggered, this, [this] { FShell.ShowHelp({}); });
    connect(FMenus.mnuAbout, &QAction::triggered, this, [this] {
        if (fmAbout)
            FDialogs.RunModal(*fmAbout);
    });
    connect(FMenus.mnuBackupProject, &QAction::triggered, this,
            [this] { FBackupCommands.mnuBackupProjectClick(); });
    connect(FMenus.mnuCopyToProject, &QAction::triggered, this,
            [this] { FBackupCommands.mnuCopyToProjectClick(); });
    // Said where the writer looks but never in a box: this may come every hour, or on closing.
    connect(&FRollingBackups, &RollingBackups::Failed, this, [this](const QString& reason) {
        statusBar()->showMessage(FMessages.Text(MessageKey::AUTOMATIC_BACKUP_FAILED) + " " + reason);
    });

    const auto card = [this](QAction* item, std::function<void()> command) {
        connect(item, &QAction::triggered, this, [this, command] { RunCardCommand(command); });
    };
    card(FMenus.pmnuNewNodex, [this] { FCardCommands.NewCard(PointerOnCanvas()); });
    card(FMenus.pmnuDelete, [this] { FCardCommands.Delete(); });
    card(FMenus.pmnuDuplicate, [this] { FCardCommands.Duplicate(); });
    card(FMenus.mnuDuplicate, [this] { FCardCommands.Duplicate(); });
    card(FMenus.pmnuRemoveLinks, [this] { FCardCommands.RemoveLinks(); });
    card(FMenus.pmnuRemoveFromChain, [this] { FCardCommands.RemoveFromChain(); });
    card(FMenus.pmnuMerge, [this] { FCardCommands.Merge(); });
    card(FMenus.pmnuProperties, [this] { FCardCommands.Properties(); });
    connect(FMenus.pmnuWordCount, &QAction::triggered, this, [this] { FEditorCommands.pmnuWordCountClick(); });
    connect(FMenus.pmnuHistory, &QAction::triggered, this, [this] { FEditorCommands.pmnuHistoryClick(); });
    connect(FMenus.mnuWordCount, &QAction::triggered, this, [this] { FEditorCommands.mnuWordCountClick(); });
    connect(FMenus.pmnuPrint, &QAction::triggered, this, [this] { FEditorCommands.pmnuPrintClick(); });
    connect(FMenus.mnuCompile, &QAction::triggered, this, [this] { FCompileCommands.mnuCompileClick(); });
    connect(FMenus.mnuExportManuscript, &QAction::triggered, this, [this] { FCompileCommands.mnuExportManuscriptClick(); });
    connect(FMenus.pmnuToCompilation, &QAction::triggered, this, [this] { FCompileCommands.pmnuToCompilationClick(); });
    connect(FMenus.mnuFindAndCompile, &QAction::triggered, this, [this] { FCompileCommands.mnuFindAndCompileClick(); });
    for (int state = 0; state < FMenus.pmnuState.size(); ++state)
        card(FMenus.pmnuState[state], [this, state] { FCardCommands.SetRevisionState(state); });

    const auto explore = [this](QAction* item, auto folder) {
        connect(item, &QAction::triggered, this, [this, folder] { FShell.ExploreFolder(folder()); });
    };
    explore(FMenus.mnuExploreProject, [this] { return FProject.ProjectFolder + ProjectPaths::TextFilesFolder; });
    // An installed program makes the writer's folders when first written: exploring one shows it
    // even before that.
    const auto writersFolder = [this](const QString& folder) {
        FProject.Folders.Prepare(folder);
        return folder;
    };
    explore(FMenus.mnuExploreBackups, [=, this] { return writersFolder(FProject.Folders.Backups); });
    explore(FMenus.mnuExploreThemes, [this] { return FProject.Folders.Data + ThemesFolder; });
    explore(FMenus.mnuExploreTemplates, [this] { return FProject.Folders.Data + "Templates/"; });
    explore(FMenus.mnuExploreDictionaries, [=, this] { return writersFolder(FProject.Folders.Spelling); });
    explore(FMenus.mnuExploreThesaurus, [this] { return FProject.Folders.Data + "Thesaurus/"; });
}

void TfmMain::ConnectCanvas()
{
    connect(FCanvas, &CanvasScene::CardDestroying, this, [this](TNodex* card) {
        FSelection.SelectedCards.removeAll(card);
        if (FSelection.CurrentCard == card)
            FSelection.CurrentCard = nullptr;
    });
    connect(FView, &CanvasView::UpdateCaption, this, &TfmMain::UpdateCaption);
    connect(FView, &CanvasView::CardsMoved, this, [this](const QHash<CardId, QPoint>& from, const QHash<CardId, QPoint>& to) {
        FCardCommands.MoveCards(from, to);
    });
    connect(FView, &CanvasView::CardsNudged, this,
        [this](const QHash<CardId, QPoint>& from, const QHash<CardId, QPoint>& to) {
            FCardCommands.NudgeCards(from, to);
        });
    connect(FView, &CanvasView::LinkRequested, this, [this](CardId source, CardId target) {
        FCardCommands.LinkCards(source, target);
    });
    connect(FView, &CanvasView::OpenCardEditor, this, &TfmMain::OpenCardEditor);
    connect(FView, &CanvasView::CardMenuRequested, this, [this](QPoint at) { FMenus.pmnuNodex->popup(at); });
    connect(FView, &CanvasView::PanelMenuRequested, this, [this](QPoint at) { FMenus.pmnuPanel->popup(at); });
    connect(FMenus.pmnuEdit, &QAction::triggered, FView, &CanvasView::NodexDoubleClick);
    connect(FView, &CanvasView::NewCardRequested, this,
            [this](QPoint at) { RunCardCommand([this, at] { FCardCommands.NewCard(at); }); });
    connect(FView, &CanvasView::DeleteRequested, this, [this] { RunCardCommand([this] { FCardCommands.Delete(); }); });
    connect(FView, &CanvasView::PropertiesRequested, this,
            [this] { RunCardCommand([this] { FCardCommands.Properties(); }); });
    // Files dropped from the file manager are the main window's.
    FView->setAcceptDrops(false);
    setAcceptDrops(true);
    FView->setFocus();
}

void TfmMain::ConnectZoom()
{
    connect(FMenus.mmnuView, &QMenu::aboutToShow, this, &TfmMain::menuClicked);
    connect(FMenus.mnuZoomIn, &QAction::triggered, FView, &CanvasView::ZoomIn);
    connect(FMenus.mnuZoomOut, &QAction::triggered, FView, &CanvasView::ZoomOut);
    connect(FMenus.mnuActualSize, &QAction::triggered, FView, &CanvasView::ZoomActualSize);
    connect(FMenus.mnuZoomToFit, &QAction::triggered, FView, &CanvasView::ZoomToFit);
    // Saved with the project, like the window's place; looking closer or farther is no change
    // to the work, so it asks for no save of its own.
    connect(FView, &CanvasView::ZoomChanged, this, [this](int percent) { FProject.Zoom = percent; });
}

void TfmMain::ConnectStory()
{
    const auto shown = [this] {
        FStory.Show(FMenus.mnuDescriptionsOnCards->isChecked(), FMenus.mnuWordCountsOnCards->isChecked());
    };
    connect(FMenus.mnuDescriptionsOnCards, &QAction::triggered, this, shown);
    connect(FMenus.mnuWordCountsOnCards, &QAction::triggered, this, shown);
    // Kept per project with the zoom, outside the project: showing is no change to the work.
    FSession.StoryShown = [this](bool descriptions, bool wordCounts) {
        FMenus.mnuDescriptionsOnCards->setChecked(descriptions);
        FMenus.mnuWordCountsOnCards->setChecked(wordCounts);
        FStory.Show(descriptions, wordCounts);
    };
    FEditorCommands.TextSaved = [this](CardId card) {
        FStory.Recount(card);
        FOutline->TextSaved(card);
    };
    FCardCommands.Context().TextWritten = FEditorCommands.TextSaved;
    connect(&FModel, &ProjectModel::CardAdded, this, [this](CardId card) { FStory.CountLater(card); });
    connect(&FModel, &ProjectModel::Cleared, this, [this] { FStory.Forget(); });
}

void TfmMain::OpenCardEditor(TNodex* card)
{
    if (FEditorCommands.OpenCardEditor(card))
        emit CardEditorRequested(card);
}

void TfmMain::keyPressEvent(QKeyEvent* event)
{
    // Keys the canvas did not see because another control had the focus.
    if (!FView->FormKeyDown(event->key(), event->modifiers()))
        QMainWindow::keyPressEvent(event);
}

void TfmMain::mnuExitClick()
{
    // Leaving through Exit puts the open project at the top of the list; closing asks the questions.
    if (!FProject.IsUnnamed())
        FRecentFiles.AddFile(FProject.ProjectFolder + FProject.ProjectFileName);
    close();
}

void TfmMain::menuClicked()
{
    FSplash.Hide();
    UpdateCaption();
}

void TfmMain::UpdateCaption()
{
    FMenus.mnuNewProject->setEnabled(!(FProject.PristineWorkspace && !ProjectModified()));

    QString title = FProject.ProjectFileName;
    const int extension = title.indexOf(ProjectPaths::ProjectExtension);
    if (extension >= 0)
        title.remove(extension, 6);
    if (title.size() > TitleLimit)
        title = title.left(TitleLimit) + "...";
    QString caption = FTheme.ThemeLoaded
        ? "Nodex " + FTheme.ThemeName.section('.', 0, 0) + ": '" + title + "'"
        : "Nodex Book: '" + title + "'";
    if (ProjectModified() && !caption.contains(" *"))
        caption += " *";
    setWindowTitle(caption);

    const bool unnamed = FProject.IsUnnamed();
    const bool hasCards = FCanvas->CardCount() > 0;
    FMenus.mnuSaveProject->setEnabled(ProjectModified() && !unnamed);
    FMenus.mnuSaveProjectAs->setEnabled(unnamed);
    FMenus.mnuCopyToProject->setEnabled(!FSelection.SelectedCards.isEmpty());
    FMenus.mnuBackupProject->setEnabled(!unnamed);
    FMenus.mnuExploreProject->setEnabled(!unnamed);
    FMenus.mnuFindAndCompile->setEnabled(!unnamed && hasCards);
    FMenus.mnuCompile->setEnabled(!unnamed && hasCards);
    FMenus.mnuExportManuscript->setEnabled(!unnamed && hasCards);
    FMenus.mnuWordCount->setEnabled(!unnamed && hasCards);

    FUndoGate.UpdateEditMenu();
    if (FSelection.CurrentCard)
        FMenus.UpdateCardMenu(*FSelection.CurrentCard);
}

void TfmMain::Undo()
{
    FUndoGate.Undo();
    UpdateCaption();
}

void TfmMain::Redo()
{
    FUndoGate.Redo();
    UpdateCaption();
}

void TfmMain::ApplyWorkspaceSize()
{
    if (layout())
        layout()->activate();
    const QScreen* display = screen() ? screen() : QGuiApplication::primaryScreen();
    const QSize windowExtra = frameGeometry().size() - FView->size();
    const QSize size = WorkspaceCanvasSize(FProject.WorkspaceSize, display->size(), windowExtra);
    FCanvas->SetCanvasSize(size.width(), size.height());
    FView->ScrollToOrigin();
}

void TfmMain::ClearCanvas() { FSession.ClearCanvas(); }

void TfmMain::RunCardCommand(const std::function<void()>& command)
{
    command();
    UpdateCaption();
}

bool TfmMain::HasKeyboard() const { return isActiveWindow(); }

QPoint TfmMain::PointerOnCanvas() const
{
    return FView->mapToScene(FView->viewport()->mapFromGlobal(QCursor::pos())).toPoint();
}

void TfmMain::CreateCardFromFile(const QString& path, QPoint canvasPoint)
{
    TNodex* card = nullptr;
    RunCardCommand([&] {
        if (FCardCommands.CreateCard(canvasPoint))
            card = FSelection.CurrentCard;
    });
    if (card)
        FEditorCommands.ImportCardText(*card, path);
}

void TfmMain::dragEnterEvent(QDragEnterEvent* event)
{
    if (event->mimeData()->hasUrls())
        event->acceptProposedAction();
}

void TfmMain::dropEvent(QDropEvent* event)
{
    FSplash.Hide();
    FShell.BringToFront(this);
    QStringList paths;
    for (const QUrl& url : event->mimeData()->urls())
        paths << (url.isLocalFile() ? url.toLocalFile() : url.toString());
    const QPoint at = FView->mapToScene(FView->viewport()->mapFrom(this, event->position().toPoint())).toPoint();
    event->acceptProposedAction();
    FProjectCommands.DropFiles(paths, at);
    UpdateCaption();
}

bool TfmMain::OpenProject(const QString& path)
{
    if (!isVisible())
        show();
    FSplash.Hide();
    FWriting->ProjectLeaving();
    if (!FSession.OpenProject(path)) {
        // Refused, the project open before stays; failed, the workspace is empty.
        if (FProject.IsUnnamed())
            FWriting->ProjectOpened({});
        return false;
    }
    FWriting->ProjectOpened([this] { return ProjectWords(); });
    FRecovery.OfferRecovery();
    return true;
}

void TfmMain::SaveProject()
{
    FSession.SaveProject();
    FWriting->ProjectSaved();
}

void TfmMain::CloseProject()
{
    FWriting->ProjectLeaving();
    FSession.CloseProject();
    FWriting->ProjectOpened({});
}

qint64 TfmMain::ProjectWords() const
{
    qint64 words = 0;
    for (const CardId card : FModel.Cards())
        words += CountTextWords(CardText(FEditors.Of(card), FStore.TextFilePath(card)).value_or(QString()));
    return words;
}

void TfmMain::closeEvent(QCloseEvent* event)
{
    if (!FProjectCommands.SavePrompts(ProjectCommands::AfterSaveAs::Stop)) {
        event->ignore();
        return;
    }
    FSettingsKeeper.SaveSettings();
    FSession.KeepView();
    FWriting->ProjectLeaving();
    FRollingBackups.ProjectLeaving();
    FSteps.clear();
    ClearCanvas();
    FStore.CloseProject();
    event->accept();
    emit Closed();
}

void TfmMain::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    FOptions.ApplyLanguageOnce();
    FSplash.Centre();
    UpdateCaption();
}

void TfmMain::changeEvent(QEvent* event)
{
    QMainWindow::changeEvent(event);
    // Some file systems report no change: coming back to the program looks for one.
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        FOutsideChanges.Recheck();
}

void TfmMain::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    FSplash.Centre();
}
