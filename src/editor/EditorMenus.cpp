#include "editor/EditorMenus.h"

#include "messages/MessageTable.h"
#include "platform/MenuItems.h"

#include <QMainWindow>
#include <QMenuBar>

void EditorMenus::Build(QMainWindow* window)
{
    QMenuBar* bar = window->menuBar();
    mmnuFile = AddMainMenu(bar, "mmnuFile", "&File");
    mnuImportText = AddMenuItem(mmnuFile, "mnuImportText", "&Import Text...");
    mnuSave = AddMenuItem(mmnuFile, "mnuSave", "&Save", QKeySequence("Ctrl+S"));
    mnuPrint = AddMenuItem(mmnuFile, "mnuPrint", "&Print", QKeySequence("Ctrl+P"));
    mnuHistory = AddMenuItem(mmnuFile, "mnuHistory", "&History...");
    mnuExplore = mmnuFile->addMenu("&Explore");
    mnuExplore->setObjectName("mnuExplore");
    mnuExploreTemplates = AddMenuItem(mnuExplore, "mnuExploreTemplates", "Te&mplates...");
    mnuExploreDictionaries = AddMenuItem(mnuExplore, "mnuExploreDictionaries", "&Dictionaries...");
    mnuExploreThesaurus = AddMenuItem(mnuExplore, "mnuExploreThesaurus", "The&saurus...");
    mmnuFile->addSeparator();
    mnuClose = AddMenuItem(mmnuFile, "mnuClose", "&Close Editor", QKeySequence(Qt::Key_Escape));

    mmnuEdit = AddMainMenu(bar, "mmnuEdit", "&Edit");
    mnuUndo = AddMenuItem(mmnuEdit, "mnuUndo", "&Undo", QKeySequence("Ctrl+Z"));
    mmnuEdit->addSeparator();
    mnuCut = AddMenuItem(mmnuEdit, "mnuCut", "Cu&t", QKeySequence("Ctrl+X"));
    mnuCopy = AddMenuItem(mmnuEdit, "mnuCopy", "&Copy", QKeySequence("Ctrl+C"));
    mnuPaste = AddMenuItem(mmnuEdit, "mnuPaste", "&Paste", QKeySequence("Ctrl+V"));
    mmnuEdit->addSeparator();
    mnuSelectAll = AddMenuItem(mmnuEdit, "mnuSelectAll", "Select &All", QKeySequence("Ctrl+A"));
    mmnuEdit->addSeparator();
    mnuItalic = AddMenuItem(mmnuEdit, "mnuItalic", "&Italic", QKeySequence("Ctrl+I"));
    mnuBold = AddMenuItem(mmnuEdit, "mnuBold", "&Bold", QKeySequence("Ctrl+B"));

    mmnuSearch = AddMainMenu(bar, "mmnuSearch", "&Search");
    mnuFindReplace = AddMenuItem(mmnuSearch, "mnuFindReplace", "&Find && Replace...", QKeySequence("Ctrl+F"));
    mnuRepeatFind = AddMenuItem(mmnuSearch, "mnuRepeatFind", "&Repeat Find", QKeySequence(Qt::Key_F3));
    mnuFindInProject = AddMenuItem(mmnuSearch, "mnuFindInProject",
        MessageTable::BuiltInText(MessageKey::FIND_IN_PROJECT), QKeySequence("Ctrl+Shift+F"));

    mmnuTools = AddMainMenu(bar, "mmnuTools", "&Tools");
    mnuSpellCheck = AddMenuItem(mmnuTools, "mnuSpellCheck", "&Spell Check...", QKeySequence(Qt::Key_F7));
    mnuSpellingOptions = AddMenuItem(mmnuTools, "mnuSpellingOptions", "Spelling &Options...", QKeySequence("Shift+F7"));
    mnuThesaurus = AddMenuItem(mmnuTools, "mnuThesaurus", "&Thesaurus...", QKeySequence(Qt::Key_F8));
    mmnuTools->addSeparator();
    mnuWordCount = AddMenuItem(mmnuTools, "mnuWordCount", "&Word Count", QKeySequence(Qt::Key_F9));
    mnuWordUsage = AddMenuItem(mmnuTools, "mnuWordUsage", "Word &Usage", QKeySequence("Shift+F9"));
    mmnuTools->addSeparator();
    mnuSaveWindowPos = AddMenuItem(mmnuTools, "mnuSaveWindowPos", "Save Window &Position");

    mmnuHelp = AddMainMenu(bar, "mmnuHelp", "&Help");
    mnuHelp = AddMenuItem(mmnuHelp, "mnuHelp", "&Help...", QKeySequence(Qt::Key_F1));

    pmnuEditor = new QMenu(window);
    pmnuEditor->setObjectName("pmnuEditor");
    pmnuUndo = AddMenuItem(pmnuEditor, "pmnuUndo", "&Undo");
    pmnuEditor->addSeparator();
    pmnuCut = AddMenuItem(pmnuEditor, "pmnuCut", "Cu&t");
    pmnuCopy = AddMenuItem(pmnuEditor, "pmnuCopy", "&Copy");
    pmnuPaste = AddMenuItem(pmnuEditor, "pmnuPaste", "&Paste");
    pmnuEditor->addSeparator();
    pmnuSelectAll = AddMenuItem(pmnuEditor, "pmnuSelectAll", "Select &All");
}
