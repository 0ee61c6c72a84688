#include "editor/EditorMenus.h"

#include <QMainWindow>
#include <QMenuBar>

namespace {
QAction* AddItem(QMenu* menu, const char* name, const QString& caption, const QKeySequence& shortcut = {})
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
} // namespace

void EditorMenus::Build(QMainWindow* window)
{
    QMenuBar* bar = window->menuBar();
    mmnuFile = AddMenu(bar, "mmnuFile", "&File");
    mnuImportText = AddItem(mmnuFile, "mnuImportText", "&Import Text...");
    mnuSave = AddItem(mmnuFile, "mnuSave", "&Save", QKeySequence("Ctrl+S"));
    mnuPrint = AddItem(mmnuFile, "mnuPrint", "&Print", QKeySequence("Ctrl+P"));
    mnuExplore = mmnuFile->addMenu("&Explore");
    mnuExplore->setObjectName("mnuExplore");
    mnuExploreTemplates = AddItem(mnuExplore, "mnuExploreTemplates", "Te&mplates...");
    mnuExploreDictionaries = AddItem(mnuExplore, "mnuExploreDictionaries", "&Dictionaries...");
    mnuExploreThesaurus = AddItem(mnuExplore, "mnuExploreThesaurus", "The&saurus...");
    mmnuFile->addSeparator();
    mnuClose = AddItem(mmnuFile, "mnuClose", "&Close Editor", QKeySequence(Qt::Key_Escape));

    mmnuEdit = AddMenu(bar, "mmnuEdit", "&Edit");
    mnuUndo = AddItem(mmnuEdit, "mnuUndo", "&Undo", QKeySequence("Ctrl+Z"));
    mmnuEdit->addSeparator();
    mnuCut = AddItem(mmnuEdit, "mnuCut", "Cu&t", QKeySequence("Ctrl+X"));
    mnuCopy = AddItem(mmnuEdit, "mnuCopy", "&Copy", QKeySequence("Ctrl+C"));
    mnuPaste = AddItem(mmnuEdit, "mnuPaste", "&Paste", QKeySequence("Ctrl+V"));
    mmnuEdit->addSeparator();
    mnuSelectAll = AddItem(mmnuEdit, "mnuSelectAll", "Select &All", QKeySequence("Ctrl+A"));

    mmnuSearch = AddMenu(bar, "mmnuSearch", "&Search");
    mnuFindReplace = AddItem(mmnuSearch, "mnuFindReplace", "&Find && Replace...", QKeySequence("Ctrl+F"));
    mnuRepeatFind = AddItem(mmnuSearch, "mnuRepeatFind", "&Repeat Find", QKeySequence(Qt::Key_F3));

    mmnuTools = AddMenu(bar, "mmnuTools", "&Tools");
    mnuSpellCheck = AddItem(mmnuTools, "mnuSpellCheck", "&Spell Check...", QKeySequence(Qt::Key_F7));
    mnuSpellingOptions = AddItem(mmnuTools, "mnuSpellingOptions", "Spelling &Options...", QKeySequence("Shift+F7"));
    mnuThesaurus = AddItem(mmnuTools, "mnuThesaurus", "&Thesaurus...", QKeySequence(Qt::Key_F8));
    mmnuTools->addSeparator();
    mnuWordCount = AddItem(mmnuTools, "mnuWordCount", "&Word Count", QKeySequence(Qt::Key_F9));
    mnuWordUsage = AddItem(mmnuTools, "mnuWordUsage", "Word &Usage", QKeySequence("Shift+F9"));
    mmnuTools->addSeparator();
    mnuSaveWindowPos = AddItem(mmnuTools, "mnuSaveWindowPos", "Save Window &Position");

    mmnuHelp = AddMenu(bar, "mmnuHelp", "&Help");
    mnuHelp = AddItem(mmnuHelp, "mnuHelp", "&Help...", QKeySequence(Qt::Key_F1));

    pmnuEditor = new QMenu(window);
    pmnuEditor->setObjectName("pmnuEditor");
    pmnuUndo = AddItem(pmnuEditor, "pmnuUndo", "&Undo");
    pmnuEditor->addSeparator();
    pmnuCut = AddItem(pmnuEditor, "pmnuCut", "Cu&t");
    pmnuCopy = AddItem(pmnuEditor, "pmnuCopy", "&Copy");
    pmnuPaste = AddItem(pmnuEditor, "pmnuPaste", "&Paste");
    pmnuEditor->addSeparator();
    pmnuSelectAll = AddItem(pmnuEditor, "pmnuSelectAll", "Select &All");
}
