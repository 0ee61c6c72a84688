#include "app/MainMenus.h"

#include <QActionGroup>
#include <QMainWindow>
#include <QMenuBar>

namespace {
QAction* AddItem(QMenu* menu, const char* name, const QString& caption,
                 const QKeySequence& shortcut = {})
{
    QAction* action = menu->addAction(caption);
    action->setObjectName(name);
    action->setShortcut(shortcut);
    return action;
}

QMenu* AddMenu(QMenuBar* bar, const char* name, const QString& caption)
{
    QMenu* menu = bar->addMenu(caption);
    menu->setObjectName(name);
    return menu;
}

QAction* Separator(QMenu* menu) { return menu->addSeparator(); }
} // namespace

void MainMenus::Build(QMainWindow* window)
{
    QMenuBar* bar = window->menuBar();

    mmnuFile = AddMenu(bar, "mmnuFile", "&File");
    mnuNewProject = AddItem(mmnuFile, "mnuNewProject", "&New...", QKeySequence("Ctrl+N"));
    Separator(mmnuFile);
    mnuOpenProject = AddItem(mmnuFile, "mnuOpenProject", "&Open...", QKeySequence("Ctrl+O"));
    Separator(mmnuFile);
    mnuSaveProject = AddItem(mmnuFile, "mnuSaveProject", "&Save", QKeySequence("Ctrl+S"));
    mnuSaveProjectAs = AddItem(mmnuFile, "mnuSaveProjectAs", "Save &As...");
    mnuCopyToProject = AddItem(mmnuFile, "mnuCopyToProject", "Copy &To Project...");
    Separator(mmnuFile);
    mnuBackupProject = AddItem(mmnuFile, "mnuBackupProject", "&Backup Project");
    Separator(mmnuFile);
    mnuExplore = mmnuFile->addMenu("&Explore");
    mnuExplore->setObjectName("mnuExplore");
    mnuExploreProject = AddItem(mnuExplore, "mnuExploreProject", "&Project...");
    mnuExploreTemplates = AddItem(mnuExplore, "mnuExploreTemplates", "Te&mplates...");
    mnuExploreBackups = AddItem(mnuExplore, "mnuExploreBackups", "&Backups...");
    Separator(mnuExplore);
    mnuExploreThemes = AddItem(mnuExplore, "mnuExploreThemes", "&Themes...");
    Separator(mnuExplore);
    mnuExploreDictionaries = AddItem(mnuExplore, "mnuExploreDictionaries", "&Dictionaries...");
    mnuExploreThesaurus = AddItem(mnuExplore, "mnuExploreThesaurus", "The&saurus...");
    Separator(mmnuFile);
    mnuExit = AddItem(mmnuFile, "mnuExit", "E&xit");

    mmnuTools = AddMenu(bar, "mmnuTools", "&Tools");
    mnuFindAndCompile = AddItem(mmnuTools, "mnuFindAndCompile", "&Find && Compile...", QKeySequence("Ctrl+F"));
    Separator(mmnuTools);
    mnuCompile = AddItem(mmnuTools, "mnuCompile", "&Compile...", QKeySequence(Qt::Key_F8));
    mnuWordCount = AddItem(mmnuTools, "mnuWordCount", "&Word Count", QKeySequence(Qt::Key_F9));
    Separator(mmnuTools);
    mnuOptions = AddItem(mmnuTools, "mnuOptions", "&Options...", QKeySequence(Qt::Key_F10));

    mmnuHelp = AddMenu(bar, "mmnuHelp", "&Help");
    mnuHelp = AddItem(mmnuHelp, "mnuHelp", "&Help", QKeySequence(Qt::Key_F1));
    Separator(mmnuHelp);
    mnuAbout = AddItem(mmnuHelp, "mnuAbout", "&About...");

    // The pop-up menus' shortcuts are shown for the user's information; the canvas handles the
    // keys itself, so the actions are never triggered by them.
    pmnuNodex = new QMenu(window);
    pmnuNodex->setObjectName("pmnuNodex");
    pmnuEdit = AddItem(pmnuNodex, "pmnuEdit", "&Edit", QKeySequence(Qt::Key_Return));
    pmnuNodex->setDefaultAction(pmnuEdit);
    pmnuStateTitle = pmnuNodex->addMenu("&Revision Status");
    pmnuStateTitle->setObjectName("pmnuStateTitle");
    StateGroup = new QActionGroup(pmnuStateTitle);
    const QStringList stateCaptions = {"&Draft", "&Revised", "&Completed", "3", "4", "5"};
    for (int state = 0; state < stateCaptions.size(); ++state) {
        QAction* item = AddItem(pmnuStateTitle, "", stateCaptions[state]);
        item->setObjectName(QString("pmnuState%1").arg(state));
        item->setCheckable(true);
        item->setData(state);
        StateGroup->addAction(item);
        pmnuState << item;
    }
    Separator(pmnuNodex);
    pmnuWordCount = AddItem(pmnuNodex, "pmnuWordCount", "&Word Count");
    pmnuToCompilation = AddItem(pmnuNodex, "pmnuToCompilation", "To &Compilation...");
    pmnuMerge = AddItem(pmnuNodex, "pmnuMerge", "&Merge");
    pmnuRemoveLinks = AddItem(pmnuNodex, "pmnuRemoveLinks", "Remove &Links");
    pmnuPrint = AddItem(pmnuNodex, "pmnuPrint", "&Print");
    Separator(pmnuNodex);
    pmnuDelete = AddItem(pmnuNodex, "pmnuDelete", "&Delete", QKeySequence(Qt::Key_Delete));
    NProperties = Separator(pmnuNodex);
    NProperties->setObjectName("NProperties");
    pmnuProperties = AddItem(pmnuNodex, "pmnuProperties", "Proper&ties...", QKeySequence(Qt::Key_Space));

    pmnuPanel = new QMenu(window);
    pmnuPanel->setObjectName("pmnuPanel");
    pmnuNewNodex = AddItem(pmnuPanel, "pmnuNewNodex", "&New Nodex...", QKeySequence(Qt::Key_Insert));

    for (QMenu* menu : {pmnuNodex, pmnuPanel})
        for (QAction* action : menu->actions())
            action->setShortcutContext(Qt::WidgetShortcut);
}
