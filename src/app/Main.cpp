#include "app/Main.h"

#include "app/ProjectFiles.h"
#include "app/Splash.h"
#include "app/WorkspaceSize.h"
#include "canvas/Canvas.h"
#include "canvas/CanvasView.h"
#include "canvas/NodexObject.h"
#include "platform/Dialogs.h"
#include "platform/Shell.h"
#include "settings/MessageTable.h"

#include <QCloseEvent>
#include <QFileInfo>
#include <QGraphicsPixmapItem>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLayout>
#include <QMenu>
#include <QRandomGenerator>
#include <QScreen>

namespace {
constexpr int SplashDrawRange = 30;
constexpr int TitleLimit = 50;
} // namespace

// The splash pictures are compiled into a static library: registering them by name keeps the
// linker from leaving them out of the program.
static void RegisterSplashPictures()
{
    Q_INIT_RESOURCE(app);
}

TfmMain::TfmMain(QString appFolder, Dialogs& dialogs, Shell& shell, MessageTable& messages,
                 int splashDraw)
    : FDialogs(dialogs)
    , FShell(shell)
    , FMessages(messages)
    , FCanvas(new TCanvas(this))
    , FView(new TCanvasView(FCanvas, FSelection, this))
    , FThemes(FTheme, *FCanvas, appFolder)
    , FStore(FProject, FSelection, *FCanvas, FTheme, FThemes, dialogs, messages)
{
    setObjectName("fmMain");
    setWindowTitle("nofile");
    move(387, 195);
    resize(973, 760);
    setCentralWidget(FView);
    FMenus.Build(this);
    ConnectCommands();
    ConnectCanvas();

    RegisterSplashPictures();
    CreateSplash(splashDraw >= 0 ? splashDraw : int(QRandomGenerator::global()->bounded(SplashDrawRange)));
    FProject.AppFolder = appFolder;
    ApplyWorkspaceSize();

    FThemes.StateCaptionsChanged = [this] { ApplyStateCaptions(); };
    if (QFileInfo::exists(appFolder + ThemesFolder + FTheme.DefaultTheme))
        FThemes.LoadTheme(FTheme.DefaultTheme);
    else
        FThemes.ApplyThemeDefaults();

    FProject.ProjectFolder.clear();
    FProject.ProjectFileName = ProjectState::Unnamed;
    FProject.ProjectOnDisk = false;
    FProject.PristineWorkspace = true;
    FTheme.NextCardType = 1;
    FSelection.DoubleClickPending = false;
    FProject.Modified = false;
    UpdateCaption();
}

TfmMain::~TfmMain()
{
    // Cards go first: their editors and lines must not outlive the window's state.
    ClearCanvas();
}

void TfmMain::ConnectCommands()
{
    for (QMenu* menu : {FMenus.mmnuFile, FMenus.mmnuTools, FMenus.mmnuHelp, FMenus.pmnuNodex, FMenus.pmnuPanel})
        connect(menu, &QMenu::aboutToShow, this, &TfmMain::menuClicked);
    connect(FMenus.mnuSaveProject, &QAction::triggered, this, &TfmMain::SaveProject);
    connect(FMenus.mnuExit, &QAction::triggered, this, &TfmMain::mnuExitClick);

    const auto explore = [this](QAction* item, auto folder) {
        connect(item, &QAction::triggered, this, [this, folder] { Explore(folder()); });
    };
    explore(FMenus.mnuExploreProject, [this] { return FProject.ProjectFolder + "Text Files/"; });
    explore(FMenus.mnuExploreBackups, [this] { return FProject.AppFolder + "Backups/"; });
    explore(FMenus.mnuExploreThemes, [this] { return FProject.AppFolder + ThemesFolder; });
    explore(FMenus.mnuExploreTemplates, [this] { return FProject.AppFolder + "Templates/"; });
    explore(FMenus.mnuExploreDictionaries, [this] { return FProject.AppFolder + "Spelling/"; });
    explore(FMenus.mnuExploreThesaurus, [this] { return FProject.AppFolder + "Thesaurus/"; });
}

