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
    , FView(new TCanvasView(FCanvas, FCanvasState, this))
    , FStore(*this)
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
    FState.AppFolder = appFolder;
    ApplyWorkspaceSize();

    FThemes = std::make_unique<ThemeApplier>(FTheme, *FCanvas, appFolder);
    FThemes->StateCaptionsChanged = [this] { ApplyStateCaptions(); };
    if (QFileInfo::exists(appFolder + "Themes/" + FTheme.DefaultTheme))
        FThemes->LoadTheme(FTheme.DefaultTheme);
    else
        FThemes->ApplyThemeDefaults();

    FState.ProjectFolder.clear();
    FState.ProjectFileName = ProjectState::Unnamed;
    FState.ProjectOnDisk = false;
    FState.PristineWorkspace = true;
    FTheme.NextCardType = 1;
    FCanvasState.DoubleClickPending = false;
    FState.Modified = false;
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
    explore(FMenus.mnuExploreProject, [this] { return FState.ProjectFolder + "Text Files/"; });
    explore(FMenus.mnuExploreBackups, [this] { return FState.AppFolder + "Backups/"; });
    explore(FMenus.mnuExploreThemes, [this] { return FState.AppFolder + "Themes/"; });
    explore(FMenus.mnuExploreTemplates, [this] { return FState.AppFolder + "Templates/"; });
    explore(FMenus.mnuExploreDictionaries, [this] { return FState.AppFolder + "Spelling/"; });
    explore(FMenus.mnuExploreThesaurus, [this] { return FState.AppFolder + "Thesaurus/"; });
}

void TfmMain::ConnectCanvas()
{
    connect(FCanvas, &TCanvas::CardDestroying, this, [this](TNodex* card) {
        FCanvasState.SelectedCards.removeAll(card);
        if (FCanvasState.CurrentCard == card)
            FCanvasState.CurrentCard = nullptr;
    });
    connect(FView, &TCanvasView::UpdateCaption, this, &TfmMain::UpdateCaption);
    connect(FView, &TCanvasView::ProjectModified, this, [this] { FState.Modified = true; });
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
    if (card && FCanvasState.SelectedCards.size() == 1)
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
    FMenus.mnuNewProject->setEnabled(!(FState.PristineWorkspace && !FState.Modified));

    QString title = FState.ProjectFileName;
    const int extension = title.indexOf(".nodex");
    if (extension >= 0)
        title.remove(extension, 6);
    if (title.size() > TitleLimit)
        title = title.left(TitleLimit) + "...";
    QString caption = FTheme.ThemeLoaded
        ? "Nodex " + FTheme.ThemeName.section('.', 0, 0) + ": '" + title + "'"
        : "Nodex Book: '" + title + "'";
    if (FState.Modified && !caption.contains(" *"))
        caption += " *";
    setWindowTitle(caption);

    const bool unnamed = FState.IsUnnamed();
    const bool hasCards = FCanvas->CardCount() > 0;
    FMenus.mnuSaveProject->setEnabled(FState.Modified && !unnamed);
    FMenus.mnuSaveProjectAs->setEnabled(unnamed);
    FMenus.mnuCopyToProject->setEnabled(!FCanvasState.SelectedCards.isEmpty());
    FMenus.mnuBackupProject->setEnabled(!unnamed);
    FMenus.mnuExploreProject->setEnabled(!unnamed);
    FMenus.mnuFindAndCompile->setEnabled(!unnamed && hasCards);
    FMenus.mnuCompile->setEnabled(!unnamed && hasCards);
    FMenus.mnuWordCount->setEnabled(!unnamed && hasCards);

    if (FCanvasState.CurrentCard)
        UpdateCardMenu(*FCanvasState.CurrentCard);
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
    const QSize size = WorkspaceCanvasSize(FState.WorkspaceSize, display->size(), windowExtra);
    FCanvas->SetCanvasSize(size.width(), size.height());
    FView->ScrollToOrigin();
}

void TfmMain::ClearCanvas()
{
    FCanvasState.SelectedCards.clear();
    FCanvas->DestroyAllCards();
    FCanvasState.CurrentCard = nullptr;
}

void TfmMain::CloseProject()
{
    FState.WorkspaceSize = 0;
    ApplyWorkspaceSize();
    FState.ProjectOnDisk = false;
    setWindowTitle("nofile");
    FState.ProjectFileName = ProjectState::Unnamed;
    ClearCanvas();
    FTheme.NextCardType = 1;
    FCanvasState.DoubleClickPending = false;
    FState.Modified = false;
    FState.TargetWordCount = 0;
    UpdateCaption();
}

void TfmMain::SetCardType(TNodex& card, int storedType)
{
    card.SetType(StoredTypeToType(storedType));
}

bool TfmMain::FormCloseQuery()
{
    if (!FState.Modified)
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
    if (FState.IsUnnamed())
        return false;
    SaveProject();
    // A failed save has told the user why; closing now would lose the changes.
    return !FState.Modified;
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
