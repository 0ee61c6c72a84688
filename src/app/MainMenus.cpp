#include "app/MainMenus.h"

#include "canvas/Nodex.h"
#include "canvas/Theme.h"
#include "platform/MenuItems.h"
#include "messages/MessageTable.h"

#include <QActionGroup>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>

namespace {
QAction* Separator(QMenu* menu) { return menu->addSeparator(); }
} // namespace

void MainMenus::Build(QMainWindow* window)
{
    QMenuBar* bar = window->menuBar();

    mmnuFile = AddMainMenu(bar, "mmnuFile", "&File");
    mnuNewProject = AddMenuItem(mmnuFile, "mnuNewProject", "&New...", QKeySequence("Ctrl+N"));
    Separator(mmnuFile);
    mnuOpenProject = AddMenuItem(mmnuFile, "mnuOpenProject", "&Open...", QKeySequence("Ctrl+O"));
    Separator(mmnuFile);
    mnuSaveProject = AddMenuItem(mmnuFile, "mnuSaveProject", "&Save", QKeySequence("Ctrl+S"));
    mnuSaveProjectAs = AddMenuItem(mmnuFile, "mnuSaveProjectAs", "Save &As...");
    mnuCopyToProject = AddMenuItem(mmnuFile, "mnuCopyToProject", "Copy &To Project...");
    Separator(mmnuFile);
    mnuBackupProject = AddMenuItem(mmnuFile, "mnuBackupProject", "&Backup Project");
    Separator(mmnuFile);
    mnuExplore = mmnuFile->addMenu("&Explore");
    mnuExplore->setObjectName("mnuExplore");
    mnuExploreProject = AddMenuItem(mnuExplore, "mnuExploreProject", "&Project...");
    mnuExploreTemplates = AddMenuItem(mnuExplore, "mnuExploreTemplates", "Te&mplates...");
    mnuExploreBackups = AddMenuItem(mnuExplore, "mnuExploreBackups", "&Backups...");
    Separator(mnuExplore);
    mnuExploreThemes = AddMenuItem(mnuExplore, "mnuExploreThemes", "&Themes...");
    Separator(mnuExplore);
    mnuExploreDictionaries = AddMenuItem(mnuExplore, "mnuExploreDictionaries", "&Dictionaries...");
    mnuExploreThesaurus = AddMenuItem(mnuExplore, "mnuExploreThesaurus", "The&saurus...");
    Separator(mmnuFile);
    mnuExit = AddMenuItem(mmnuFile, "mnuExit", "E&xit");

    // The Edit menu's captions name the step to undo or redo, from the message table.
    mmnuEdit = AddMainMenu(bar, "mmnuEdit", "&Edit");
    mnuUndo = AddMenuItem(mmnuEdit, "mnuUndo", "&Undo", QKeySequence::Undo);
    mnuRedo = AddMenuItem(mmnuEdit, "mnuRedo", "&Redo");
    mnuRedo->setShortcuts({QKeySequence("Ctrl+Shift+Z"), QKeySequence("Ctrl+Y")});
    Separator(mmnuEdit);
    // The window's shortcut: the canvas leaves keys with Ctrl to the menus.
    mnuDuplicate = AddMenuItem(mmnuEdit, "mnuDuplicate", {}, QKeySequence("Ctrl+D"));
    Separator(mmnuEdit);
    mnuFindInProject = AddMenuItem(mmnuEdit, "mnuFindInProject", {}, QKeySequence("Ctrl+Shift+F"));

    mmnuTools = AddMainMenu(bar, "mmnuTools", "&Tools");
    mnuFindAndCompile = AddMenuItem(mmnuTools, "mnuFindAndCompile", "&Find && Compile...", QKeySequence("Ctrl+F"));
    Separator(mmnuTools);
    mnuCompile = AddMenuItem(mmnuTools, "mnuCompile", "&Compile...", QKeySequence(Qt::Key_F8));
    mnuExportManuscript = AddMenuItem(mmnuTools, "mnuExportManuscript", "Export &Manuscript...", QKeySequence("Ctrl+E"));
    mnuWordCount = AddMenuItem(mmnuTools, "mnuWordCount", "&Word Count", QKeySequence(Qt::Key_F9));
    mnuStatistics = AddMenuItem(mmnuTools, "mnuStatistics", {}, QKeySequence("Ctrl+F9"));
    Separator(mmnuTools);
    mnuOptions = AddMenuItem(mmnuTools, "mnuOptions", "&Options...", QKeySequence(Qt::Key_F10));

    BuildViewMenu(bar);

    mmnuHelp = AddMainMenu(bar, "mmnuHelp", "&Help");
    mnuHelp = AddMenuItem(mmnuHelp, "mnuHelp", "&Help", QKeySequence(Qt::Key_F1));
    Separator(mmnuHelp);
    mnuAbout = AddMenuItem(mmnuHelp, "mnuAbout", "&About...");

    // The pop-up menus' shortcuts are shown for the user's information; the canvas handles the
    // keys itself, so the actions are never triggered by them.
    pmnuNodex = new QMenu(window);
    pmnuNodex->setObjectName("pmnuNodex");
    pmnuEdit = AddMenuItem(pmnuNodex, "pmnuEdit", "&Edit", QKeySequence(Qt::Key_Return));
    pmnuNodex->setDefaultAction(pmnuEdit);
    pmnuStateTitle = pmnuNodex->addMenu("&Revision Status");
    pmnuStateTitle->setObjectName("pmnuStateTitle");
    StateGroup = new QActionGroup(pmnuStateTitle);
    const QStringList stateCaptions = {"&Draft", "&Revised", "&Completed", "3", "4", "5"};
    for (int state = 0; state < stateCaptions.size(); ++state) {
        QAction* item = AddMenuItem(pmnuStateTitle, "", stateCaptions[state]);
        item->setObjectName(QString("pmnuState%1").arg(state));
        item->setCheckable(true);
        item->setData(state);
        StateGroup->addAction(item);
        pmnuState << item;
    }
    Separator(pmnuNodex);
    pmnuWordCount = AddMenuItem(pmnuNodex, "pmnuWordCount", "&Word Count");
    pmnuHistory = AddMenuItem(pmnuNodex, "pmnuHistory", "&History...");
    pmnuToCompilation = AddMenuItem(pmnuNodex, "pmnuToCompilation", "To &Compilation...");
    pmnuMerge = AddMenuItem(pmnuNodex, "pmnuMerge", "&Merge");
    pmnuRemoveLinks = AddMenuItem(pmnuNodex, "pmnuRemoveLinks", "Remove &Links");
    pmnuRemoveFromChain = AddMenuItem(pmnuNodex, "pmnuRemoveFromChain",
        MessageTable::BuiltInText(MessageKey::REMOVE_FROM_CHAIN));
    pmnuPrint = AddMenuItem(pmnuNodex, "pmnuPrint", "&Print");
    Separator(pmnuNodex);
    pmnuDuplicate = AddMenuItem(pmnuNodex, "pmnuDuplicate", mnuDuplicate->text(), QKeySequence("Ctrl+D"));
    pmnuDelete = AddMenuItem(pmnuNodex, "pmnuDelete", "&Delete", QKeySequence(Qt::Key_Delete));
    NProperties = Separator(pmnuNodex);
    NProperties->setObjectName("NProperties");
    pmnuProperties = AddMenuItem(pmnuNodex, "pmnuProperties", "Proper&ties...", QKeySequence(Qt::Key_Space));

    pmnuPanel = new QMenu(window);
    pmnuPanel->setObjectName("pmnuPanel");
    pmnuNewNodex = AddMenuItem(pmnuPanel, "pmnuNewNodex", "&New Nodex...", QKeySequence(Qt::Key_Insert));

    for (QMenu* menu : {pmnuNodex, pmnuPanel})
        for (QAction* action : menu->actions())
            action->setShortcutContext(Qt::WidgetShortcut);
}