void TfmMain::ConnectCanvas()
{
    connect(FCanvas, &TCanvas::CardDestroying, this, [this](TNodex* card) {
        FSelection.SelectedCards.removeAll(card);
        if (FSelection.CurrentCard == card)
            FSelection.CurrentCard = nullptr;
    });
    connect(FView, &TCanvasView::UpdateCaption, this, &TfmMain::UpdateCaption);
    connect(FView, &TCanvasView::ProjectModified, this, [this] { FProject.Modified = true; });
    connect(FView, &TCanvasView::OpenCardEditor, this, &TfmMain::OpenCardEditor);
    connect(FView, &TCanvasView::CardMenuRequested, this, [this](QPoint at) { FMenus.pmnuNodex->popup(at); });
    connect(FView, &TCanvasView::PanelMenuRequested, this, [this](QPoint at) { FMenus.pmnuPanel->popup(at); });
    connect(FMenus.pmnuEdit, &QAction::triggered, FView, &TCanvasView::NodexDoubleClick);
    FView->SetSelectNextLink(FSettings.SelectNextLink);
    FView->SetShowHints(FSettings.DescriptiveHints);
    FView->setFocus();
}

void TfmMain::OpenCardEditor(TNodex* card)
{
    if (card && FSelection.SelectedCards.size() == 1)
        emit CardEditorRequested(card);
}

void TfmMain::keyPressEvent(QKeyEvent* event)
{
    // Keys the canvas did not see because another control had the focus.
    if (!FView->FormKeyDown(event->key(), event->modifiers()))
        QMainWindow::keyPressEvent(event);
}

void TfmMain::Explore(const QString& folder) { FShell.ExploreFolder(folder); }

void TfmMain::mnuExitClick()
{
    // The recent-files list takes the open project when it arrives; closing asks the questions.
    close();
}

void TfmMain::CreateSplash(int draw)
{
    QString picture = ":/app/Splash.png";
    switch (ChooseSplash(draw)) {
    case SplashChoice::Logo1: picture = ":/app/Logo1.png"; break;
    case SplashChoice::Logo2: picture = ":/app/Logo2.png"; break;
    case SplashChoice::Own: break;
    }
    imgFlash = FCanvas->addPixmap(QPixmap(picture));
    imgFlash->setAcceptedMouseButtons(Qt::NoButton);
    CentreSplash();
}

void TfmMain::CentreSplash()
{
    if (!SplashVisible())
        return;
    imgFlash->setPos(SplashPosition(FView->viewport()->size(), imgFlash->pixmap().size()));
}

void TfmMain::HideSplash()
{
    if (imgFlash)
        imgFlash->setVisible(false);
}

QPixmap TfmMain::SplashPicture() const { return imgFlash->pixmap(); }

bool TfmMain::SplashVisible() const { return imgFlash && imgFlash->isVisible(); }

void TfmMain::menuClicked()
{
    HideSplash();
    UpdateCaption();
}

void TfmMain::UpdateCaption()
{
    FMenus.mnuNewProject->setEnabled(!(FProject.PristineWorkspace && !FProject.Modified));

    QString title = FProject.ProjectFileName;
    const int extension = title.indexOf(".nodex");
    if (extension >= 0)
        title.remove(extension, 6);
    if (title.size() > TitleLimit)
        title = title.left(TitleLimit) + "...";
    QString caption = FTheme.ThemeLoaded
        ? "Nodex " + FTheme.ThemeName.section('.', 0, 0) + ": '" + title + "'"
        : "Nodex Book: '" + title + "'";
    if (FProject.Modified && !caption.contains(" *"))
        caption += " *";
    setWindowTitle(caption);

    const bool unnamed = FProject.IsUnnamed();
    const bool hasCards = FCanvas->CardCount() > 0;
    FMenus.mnuSaveProject->setEnabled(FProject.Modified && !unnamed);
    FMenus.mnuSaveProjectAs->setEnabled(unnamed);
    FMenus.mnuCopyToProject->setEnabled(!FSelection.SelectedCards.isEmpty());
    FMenus.mnuBackupProject->setEnabled(!unnamed);
    FMenus.mnuExploreProject->setEnabled(!unnamed);
    FMenus.mnuFindAndCompile->setEnabled(!unnamed && hasCards);
    FMenus.mnuCompile->setEnabled(!unnamed && hasCards);
    FMenus.mnuWordCount->setEnabled(!unnamed && hasCards);

    if (FSelection.CurrentCard)
        UpdateCardMenu(*FSelection.CurrentCard);
}

