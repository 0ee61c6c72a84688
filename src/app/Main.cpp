#include "app/Main.h"
#include "app/SyncConflictNotice.h"

#include "settings/FileTypes.h"
#include "project/ProjectFiles.h"
#include "settings/SettingsFile.h"
#include "app/WordCountCommands.h"
#include "compile/Compile.h"
#include "compile/FindAndCompile.h"
#include "editor/HistoryWindow.h"
#include "editor/TextSearch.h"
#include "app/Splash.h"
#include "app/WorkspaceSize.h"
#include "canvas/CanvasScene.h"
#include "canvas/CanvasFollower.h"
#include "canvas/CanvasView.h"
#include "canvas/Nodex.h"
#include "platform/AtomicWrite.h"
#include "platform/ConfinedName.h"
#include "platform/Dialogs.h"
#include "platform/IniFile.h"
#include "platform/NativeName.h"
#include "platform/Shell.h"
#include "platform/WaitCursor.h"
#include "project/ProjectPaths.h"
#include "settings/About.h"
#include "messages/MessageTable.h"
#include "settings/Options.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QCursor>
#include <QDateTime>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFontDatabase>
#include <QLoggingCategory>
#include <QMimeData>
#include <QFileInfo>
#include <QGraphicsPixmapItem>
#include <QGuiApplication>
#include <QHash>
#include <QKeyEvent>
#include <QLayout>
#include <QMenu>
#include <QRandomGenerator>
#include <QScreen>
#include <QStatusBar>

Q_LOGGING_CATEGORY(lcMain, "nodex.main")

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

constexpr int SplashDrawRange = 30;
constexpr int TitleLimit = 50;
} // namespace