void MainMenus::BuildViewMenu(QMenuBar* bar)
{
    // Between File and Tools, where programs keep their View menu.
    mmnuView = new QMenu(bar);
    mmnuView->setObjectName("mmnuView");
    bar->insertMenu(mmnuTools->menuAction(), mmnuView);
    mnuZoomIn = AddMenuItem(mmnuView, "mnuZoomIn", {});
    // "+" needs Shift on most keyboards; Ctrl+= is the same key without it.
    mnuZoomIn->setShortcuts({QKeySequence("Ctrl++"), QKeySequence("Ctrl+=")});
    mnuZoomOut = AddMenuItem(mmnuView, "mnuZoomOut", {}, QKeySequence("Ctrl+-"));
    mnuActualSize = AddMenuItem(mmnuView, "mnuActualSize", {}, QKeySequence("Ctrl+0"));
    Separator(mmnuView);
    mnuZoomToFit = AddMenuItem(mmnuView, "mnuZoomToFit", {}, QKeySequence("Ctrl+9"));
    Separator(mmnuView);
    mnuDescriptionsOnCards = AddMenuItem(mmnuView, "mnuDescriptionsOnCards", {});
    mnuDescriptionsOnCards->setCheckable(true);
    mnuWordCountsOnCards = AddMenuItem(mmnuView, "mnuWordCountsOnCards", {});
    mnuWordCountsOnCards->setCheckable(true);
    mnuOutline = AddMenuItem(mmnuView, "mnuOutline", {}, QKeySequence("Ctrl+L"));
    mnuOutline->setCheckable(true);
    ApplyOwnCaptions(MessageTable());
}

