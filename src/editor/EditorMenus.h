#pragma once

class QAction;
class QMainWindow;
class QMenu;

/// The editor window's menu bar and its text pop-up menu, each item named as the language files
/// and the commands know it.
struct EditorMenus {
    QMenu* mmnuFile = nullptr;
    QAction* mnuImportText = nullptr;
    QAction* mnuSave = nullptr;
    QAction* mnuPrint = nullptr;
    QAction* mnuHistory = nullptr;
    QMenu* mnuExplore = nullptr;
    QAction* mnuExploreTemplates = nullptr;
    QAction* mnuExploreDictionaries = nullptr;
    QAction* mnuExploreThesaurus = nullptr;
    QAction* mnuClose = nullptr;
    QMenu* mmnuEdit = nullptr;
    QAction* mnuUndo = nullptr;
    QAction* mnuCut = nullptr;
    QAction* mnuCopy = nullptr;
    QAction* mnuPaste = nullptr;
    QAction* mnuSelectAll = nullptr;
    QAction* mnuItalic = nullptr;
    QAction* mnuBold = nullptr;
    QMenu* mmnuSearch = nullptr;
    QAction* mnuFindReplace = nullptr;
    QAction* mnuRepeatFind = nullptr;
    QMenu* mmnuTools = nullptr;
    QAction* mnuSpellCheck = nullptr;
    QAction* mnuSpellingOptions = nullptr;
    QAction* mnuThesaurus = nullptr;
    QAction* mnuWordCount = nullptr;
    QAction* mnuWordUsage = nullptr;
    QAction* mnuSaveWindowPos = nullptr;
    QMenu* mmnuHelp = nullptr;
    QAction* mnuHelp = nullptr;

    QMenu* pmnuEditor = nullptr;
    QAction* pmnuUndo = nullptr;
    QAction* pmnuCut = nullptr;
    QAction* pmnuCopy = nullptr;
    QAction* pmnuPaste = nullptr;
    QAction* pmnuSelectAll = nullptr;
    QAction* mnuFindInProject = nullptr;

    /// Builds every menu with its captions and shortcuts on `window`.
    void Build(QMainWindow* window);
};
