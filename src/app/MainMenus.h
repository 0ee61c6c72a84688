#pragma once

#include <QList>

class QAction;
class QActionGroup;
class QMainWindow;
class QMenuBar;
class QMenu;
class MessageTable;
class TNodex;

/// The main window's menu bar and the two canvas pop-up menus, each item named as the language
/// files and the commands know it.
struct MainMenus {
    QMenu* mmnuFile = nullptr;
    QAction* mnuNewProject = nullptr;
    QAction* mnuOpenProject = nullptr;
    QAction* mnuSaveProject = nullptr;
    QAction* mnuSaveProjectAs = nullptr;
    QAction* mnuCopyToProject = nullptr;
    QAction* mnuBackupProject = nullptr;
    QMenu* mnuExplore = nullptr;
    QAction* mnuExploreProject = nullptr;
    QAction* mnuExploreTemplates = nullptr;
    QAction* mnuExploreBackups = nullptr;
    QAction* mnuExploreThemes = nullptr;
    QAction* mnuExploreDictionaries = nullptr;
    QAction* mnuExploreThesaurus = nullptr;
    QAction* mnuExit = nullptr;

    QMenu* mmnuEdit = nullptr;
    QAction* mnuUndo = nullptr;
    QAction* mnuRedo = nullptr;
    QAction* mnuDuplicate = nullptr; ///< caption from the message table

    QMenu* mmnuTools = nullptr;
    QAction* mnuFindAndCompile = nullptr;
    QAction* mnuCompile = nullptr;
    QAction* mnuExportManuscript = nullptr;
    QAction* mnuWordCount = nullptr;
    QAction* mnuStatistics = nullptr; ///< the writer's days and goals, beside the word count
    QAction* mnuOptions = nullptr;

    // The zoom of the canvas; captions from the message table (see ApplyOwnCaptions).
    QMenu* mmnuView = nullptr;
    QAction* mnuZoomIn = nullptr;
    QAction* mnuZoomOut = nullptr;
    QAction* mnuActualSize = nullptr;
    QAction* mnuZoomToFit = nullptr;
    QAction* mnuDescriptionsOnCards = nullptr; ///< checked: cards show their descriptions
    QAction* mnuWordCountsOnCards = nullptr; ///< checked: cards show their word counts
    QAction* mnuOutline = nullptr; ///< shows or hides the outline beside the canvas

    QMenu* mmnuHelp = nullptr;
    QAction* mnuHelp = nullptr;
    QAction* mnuAbout = nullptr;

    QMenu* pmnuNodex = nullptr;
    QAction* pmnuEdit = nullptr;
    QMenu* pmnuStateTitle = nullptr;
    QList<QAction*> pmnuState; ///< pmnuState0 to pmnuState5, one radio group
    QActionGroup* StateGroup = nullptr;
    QAction* pmnuWordCount = nullptr;
    QAction* pmnuHistory = nullptr;
    QAction* pmnuToCompilation = nullptr;
    QAction* pmnuMerge = nullptr;
    QAction* pmnuRemoveLinks = nullptr;
    QAction* pmnuRemoveFromChain = nullptr;
    QAction* pmnuPrint = nullptr;
    QAction* pmnuDuplicate = nullptr; ///< caption from the message table
    QAction* pmnuDelete = nullptr;
    QAction* NProperties = nullptr; ///< the separator before Properties
    QAction* pmnuProperties = nullptr;

    QMenu* pmnuPanel = nullptr;
    QAction* pmnuNewNodex = nullptr;

    QAction* mnuFindInProject = nullptr; ///< in the Edit menu; caption from the message table

    /// Builds every menu with its captions, shortcuts and separators on `window`.
    void Build(QMainWindow* window);
    /// The captions of our own items (the View menu, Export Manuscript), as the message table
    /// has them now.
    void ApplyOwnCaptions(const MessageTable& messages);
    /// The card pop-up menu as it applies to `card`: its own state checked, the items that do
    /// nothing for it hidden.
    void UpdateCardMenu(const TNodex& card);

private:
    void BuildViewMenu(QMenuBar* bar);
};