// The splash pictures are compiled into a static library: registering them by name keeps the
// linker from leaving them out of the program.
static void RegisterSplashPictures()
{
    Q_INIT_RESOURCE(app);
}

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
    , FOutsideChanges(FStore, FEditors, FSteps, [this](int state) { return StateNamed(state); })
    , FRollingBackups(FProject, FSettings)
{
    setObjectName("fmMain");
    setWindowTitle("nofile");
    move(387, 195);
    resize(973, 760);
    setCentralWidget(FView);
    FMenus.Build(this);
    ConnectCommands();
    ConnectCanvas();
    ConnectZoom();

    RegisterSplashPictures();
    CreateSplash(splashDraw >= 0 ? splashDraw : int(QRandomGenerator::global()->bounded(SplashDrawRange)));
    FProject.Folders = folders;
    // An installed program's package tells the desktop about the file types for every user.
    if (!folders.Installed)
        RegisterFileTypes(folders.Data, QCoreApplication::applicationFilePath(), shell);
    ApplyWorkspaceSize();
    LoadSettings();

    FThemes.StateCaptionsChanged = [this] { ApplyStateCaptions(); };
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
    connect(&FSteps, &QUndoStack::indexChanged, this, &TfmMain::UpdateEditMenu);
    connect(FMenus.mnuOptions, &QAction::triggered, this, &TfmMain::mnuOptionsClick);
    FRecentFiles.SetMenuItem(FMenus.mnuOpenProject);
    FRecentFiles.OnClick = [this](const QString& path) {
        FProjectCommands.OpenRecentProject(path);
        UpdateCaption();
    };
    FProjectCommands.ForgetRecent = [this](const QString& path) { FRecentFiles.RemoveFile(path); };
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
    card(FMenus.pmnuRemoveLinks, [this] { FCardCommands.RemoveLinks(); });
    card(FMenus.pmnuMerge, [this] { FCardCommands.Merge(); });
    card(FMenus.pmnuProperties, [this] { FCardCommands.Properties(); });
    connect(FMenus.pmnuWordCount, &QAction::triggered, this, &TfmMain::pmnuWordCountClick);
    connect(FMenus.pmnuHistory, &QAction::triggered, this, &TfmMain::pmnuHistoryClick);
    connect(FMenus.mnuWordCount, &QAction::triggered, this, &TfmMain::mnuWordCountClick);
    connect(FMenus.pmnuPrint, &QAction::triggered, this, &TfmMain::pmnuPrintClick);
    connect(FMenus.mnuCompile, &QAction::triggered, this, &TfmMain::mnuCompileClick);
    connect(FMenus.mnuExportManuscript, &QAction::triggered, this, &TfmMain::mnuExportManuscriptClick);
    connect(FMenus.pmnuToCompilation, &QAction::triggered, this, &TfmMain::pmnuToCompilationClick);
    connect(FMenus.mnuFindAndCompile, &QAction::triggered, this, [this] {
        if (fmFindAndCompile)
            fmFindAndCompile->show();
    });
    for (int state = 0; state < FMenus.pmnuState.size(); ++state)
        card(FMenus.pmnuState[state], [this, state] { FCardCommands.SetRevisionState(state); });

    const auto explore = [this](QAction* item, auto folder) {
        connect(item, &QAction::triggered, this, [this, folder] { Explore(folder()); });
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
    FView->SetSelectNextLink(FSettings.SelectNextLink);
    FView->SetShowHints(FSettings.DescriptiveHints);
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

void TfmMain::OpenCardEditor(TNodex* card)
{
    if (!card || FSelection.SelectedCards.size() != 1)
        return;
    const CardId id = card->Id();
    TfmEditor* editor = FEditors.Of(id);
    if (!editor) {
        editor = new TfmEditor(FEditorContext, FSettings.StayOnTop, this);
        if (FEditorContext.TemplateEditor)
            editor->CopyCaptionsFrom(*FEditorContext.TemplateEditor);
        editor->ProjectFolder = FProject.ProjectFolder;
        editor->CardName = card->Name();
        editor->CardFilePath = FStore.CardFilePath(id);
        editor->TextFile = FStore.TextFilePath(id);
        connect(editor, &TfmEditor::Closed, this, [this, id] {
            FEditors.Remove(id);
            if (TNodex* shown = FFollower->Item(id))
                shown->SetEditor(nullptr);
            UpdateCaption();
        });
        // The card owns its editor: a card that goes takes its editor with it.
        card->SetEditor(editor);
        FEditors.Set(id, editor);
    }
    editor->ApplySettings(CurrentEditorSettings());
    editor->showNormal();
    editor->raise();
    editor->activateWindow();
    emit CardEditorRequested(card);
}

void TfmMain::SetCompileWindows(TfmCompile& compile, TfmFindAndCompile& findAndCompile)
{
    fmCompile = &compile;
    fmFindAndCompile = &findAndCompile;
    compile.EnsureCompilationCard = [this] {
        FCardCommands.EnsureCompilationCard();
        UpdateCaption();
    };
    compile.CompilationNameFree = [this](QString& reason) { return FCardCommands.CompilationNameFree(reason); };
    compile.FilesOf = [this](const QStringList& names) {
        // One index for the whole list: searching the canvas for each name of a long chain
        // would cost the square of its length. Filled last first, so the first card of a name wins.
        QHash<QString, const TNodex*> cards;
        cards.reserve(FCanvas->CardCount());
        for (auto card = FCanvas->Cards().crbegin(); card != FCanvas->Cards().crend(); ++card)
            cards.insert((*card)->Name(), *card);
        QList<CompileFiles> files;
        files.reserve(names.size());
        for (const QString& name : names) {
            const TNodex* card = cards.value(name);
            files << (card ? CompileFiles{FStore.CardFilePath(card->Id()), FStore.TextFilePath(card->Id())}
                           : CompileFilesOf(FProject.ProjectFolder, name));
        }
        return files;
    };
    findAndCompile.FindAndCompile = [this](const QString& text, bool matchCase, bool clearList) {
        FindAndCompile(text, matchCase, clearList);
    };
    FCardCommands.Context().CardRenamed = [&compile](const QString& oldName, const QString& newName) {
        compile.RenameEntries(oldName, newName);
    };
    FCardCommands.Context().CardDeleted = [&compile](const QString& name) { compile.RemoveFirstEntry(name); };
}

void TfmMain::ShowCompileWindow()
{
    fmCompile->SettingsFile = FProject.Folders.SettingsFile();
    fmCompile->ProjectFolder = FProject.ProjectFolder;
    fmCompile->ProjectName = QFileInfo(FProject.ProjectFileName).completeBaseName();
    fmCompile->ShowCompileWindow();
}

void TfmMain::mnuExportManuscriptClick()
{
    // An empty list is first filled as Compile fills it.
    if (fmCompile->Names().isEmpty())
        mnuCompileClick();
    else
        ShowCompileWindow();
    fmCompile->ExportManuscript();
}

void TfmMain::mnuCompileClick()
{
    TNodex* current = FSelection.CurrentCard;
    if (current) {
        WaitCursor wait;
        if (FSelection.SelectedCards.size() >= 2) {
            QStringList names;
            for (const TNodex* card : FSelection.SelectedCards)
                if (card->Type() != CompilationType)
                    names << card->Name();
            fmCompile->SetNames(names);
        } else if (current->LinkTo()) {
            // The chain from the current card on; a loop in a damaged project is walked once.
            QStringList names;
            for (const TNodex* card : ChainItems(current))
                names << card->Name();
            fmCompile->SetNames(names);
        } else if (current->Type() != CompilationType) {
            fmCompile->AppendOnce(current->Name());
        }
    }
    ShowCompileWindow();
}

void TfmMain::pmnuToCompilationClick()
{
    TNodex* current = FSelection.CurrentCard;
    if (!current)
        return;
    if (current->Type() != CompilationType)
        fmCompile->AppendOnce(current->Name());
    ShowCompileWindow();
}

void TfmMain::FindAndCompile(const QString& text, bool matchCase, bool clearList)
{
    if (FCanvas->CardCount() > 0) {
        WaitCursor wait;
        if (clearList)
            fmCompile->ClearAll();
        for (const TNodex* card : FCanvas->Cards()) {
            if (card->Type() == CompilationType)
                continue;
            const std::optional<QString> cardText = CardText(FEditors.Of(card->Id()), FStore.TextFilePath(card->Id()));
            if (cardText && FindForward(*cardText, 0, text, matchCase) >= 0)
                fmCompile->Append(card->Name());
        }
    }
    ShowCompileWindow();
}

EditorSettings TfmMain::CurrentEditorSettings() const
{
    return {FSettings.EditorPlacement, FSettings.AutoSave, FSettings.AutoSaveInterval, FSettings.StayOnTop,
            FSettings.EditorFontName, FSettings.EditorFontSize, FProject.TargetWordCount};
}

std::unique_ptr<TfmEditor> TfmMain::MakeHiddenEditor(const TNodex& card)
{
    auto editor = std::make_unique<TfmEditor>(FEditorContext);
    editor->setAttribute(Qt::WA_DeleteOnClose, false);
    editor->ProjectFolder = FProject.ProjectFolder;
    editor->CardName = card.Name();
    editor->TextFile = FStore.TextFilePath(card.Id());
    editor->ApplySettings(CurrentEditorSettings());
    return editor;
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
    // Leaving through Exit puts the open project at the top of the list; closing asks the questions.
    if (!FProject.IsUnnamed())
        FRecentFiles.AddFile(FProject.ProjectFolder + FProject.ProjectFileName);
    close();
}

void TfmMain::ApplyLanguage()
{
    const QString path = FProject.Folders.Data + "Languages/" + FSettings.Language;
    if (!StaysInFolder(FSettings.Language) || KindOf(path) == FileKind::Missing)
        return;
    IniFile file(path);
    QString error;
    if (!file.Load(error, IniFile::MaxSettingsBytes)) {
        qCInfo(lcMain).noquote() << "The language file is not applied:" << error;
        return;
    }
    if (TfmEditor* editor = FEditorContext.TemplateEditor) {
        editor->LanguageName = LanguageName(FSettings.Language);
        editor->SpellDialogLanguage = SpellDialogLanguage(editor->LanguageName);
    }
    ApplyLanguageFile(file, FTranslatedWindows, FMessages);
    FMenus.ApplyOwnCaptions(FMessages);
    UpdateCaption();
}

void TfmMain::mnuOptionsClick()
{
    if (fmOptions) {
        fmOptions->SetValues(CurrentOptions());
        if (FDialogs.RunModal(*fmOptions))
            ApplyOptions(fmOptions->Values());
    }
    UpdateCaption();
}

OptionValues TfmMain::CurrentOptions() const
{
    OptionValues options;
    options.LanguageFile = FSettings.Language;
    options.DefaultTheme = FTheme.DefaultTheme;
    options.ProjectTheme = FTheme.ThemeName;
    options.SelectNextLink = FSettings.SelectNextLink;
    options.Hints = FSettings.DescriptiveHints;
    options.EditMemory = int(FSettings.EditorPlacement);
    options.EditorsOnTop = FSettings.StayOnTop;
    options.FontName = FSettings.EditorFontName;
    options.FontSize = FSettings.EditorFontSize;
    options.AutoSave = FSettings.AutoSave;
    options.AutoSaveInterval = FSettings.AutoSaveInterval;
    options.AutomaticBackups = FSettings.AutomaticBackups;
    options.WorkspaceSize = FProject.WorkspaceSize;
    options.BoldBaseType = FProject.BoldBaseType;
    options.TargetWordCount = FProject.TargetWordCount;
    return options;
}

void TfmMain::ApplyOptions(const OptionValues& options)
{
    FSettings.EditorPlacement = EditMemoryFrom(options.EditMemory);
    FSettings.AutoSave = options.AutoSave;
    FSettings.AutoSaveInterval = options.AutoSaveInterval;
    FSettings.AutomaticBackups = options.AutomaticBackups;
    FSettings.DescriptiveHints = options.Hints;
    FView->SetShowHints(options.Hints);
    FSettings.SelectNextLink = options.SelectNextLink;
    FView->SetSelectNextLink(options.SelectNextLink);
    if (!options.LanguageFile.isEmpty() && options.LanguageFile != FSettings.Language) {
        FSettings.Language = options.LanguageFile;
        ApplyLanguage();
    }
    if (!options.DefaultTheme.isEmpty())
        FTheme.DefaultTheme = options.DefaultTheme;
    // What the project file keeps is a step of its own, to be undone like any other change.
    const ProjectOptions before = CurrentProjectOptions();
    ProjectOptions after = before;
    after.TargetWordCount = options.TargetWordCount;
    after.WorkspaceSize = options.WorkspaceSize;
    after.BoldBaseType = options.BoldBaseType;
    if (!options.ProjectTheme.isEmpty())
        after.ThemeName = options.ProjectTheme;
    if (after != before)
        FSteps.push(new ProjectOptionsStep(FCardCommands.Context(), before, after,
                                           [this](const ProjectOptions& applied) { ApplyProjectOptions(applied); }));
    // Editors opened from now on stay on top; those open keep their windowing.
    FSettings.StayOnTop = options.EditorsOnTop;
    FSettings.EditorFontName = options.FontName;
    FSettings.EditorFontSize = options.FontSize;
    ApplyOptionsToEditors();
    SaveSettings();
}

ProjectOptions TfmMain::CurrentProjectOptions() const
{
    return {FProject.TargetWordCount, FProject.WorkspaceSize, FProject.BoldBaseType, FTheme.ThemeName};
}

void TfmMain::ApplyProjectOptions(const ProjectOptions& options)
{
    FProject.TargetWordCount = options.TargetWordCount;
    const bool resized = options.WorkspaceSize != FProject.WorkspaceSize;
    FProject.WorkspaceSize = options.WorkspaceSize;
    if (resized)
        ApplyWorkspaceSize();
    if (options.ThemeName != FTheme.ThemeName)
        FThemes.LoadTheme(options.ThemeName);
    FProject.BoldBaseType = options.BoldBaseType;
    FFollower->SetBoldBaseType(options.BoldBaseType);
    for (TNodex* card : FCanvas->Cards()) {
        card->SetBoldBaseType(options.BoldBaseType);
        // The canvas may have just shrunk.
        card->ClampToParent();
    }
    ApplyOptionsToEditors();
    UpdateCaption();
}

void TfmMain::ApplyOptionsToEditors()
{
    for (TfmEditor* editor : FEditors.Open())
        editor->TakeOptions(CurrentEditorSettings());
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
    // Gone for good, rather than hidden: among thousands of cards it would stand in the way
    // of the canvas clearing them cheaply.
    delete std::exchange(imgFlash, nullptr);
}

QPixmap TfmMain::SplashPicture() const { return imgFlash ? imgFlash->pixmap() : QPixmap(); }

bool TfmMain::SplashVisible() const { return imgFlash && imgFlash->isVisible(); }

void TfmMain::menuClicked()
{
    HideSplash();
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

    UpdateEditMenu();
    if (FSelection.CurrentCard)
        UpdateCardMenu(*FSelection.CurrentCard);
}

void TfmMain::UpdateEditMenu()
{
    FMenus.mmnuEdit->setTitle(FMessages.Text(MessageKey::EDIT_MENU));
    // The captions name the step, as the writer would call it: "Undo Move 3 Cards".
    const auto caption = [this](MessageKey plain, MessageKey named, const QString& step) {
        return step.isEmpty() ? FMessages.Text(plain) : FMessages.Text(named).arg(step);
    };
    FMenus.mnuUndo->setText(caption(MessageKey::UNDO, MessageKey::UNDO_STEP, FSteps.undoText()));
    FMenus.mnuRedo->setText(caption(MessageKey::REDO, MessageKey::REDO_STEP, FSteps.redoText()));
    FMenus.mnuUndo->setEnabled(FSteps.canUndo());
    FMenus.mnuRedo->setEnabled(FSteps.canRedo());
}

void TfmMain::Undo()
{
    if (StepIsSafe(FSteps.command(FSteps.index() - 1), true))
        RunStepKeepingEditorsCurrent([this] { FSteps.undo(); });
    UpdateCaption();
}

void TfmMain::Redo()
{
    if (StepIsSafe(FSteps.command(FSteps.index()), false))
        RunStepKeepingEditorsCurrent([this] { FSteps.redo(); });
    UpdateCaption();
}

void TfmMain::RunStepKeepingEditorsCurrent(const std::function<void()>& run)
{
    // A step that writes a card's text back (the undo of a merge) leaves that card's open
    // editor showing what the file no longer holds; such editors load their text again. The
    // editors were saved before, so nothing typed is lost.
    QHash<TfmEditor*, QPair<qint64, QDateTime>> before;
    for (TfmEditor* editor : FEditors.Open()) {
        const QFileInfo file(editor->TextFilePath());
        before.insert(editor, { file.size(), file.lastModified() });
    }
    run();
    for (TfmEditor* editor : FEditors.Open()) {
        const QFileInfo file(editor->TextFilePath());
        if (before.contains(editor) && before.value(editor) != qMakePair(file.size(), file.lastModified()))
            editor->ReloadText();
    }
}

bool TfmMain::StepIsSafe(const QUndoCommand* command, bool undo)
{
    const auto* step = dynamic_cast<const ProjectStep*>(command);
    if (!step)
        return true;
    // A step may take a card away, and its editor with it: what is typed there is saved first,
    // so that nothing is lost and the step's own checks see the text as it is on disk.
    QString reason;
    if (SaveEditorTexts(reason) && (undo ? step->CanUndo(reason) : step->CanRedo(reason)))
        return true;
    FDialogs.ShowWarning(FMessages.Text(undo ? MessageKey::UNDO_NOT_DONE : MessageKey::REDO_NOT_DONE), reason);
    return false;
}

bool TfmMain::SaveEditorTexts(QString& reason)
{
    for (TfmEditor* editor : FEditors.Open()) {
        if (editor->IsModified() && !editor->SaveText()) {
            reason = FMessages.Text(MessageKey::TEXT_NOT_SAVED).arg(editor->CardName);
            return false;
        }
    }
    return true;
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

void TfmMain::ClearCanvas()
{
    FModel.Clear();
    FSelection.CurrentCard = nullptr;
    FSelection.SelectedCards.clear();
}

QList<TNodex*> TfmMain::ChainItems(const TNodex* first) const
{
    QList<TNodex*> chain;
    for (const CardId card : FModel.ChainFrom(first ? first->Id() : 0))
        chain << FFollower->Item(card);
    return chain;
}

void TfmMain::ShowFailures(const QList<StoreMessage>& failures)
{
    for (const StoreMessage& failure : failures)
        FDialogs.ShowWarning(failure.Headline, failure.Reason);
}

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

bool TfmMain::AnyEditorModified() const
{
    const QList<TfmEditor*> editors = FEditors.Open();
    return std::any_of(editors.begin(), editors.end(), [](const TfmEditor* editor) { return editor->IsModified(); });
}

bool TfmMain::SaveModifiedEditors()
{
    bool allSaved = true;
    for (TfmEditor* editor : FEditors.Open()) {
        if (!editor->IsModified())
            continue;
        if (editor->SaveText())
            editor->close();
        else
            allSaved = false;
    }
    return allSaved;
}

void TfmMain::CreateCardFromFile(const QString& path, QPoint canvasPoint)
{
    TNodex* card = nullptr;
    RunCardCommand([&] {
        if (FCardCommands.CreateCard(canvasPoint))
            card = FSelection.CurrentCard;
    });
    if (!card)
        return;
    // The text goes through an editor that is never shown, as an import into an open one does.
    const auto editor = MakeHiddenEditor(*card);
    // A text file the name already had (kept by an earlier delete) is not replaced unasked.
    editor->ReloadText();
    editor->ImportText(path);
    if (editor->IsModified())
        editor->SaveText();
}

void TfmMain::pmnuHistoryClick()
{
    TNodex* card = FSelection.CurrentCard;
    if (!card)
        return;
    const CardId id = card->Id();
    auto* window = new HistoryWindow(FProject.ProjectFolder, card->Name(), FDialogs, FMessages,
        TfmEditor::EditorHistoryHooks([this, id] { return FEditors.Of(id); }), this);
    window->show();
}

void TfmMain::pmnuWordCountClick()
{
    TNodex* card = FSelection.CurrentCard;
    if (!card)
        return;
    qint64 words = 0;
    {
        WaitCursor wait;
        words = CardWords(FEditors.Of(card->Id()), FStore.TextFilePath(card->Id()));
    }
    FDialogs.ShowInformation(CardWordCountMessage(*card, words, FProject.TargetWordCount, FMessages));
}

void TfmMain::mnuWordCountClick()
{
    QString message;
    {
        WaitCursor wait;
        message = ProjectWordCountMessage(
            *FCanvas, FSelection, ChainItems(FSelection.CurrentCard), FTheme,
            [this](const TNodex& card) { return CardWords(FEditors.Of(card.Id()), FStore.TextFilePath(card.Id())); },
            FProject.TargetWordCount, FMessages);
    }
    FDialogs.ShowInformation(message);
}

void TfmMain::pmnuPrintClick()
{
    TNodex* card = FSelection.CurrentCard;
    if (!card)
        return;
    if (KindOf(FStore.TextFilePath(card->Id())) != FileKind::Regular) {
        FDialogs.ShowInformation(FMessages.Text(MessageKey::NOTHING_TO_PRINT));
        return;
    }
    if (TfmEditor* editor = FEditors.Of(card->Id())) {
        editor->mnuPrintClick();
        return;
    }
    const auto editor = MakeHiddenEditor(*card);
    editor->ReloadText();
    editor->mnuPrintClick();
}

void TfmMain::dragEnterEvent(QDragEnterEvent* event)
{
    if (event->mimeData()->hasUrls())
        event->acceptProposedAction();
}

void TfmMain::dropEvent(QDropEvent* event)
{
    HideSplash();
    FShell.BringToFront(this);
    QStringList paths;
    for (const QUrl& url : event->mimeData()->urls())
        paths << (url.isLocalFile() ? url.toLocalFile() : url.toString());
    const QPoint at = FView->mapToScene(FView->viewport()->mapFrom(this, event->position().toPoint())).toPoint();
    event->acceptProposedAction();
    FProjectCommands.DropFiles(paths, at);
    UpdateCaption();
}

void TfmMain::LoadSettings()
{
    RemoveWriteLeftovers(FProject.Folders.Settings);
    IniFile file(FProject.Folders.SettingsFile());
    QString error;
    if (!file.Load(error, IniFile::MaxSettingsBytes))
        qCInfo(lcMain).noquote() << "The settings keep their defaults:" << error;
    FRecentFiles.LoadFromIni(file, RecentFilesSection);
    const bool georgia = QFontDatabase::families().contains(QStringLiteral("Georgia"), Qt::CaseInsensitive);
    FSettings = ReadSettings(file, georgia ? QStringLiteral("Georgia") : QStringLiteral("Arial"), FTheme.DefaultTheme);
    FView->SetShowHints(FSettings.DescriptiveHints);
    FView->SetSelectNextLink(FSettings.SelectNextLink);
    ApplyPlacement(FSettings.Window);
}

void TfmMain::SaveSettings()
{
    FSettings.Window = CurrentPlacement();
    IniFile file(FProject.Folders.SettingsFile());
    QString error;
    const bool written = file.Load(error, IniFile::MaxSettingsBytes)
        && (FRecentFiles.SaveToIni(file, RecentFilesSection), WriteSettings(file, FSettings, FTheme.DefaultTheme,
                          !FSettings.Window.Maximised && FProject.ProjectFileName == ProjectState::Unnamed),
            file.Save(error));
    // The program's folder may be read-only for the writer: the settings are then kept for this
    // session only, and closing should not stop to say so each time.
    if (!written)
        qCWarning(lcMain).noquote() << "The settings could not be written:" << error;
}

bool TfmMain::StateNamed(int state) const
{
    return state >= 0 && state < FTheme.StateNames.size() && !FTheme.StateNames[state].isEmpty();
}

bool TfmMain::OpenProject(const QString& path)
{
    if (!isVisible())
        show();
    HideSplash();
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
    steps.StateNamed = [this](int state) { return StateNamed(state); };
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
    if (fmCompile)
        fmCompile->ClearAll();
    FRecentFiles.AddFile(FProject.ProjectFolder + FProject.ProjectFileName);
    ApplyPlacement(opened.Placement);
    ApplyWorkspaceSize();
    FView->RestoreZoom(FProject.Zoom);
    FOutsideChanges.Follow(FProject.ProjectFolder);
    UpdateCaption();
    return true;
}

void TfmMain::SaveProject()
{
    QList<StoreMessage> failures;
    {
        WaitCursor wait;
        failures = FStore.SaveProject(CurrentPlacement(), FTheme.ThemeName, [this](const QStringList& cardNames) {
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
    UpdateCaption();
}

WindowPlacement TfmMain::CurrentPlacement() const
{
    return {isMaximized(), true, x(), y(), width(), height()};
}

void TfmMain::ApplyPlacement(const WindowPlacement& placement)
{
    PlaceWindow(*this, placement);
    setWindowState(placement.Maximised ? Qt::WindowMaximized : Qt::WindowNoState);
}

void TfmMain::CloseProject()
{
    FRollingBackups.ProjectLeaving();
    DropProject();
}

void TfmMain::DropProject()
{
    FOutsideChanges.Follow({});
    FStore.CloseProject();
    FSteps.clear();
    if (fmCompile)
        fmCompile->ClearAll();
    FProject.WorkspaceSize = 0;
    ApplyWorkspaceSize();
    FView->RestoreZoom(CanvasZoom::ActualSize);
    FProject.ProjectOnDisk = false;
    setWindowTitle("nofile");
    FProject.ProjectFileName = ProjectState::Unnamed;
    ClearCanvas();
    FTheme.NextCardType = 1;
    FSelection.DoubleClickPending = false;
    FProject.TargetWordCount = 0;
    UpdateCaption();
}

void TfmMain::closeEvent(QCloseEvent* event)
{
    if (!FProjectCommands.SavePrompts(ProjectCommands::AfterSaveAs::Stop)) {
        event->ignore();
        return;
    }
    SaveSettings();
    FRollingBackups.ProjectLeaving();
    FSteps.clear();
    ClearCanvas();
    FStore.CloseProject();
    event->accept();
}

void TfmMain::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (!std::exchange(FLanguageApplied, true))
        ApplyLanguage();
    CentreSplash();
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
    CentreSplash();
}