void TfmMain::UpdateCardMenu(const TNodex& card)
{
    for (QAction* item : FMenus.pmnuState) {
        item->setVisible(!item->text().isEmpty());
        item->setEnabled(true);
        item->setChecked(false);
    }
    if (card.State() >= 0 && card.State() < FMenus.pmnuState.size()) {
        QAction* own = FMenus.pmnuState[card.State()];
        own->setChecked(true);
        own->setEnabled(false);
    }
    const bool userCard = card.Type() != CompilationType;
    FMenus.pmnuToCompilation->setVisible(userCard);
    FMenus.pmnuStateTitle->menuAction()->setVisible(userCard);
    FMenus.NProperties->setVisible(userCard);
    FMenus.pmnuProperties->setVisible(userCard);
    FMenus.pmnuProperties->setEnabled(userCard && !card.Editor());
    FMenus.pmnuRemoveLinks->setVisible(card.LinkTo() != nullptr);
    FMenus.pmnuMerge->setVisible(card.LinkTo() != nullptr);
}

void TfmMain::ApplyStateCaptions()
{
    FMenus.pmnuStateTitle->setTitle(FTheme.StateTitle);
    for (int state = 0; state < FMenus.pmnuState.size(); ++state)
        FMenus.pmnuState[state]->setText(state < FTheme.StateNames.size() ? FTheme.StateNames[state] : QString());
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

void TfmMain::ClearCanvas() { ::ClearCanvas(*FCanvas, FSelection); }

bool TfmMain::OpenProject(const QString& path)
{
    if (!isVisible())
        show();
    HideSplash();
    const ProjectStore::Opened opened = FStore.OpenProject(path);
    switch (opened.Result) {
    case ProjectStore::OpenResult::Refused:
        return false;
    case ProjectStore::OpenResult::Failed:
        // No half-loaded project may remain.
        CloseProject();
        return false;
    case ProjectStore::OpenResult::Opened:
        break;
    }
    ApplyPlacement(opened.Placement);
    ApplyWorkspaceSize();
    UpdateCaption();
    return true;
}

void TfmMain::SaveProject()
{
    FStore.SaveProject(CurrentPlacement());
    UpdateCaption();
}

WindowPlacement TfmMain::CurrentPlacement() const
{
    return {isMaximized(), true, x(), y(), width(), height()};
}

void TfmMain::ApplyPlacement(const WindowPlacement& placement)
{
    if (placement.HasBounds) {
        const QPoint corner(placement.Left, placement.Top);
        const QScreen* target = QGuiApplication::screenAt(corner);
        if (!target)
            target = screen() ? screen() : QGuiApplication::primaryScreen();
        const QRect bounds
            = FitToScreen(placement, target->availableGeometry(), frameGeometry().size() - size());
        move(bounds.topLeft());
        resize(bounds.size());
    }
    setWindowState(placement.Maximised ? Qt::WindowMaximized : Qt::WindowNoState);
}

void TfmMain::CloseProject()
{
    FProject.WorkspaceSize = 0;
    ApplyWorkspaceSize();
    FProject.ProjectOnDisk = false;
    setWindowTitle("nofile");
    FProject.ProjectFileName = ProjectState::Unnamed;
    ClearCanvas();
    FTheme.NextCardType = 1;
    FSelection.DoubleClickPending = false;
    FProject.Modified = false;
    FProject.TargetWordCount = 0;
    UpdateCaption();
}

void TfmMain::SetCardType(TNodex& card, int storedType)
{
    card.SetType(StoredTypeToType(storedType));
}

bool TfmMain::FormCloseQuery()
{
    if (!FProject.Modified)
        return true;
    switch (FDialogs.AskYesNoCancel(FMessages.Text(MessageKey::SAVE_PROJECT))) {
    case Answer::Cancel:
        return false;
    case Answer::No:
        return true;
    case Answer::Yes:
        break;
    }
    // An unnamed workspace needs a name first: the window stays open for Save As.
    if (FProject.IsUnnamed())
        return false;
    SaveProject();
    // A failed save has told the user why; closing now would lose the changes.
    return !FProject.Modified;
}

void TfmMain::closeEvent(QCloseEvent* event)
{
    if (!FormCloseQuery()) {
        event->ignore();
        return;
    }
    ClearCanvas();
    event->accept();
}

void TfmMain::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    CentreSplash();
    UpdateCaption();
}

void TfmMain::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    CentreSplash();
}