void MainMenus::ApplyOwnCaptions(const MessageTable& messages)
{
    mmnuView->setTitle(messages.Text(MessageKey::VIEW_MENU));
    mnuZoomIn->setText(messages.Text(MessageKey::ZOOM_IN));
    mnuZoomOut->setText(messages.Text(MessageKey::ZOOM_OUT));
    mnuActualSize->setText(messages.Text(MessageKey::ZOOM_ACTUAL_SIZE));
    mnuZoomToFit->setText(messages.Text(MessageKey::ZOOM_TO_FIT));
    mnuDescriptionsOnCards->setText(messages.Text(MessageKey::CARD_DESCRIPTIONS));
    mnuWordCountsOnCards->setText(messages.Text(MessageKey::CARD_WORD_COUNTS));
    mnuOutline->setText(messages.Text(MessageKey::OUTLINE_MENU));
    mnuExportManuscript->setText(messages.Text(MessageKey::EXPORT_MANUSCRIPT));
    // The View menu takes its captions before the card menu is built.
    if (pmnuRemoveFromChain)
        pmnuRemoveFromChain->setText(messages.Text(MessageKey::REMOVE_FROM_CHAIN));
    mnuDuplicate->setText(messages.Text(MessageKey::DUPLICATE));
    // The card menu is built after the View menu, whose building applies these captions first.
    if (pmnuDuplicate)
        pmnuDuplicate->setText(messages.Text(MessageKey::DUPLICATE));
    mnuFindInProject->setText(messages.Text(MessageKey::FIND_IN_PROJECT));
    mnuStatistics->setText(messages.Text(MessageKey::STATISTICS_MENU));
}

void MainMenus::UpdateCardMenu(const TNodex& card)
{
    for (QAction* item : pmnuState) {
        item->setVisible(!item->text().isEmpty());
        item->setEnabled(true);
        item->setChecked(false);
    }
    if (card.State() >= 0 && card.State() < pmnuState.size()) {
        QAction* own = pmnuState[card.State()];
        own->setChecked(true);
        own->setEnabled(false);
    }
    const bool userCard = card.Type() != CompilationType;
    pmnuToCompilation->setVisible(userCard);
    pmnuStateTitle->menuAction()->setVisible(userCard);
    NProperties->setVisible(userCard);
    pmnuProperties->setVisible(userCard);
    pmnuProperties->setEnabled(userCard && !card.Editor());
    pmnuRemoveLinks->setVisible(card.LinkTo() != nullptr);
    pmnuMerge->setVisible(card.LinkTo() != nullptr);
    pmnuRemoveFromChain->setEnabled(card.LinkTo() || card.LinkedFrom());
}
