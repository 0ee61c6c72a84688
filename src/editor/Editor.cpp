#include "editor/Editor.h"

#include "editor/EditorHighlighter.h"
#include "editor/EditorMemo.h"
#include "editor/EditorPlacement.h"
#include "editor/FindReplace.h"
#include "editor/CompareWindow.h"
#include "editor/EmphasisEdit.h"
#include "editor/HistoryWindow.h"
#include "editor/ImportFile.h"
#include "editor/LiveWordCount.h"
#include "editor/MemoPositions.h"
#include "editor/MemoText.h"
#include "editor/RecoveryWriter.h"
#include "editor/UCLinePrinter.h"
#include "editor/WordCount.h"
#include "editor/WordUsageWindow.h"
#include "platform/Dialogs.h"
#include "platform/Shell.h"
#include "platform/WaitCursor.h"
#include "platform/WindowPlacement.h"
#include "project/ProjectPaths.h"
#include "project/RecoveryStore.h"
#include "messages/MessageTable.h"
#include "spelling/LookUpWord.h"
#include "spelling/ThesaurusDialog.h"
#include "spelling/SpellCheck.h"
#include "spelling/SpellChecker.h"
#include "spelling/Misspellings.h"

#include <QApplication>
#include <QClipboard>
#include <QDateTime>
#include <QCloseEvent>
#include <QScopedValueRollback>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QLoggingCategory>
#include <QMenu>
#include <QMimeData>
#include <QPrinter>
#include <QScreen>
#include <QStatusBar>
#include <QTextBlock>
#include <QTime>
#include <QTimer>
#include <utility>

Q_LOGGING_CATEGORY(lcEditor, "nodex.editor")

namespace {
const QString NoFileCaption = QStringLiteral("nofile");
constexpr int MinuteMs = 60'000;
/// Typing that pauses this long has its text kept for recovery, well within two seconds of the
/// last key.
constexpr int RecoveryPauseMs = 1'500;
/// Typing that never pauses has its text kept at least this often.
constexpr int RecoveryLongestMs = 30'000;

/// For a block that continues a long paragraph, the paragraph's start, which the spelling rules
/// read as the start of its line; nothing for a block that starts a line.
QString LineLeadIn(const QTextBlock& block)
{
    QTextBlock start = block;
    while (IsSoftBreakBefore(start))
        start = start.previous();
    return start == block ? QString() : start.text();
}

} // namespace

TfmEditor::TfmEditor(EditorContext& context, bool stayOnTop, QWidget* parent)
    : QMainWindow(parent, stayOnTop ? Qt::Window | Qt::WindowStaysOnTopHint : Qt::Window)
    , memEditor(new EditorMemo)
    , dlgSpeller(new TSpellChecker(context.Spelling, context.Questions, context.Messages, this))
    , FContext(context)
    , sbStatus(new QLabel)
    , sbSpelling(new QLabel)
    , tmrAutoSave(new QTimer(this))
    , tmrRecovery(new QTimer(this))
    , tmrRecoveryLongest(new QTimer(this))
    , sbWordCount(new QLabel)
    , dlgThesaurus(QStringList { context.Folders.Data + "Thesaurus/" } + context.SystemThesaurusFolders)
    , FSpellTarget(*memEditor)
    , FText(ProjectFolder, CardName, TextFile)
{
    setObjectName("fmEditor");
    setWindowTitle(NoFileCaption);
    setAttribute(Qt::WA_DeleteOnClose);
    setAcceptDrops(true);
    memEditor->setAcceptDrops(false);
    setCentralWidget(memEditor);
    sbStatus->setObjectName("sbStatus");
    statusBar()->addWidget(sbStatus, 1);
    sbWordCount->setObjectName("sbWordCount");
    statusBar()->addPermanentWidget(sbWordCount);
    sbWordCount->hide();
    sbSpelling->setObjectName("sbSpelling");
    statusBar()->addPermanentWidget(sbSpelling);
    sbSpelling->hide();
    tmrAutoSave->setObjectName("tmrAutoSave");
    for (QTimer* timer : {tmrRecovery, tmrRecoveryLongest})
        timer->setSingleShot(true);
    tmrRecovery->setInterval(RecoveryPauseMs);
    tmrRecoveryLongest->setInterval(RecoveryLongestMs);
    Menus.Build(this);
    memEditor->setContextMenuPolicy(Qt::CustomContextMenu);
    ConnectCommands();
    resize(600, 400);
}

TfmEditor::~TfmEditor()
{
    // The worker's report of a write must find its editor.
    RecoveryWriter::WaitForAll();
    delete FFindDialog.data();
    // The memo still repaints while the window is taken down; what it reports is no longer ours.
    disconnect(memEditor, nullptr, this, nullptr);
}

void TfmEditor::ConnectCommands()
{
    EditorMenus& m = Menus;
    connect(m.mnuImportText, &QAction::triggered, this, &TfmEditor::mnuImportTextClick);
    connect(m.mnuSave, &QAction::triggered, this, &TfmEditor::SaveText);
    connect(m.mnuPrint, &QAction::triggered, this, &TfmEditor::mnuPrintClick);
    const auto explore = [this](QAction* item, const QString& folder) {
        connect(item, &QAction::triggered, this, [this, folder] {
            FContext.Folders.Prepare(folder);
            FContext.Desktop.ExploreFolder(folder);
        });
    };
    explore(m.mnuExploreTemplates, FContext.Folders.Data + "Templates/");
    explore(m.mnuExploreDictionaries, FContext.Folders.Spelling);
    explore(m.mnuExploreThesaurus, FContext.Folders.Data + "Thesaurus/");
    connect(m.mnuClose, &QAction::triggered, this, &QWidget::close);
    for (QAction* undo : {m.mnuUndo, m.pmnuUndo})
        connect(undo, &QAction::triggered, memEditor, &EditorMemo::Undo);
    for (QAction* cut : {m.mnuCut, m.pmnuCut})
        connect(cut, &QAction::triggered, memEditor, &QPlainTextEdit::cut);
    for (QAction* copy : {m.mnuCopy, m.pmnuCopy})
        connect(copy, &QAction::triggered, memEditor, &QPlainTextEdit::copy);
    for (QAction* paste : {m.mnuPaste, m.pmnuPaste})
        connect(paste, &QAction::triggered, memEditor, &QPlainTextEdit::paste);
    for (QAction* all : {m.mnuSelectAll, m.pmnuSelectAll})
        connect(all, &QAction::triggered, memEditor, &QPlainTextEdit::selectAll);
    connect(m.mnuFindReplace, &QAction::triggered, this, &TfmEditor::OpenFindReplace);
    connect(m.mnuRepeatFind, &QAction::triggered, this, &TfmEditor::RepeatFind);
    connect(memEditor, &EditorMemo::RepeatFindRequested, this, &TfmEditor::RepeatFind);
    connect(m.mnuThesaurus, &QAction::triggered, this, &TfmEditor::mnuThesaurusClick);
    connect(m.mnuWordCount, &QAction::triggered, this, &TfmEditor::mnuWordCountClick);
    connect(m.mnuWordUsage, &QAction::triggered, this, &TfmEditor::mnuWordUsageClick);
    connect(m.mnuHistory, &QAction::triggered, this, &TfmEditor::OpenHistory);
    connect(m.mnuSaveWindowPos, &QAction::triggered, this, &TfmEditor::mnuSaveWindowPosClick);
    connect(m.mnuHelp, &QAction::triggered, this, [this] { FContext.Desktop.ShowHelp({}); });
    connect(m.mnuFindInProject, &QAction::triggered, this, [this] {
        if (FContext.FindInProject)
            FContext.FindInProject();
    });
    connect(m.mnuSpellCheck, &QAction::triggered, this, [this] { dlgSpeller->Check(FSpellTarget, ckWholeText); });
    connect(m.mnuSpellingOptions, &QAction::triggered, dlgSpeller, &TSpellChecker::ShowConfigDialog);
    connect(dlgSpeller, &TSpellChecker::DialogDeactivate, this, &TfmEditor::dlgSpellerDialogDeactivate);
    connect(&FContext.Spelling, &SpellEngine::Changed, this, &TfmEditor::FollowSpellingOptions);
    connect(memEditor, &QPlainTextEdit::updateRequest, this, &TfmEditor::DrawTextInView);
    const auto toggle = [this](QAction* item, Emphasis emphasis) {
        connect(item, &QAction::triggered, this, [this, emphasis] {
            if (memEditor->isReadOnly())
                return;
            QTextCursor cursor = memEditor->textCursor();
            ToggleEmphasis(cursor, emphasis);
            memEditor->setTextCursor(cursor);
        });
    };
    toggle(m.mnuItalic, Emphasis::Italic);
    toggle(m.mnuBold, Emphasis::Bold);
    // Menu states are worked out when a menu opens; a shortcut refreshes them first, so that a
    // command whose item is disabled at that moment does nothing.
    // The command states follow the memo as it changes, so that a shortcut never meets a
    // stale state: Ctrl+S works as soon as the first key is typed.
    for (QMenu* menu : {m.mmnuFile, m.mmnuEdit, m.mmnuSearch, m.mmnuTools, m.mmnuHelp, m.pmnuEditor})
        connect(menu, &QMenu::aboutToShow, this, &TfmEditor::RefreshEditorState);
    connect(memEditor, &QPlainTextEdit::modificationChanged, this, &TfmEditor::RefreshEditorState);
    connect(memEditor, &QPlainTextEdit::selectionChanged, this, &TfmEditor::RefreshEditorState);
    connect(memEditor, &QPlainTextEdit::undoAvailable, this, &TfmEditor::RefreshEditorState);
    connect(memEditor->document(), &QTextDocument::contentsChange, this, [this](int, int removed, int added) {
        if (removed != added)
            RefreshEditorState();
    });
    const auto clipboardChanged = [this] {
        FCanPaste = !QGuiApplication::clipboard()->text().isEmpty();
        RefreshEditorState();
    };
    connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, this, clipboardChanged);
    FCanPaste = !QGuiApplication::clipboard()->text().isEmpty();
    connect(memEditor, &QWidget::customContextMenuRequested, this, [this](QPoint at) {
        AddSpellingItems(at);
        Menus.pmnuEditor->popup(memEditor->mapToGlobal(at));
    });
    connect(memEditor, &QPlainTextEdit::textChanged, this, [this] {
        if (isVisible() && IsModified() && !windowTitle().contains(ModifiedMarker()))
            setWindowTitle(windowTitle() + ModifiedMarker());
    });
    connect(tmrAutoSave, &QTimer::timeout, this, &TfmEditor::AutoSaveTick);
    // A key only restarts a timer: the text is kept off the key's path, once typing pauses.
    connect(memEditor->document(), &QTextDocument::contentsChange, this, [this] {
        if (RecoveryFolder.isEmpty())
            return;
        tmrRecovery->start();
        if (!tmrRecoveryLongest->isActive())
            tmrRecoveryLongest->start();
    });
    for (QTimer* timer : {tmrRecovery, tmrRecoveryLongest})
        connect(timer, &QTimer::timeout, this, &TfmEditor::KeepForRecovery);
    // Saved, or back where it was read: there is nothing left to recover.
    // A load is no such moment: the text restored from recovery is read before its editor loads
    // the file.
    connect(memEditor, &QPlainTextEdit::modificationChanged, this, [this](bool modified) {
        if (!modified && !FLoading)
            DiscardRecovery();
    });
}

void TfmEditor::CopyCaptionsFrom(const TfmEditor& source)
{
    for (QAction* action : findChildren<QAction*>()) {
        if (action->objectName().isEmpty())
            continue;
        if (const auto* original = source.findChild<QAction*>(action->objectName()))
            action->setText(original->text());
    }
    for (QMenu* menu : findChildren<QMenu*>()) {
        if (const auto* original = source.findChild<QMenu*>(menu->objectName()))
            menu->setTitle(original->title());
    }
    // The language files know no section for it: its caption comes from the message table.
    Menus.mnuFindInProject->setText(Messages().Text(MessageKey::FIND_IN_PROJECT));
    LanguageName = source.LanguageName;
    SpellDialogLanguage = source.SpellDialogLanguage;
    dlgSpeller->ApplyCaptions();
}

void TfmEditor::ApplySettings(const EditorSettings& settings)
{
    WindowMemory = settings.WindowMemory;
    TargetWordCount = settings.TargetWordCount;
    QFont font(settings.FontName);
    font.setPointSize(settings.FontSize);
    memEditor->setFont(font);
    FAutoSave = settings.AutoSave;
    FAutoSaveInterval = settings.AutoSaveInterval;
    ShowLiveWordCount();
}

void TfmEditor::TakeOptions(const EditorSettings& settings)
{
    if (FContext.TemplateEditor)
        CopyCaptionsFrom(*FContext.TemplateEditor);
    if (FFindDialog && FContext.TemplateFindReplace)
        FFindDialog->CopyCaptionsFrom(*FContext.TemplateFindReplace);
    ApplySettings(settings);
    SetAutoSave(FAutoSave);
    // The caption in the language now in use.
    if (isVisible())
        setWindowTitle(Messages().Text(MessageKey::EDITING_CAPTION).arg(CardName) + (IsModified() ? ModifiedMarker() : QString()));
    RefreshEditorState();
}

QString TfmEditor::TextFilePath() const
{
    return FText.Path();
}

bool TfmEditor::IsModified() const { return memEditor->document()->isModified(); }

void TfmEditor::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (FFirstShow) {
        FFirstShow = false;
        SetAutoSave(FAutoSave);
        ReadPlacement();
        LoadOnFirstShow();
        SetLiveWordCount(true);
        FollowSpellingOptions();
    }
    RefreshEditorState();
    ShowAutoSaveState();
}

void TfmEditor::LoadOnFirstShow()
{
    if (windowTitle() != NoFileCaption || !memEditor->document()->isEmpty())
        return;
    LoadText();
}

bool TfmEditor::LoadText(bool warn)
{
    const QString unreadable = FText.Unreadable();
    QString text;
    QString reason;
    FileRead read = FileRead::Failed;
    {
        WaitCursor wait;
        read = FText.Load(text, reason);
    }
    if (read == FileRead::Read) {
        QScopedValueRollback loading(FLoading, true);
        memEditor->SetText(text);
        memEditor->document()->setModified(false);
    }
    const bool loaded = read != FileRead::Failed;
    memEditor->setReadOnly(!loaded);
    if (FText.Unreadable() != unreadable)
        ShowAutoSaveState();
    if (!loaded && warn)
        FContext.Questions.ShowWarning(FContext.Messages.Text(MessageKey::CANNOT_OPEN_FILE), reason);
    return loaded;
}

void TfmEditor::ReloadText()
{
    if (LoadText())
        RefreshEditorState();
}

void TfmEditor::RefreshEditorState()
{
    // The caption belongs to a shown editor; the hidden template's stays "nofile".
    if (!isVisible()) {
    } else if (IsModified()) {
        if (!windowTitle().contains(ModifiedMarker()))
            setWindowTitle(windowTitle() + ModifiedMarker());
    } else if (windowTitle() == NoFileCaption || windowTitle().contains(ModifiedMarker())) {
        setWindowTitle(Messages().Text(MessageKey::EDITING_CAPTION).arg(CardName));
    }
    const bool hasText = !memEditor->document()->isEmpty();
    const bool hasSelection = memEditor->textCursor().hasSelection();
    EditorMenus& m = Menus;
    m.mnuSave->setEnabled(IsModified());
    m.mnuPrint->setEnabled(hasText);
    for (QAction* undo : {m.mnuUndo, m.pmnuUndo})
        undo->setEnabled(memEditor->document()->isUndoAvailable());
    for (QAction* item : {m.mnuCopy, m.mnuCut, m.pmnuCopy, m.pmnuCut})
        item->setEnabled(hasSelection);
    for (QAction* paste : {m.mnuPaste, m.pmnuPaste})
        paste->setEnabled(FCanPaste);
    for (QAction* item : {m.mnuFindReplace, m.mnuRepeatFind, m.mnuSpellCheck, m.mnuThesaurus, m.mnuWordCount, m.mnuWordUsage})
        item->setEnabled(hasText);
    m.mnuSaveWindowPos->setEnabled(WindowMemory == EditMemory::Single);
    for (QAction* item : {m.mnuItalic, m.mnuBold})
        item->setEnabled(!memEditor->isReadOnly());
}

bool TfmEditor::SaveText()
{
    if (!FText.Unreadable().isEmpty()) {
        FContext.Questions.ShowWarning(FContext.Messages.Text(MessageKey::CANNOT_WRITE_FILE),
            Messages().Text(MessageKey::TEXT_NOT_OVERWRITTEN) + " " + FText.Unreadable());
        return false;
    }
    QString reason;
    // Encoded at once, so that the 10 MB of a long text's copy are not held through the write.
    const QByteArray bytes = EditorText::Encoded(memEditor->Text());
    GuardedWrite outcome = GuardedWrite::Failed;
    {
        WaitCursor wait;
        outcome = FText.Save(bytes, reason);
    }
    if (outcome == GuardedWrite::ChangedOnDisk) {
        if (!FContext.Questions.AskOkCancel(FContext.Messages.Text(MessageKey::TEXT_CHANGED_ELSEWHERE).arg(CardName)))
            return false;
        WaitCursor wait;
        outcome = FText.SaveOverTheirs(bytes, reason);
    }
    const bool saved = outcome == GuardedWrite::Written;
    if (saved) {
        memEditor->document()->setModified(false);
        emit Saved();
    }
    if (!saved)
        FContext.Questions.ShowWarning(FContext.Messages.Text(MessageKey::CANNOT_WRITE_FILE), reason);
    else if (!FText.HistoryProblem().isEmpty())
        ShowStatus(" " + Messages().Text(MessageKey::HISTORY_NOT_KEPT).arg(FText.HistoryProblem()));
    RefreshEditorState();
    return saved;
}

/// Shows the text on disk beside the memo's. Nothing is chosen yet: coming back to the editor
/// asks again, and a save asks before it replaces theirs.
void TfmEditor::CompareWithTheirs()
{
    QString theirs;
    QString reason;
    if (!FText.ReadTheirs(theirs, reason)) {
        FContext.Questions.ShowWarning(Messages().Text(MessageKey::ERROR_READING_FILE), reason);
        return;
    }
    const MessageTable& texts = Messages();
    auto* window = new CompareWindow(texts.Text(MessageKey::COMPARE_TITLE).arg(CardName),
                                  texts.Text(MessageKey::TAKE_THEIRS), theirs, texts.Text(MessageKey::KEEP_MINE),
                                  memEditor->Text(), this);
    window->show();
}

/// Keeps the memo's text in the card's history, then reads theirs into the memo.
void TfmEditor::TakeTheirs()
{
    QString reason;
    if (!FText.KeepMine(memEditor->Text(), reason)) {
        FContext.Questions.ShowWarning(FContext.Messages.Text(MessageKey::CANNOT_WRITE_FILE), reason);
        return;
    }
    if (LoadText()) {
        DiscardRecovery();
        RefreshEditorState();
        ShowStatus(" " + Messages().Text(MessageKey::TEXT_RELOADED));
    }
}

void TfmEditor::CheckTextOnDisk()
{
    if (FAskingAboutDisk || !FText.Unreadable().isEmpty() || CardName.isEmpty() || !FText.ChangedOnDisk())
        return;
    if (!IsModified()) {
        if (LoadText(false)) {
            RefreshEditorState();
            ShowStatus(" " + Messages().Text(MessageKey::TEXT_RELOADED));
        }
        return;
    }
    QScopedValueRollback asking(FAskingAboutDisk, true);
    const MessageTable& texts = Messages();
    const int choice = FContext.Questions.AskChoice(texts.Text(MessageKey::TEXT_CHANGED_WHILE_EDITING).arg(CardName),
                                                    {texts.Text(MessageKey::KEEP_MINE), texts.Text(MessageKey::TAKE_THEIRS),
                                                     texts.Text(MessageKey::COMPARE)});
    QString reason;
    if (choice == 0 && !FText.KeepTheirs(reason))
        FContext.Questions.ShowWarning(texts.Text(MessageKey::CANNOT_WRITE_FILE), reason);
    else if (choice == 1)
        TakeTheirs();
    else if (choice == 2)
        CompareWithTheirs();
}

void TfmEditor::mnuImportTextClick()
{
    const QString path = FContext.Questions.AskOpenFileName(FContext.Messages.Text(MessageKey::IMPORT_TEXT_TITLE), ProjectFolder, FContext.Messages.Text(MessageKey::TEXT_FILTER),
                                                            QStringLiteral("txt"));
    if (!path.isEmpty())
        ImportText(path);
}

void TfmEditor::ImportText(const QString& path)
{
    if (CardName.isEmpty())
        return;
    if (!FText.Unreadable().isEmpty()) {
        FContext.Questions.ShowWarning(
            FContext.Messages.Text(MessageKey::CANNOT_OPEN_FILE), FText.Unreadable());
        return;
    }
    if (!IsImportableFile(path)) {
        FContext.Questions.ShowInformation(FContext.Messages.Text(MessageKey::NOT_TEXT_FILE));
        return;
    }
    if (!memEditor->document()->isEmpty() && !FContext.Questions.AskOkCancel(FContext.Messages.Text(MessageKey::OVERWRITTEN)))
        return;
    if (!QFileInfo::exists(path)) {
        FContext.Questions.ShowInformation("'" + QFileInfo(path).fileName() + "' " + FContext.Messages.Text(MessageKey::DOES_NOT_EXIST));
        return;
    }
    QString text;
    QString reason;
    bool read = false;
    {
        WaitCursor wait;
        read = ReadImportFile(path, text, reason);
    }
    if (!read) {
        FContext.Questions.ShowWarning(FContext.Messages.Text(MessageKey::CANNOT_OPEN_FILE), reason);
        return;
    }
    // One edit that Undo takes back whole.
    memEditor->selectAll();
    memEditor->InsertText(text);
    memEditor->moveCursor(QTextCursor::Start);
    memEditor->ensureCursorVisible();
    memEditor->document()->setModified(true);
    RefreshEditorState();
}

void TfmEditor::SetAutoSave(bool on)
{
    FAutoSave = on;
    SetAutoSaveInterval(FAutoSaveInterval);
}

void TfmEditor::SetAutoSaveInterval(int minutes)
{
    FAutoSaveInterval = minutes;
    tmrAutoSave->stop();
    if (FAutoSave) {
        tmrAutoSave->setInterval(minutes * MinuteMs);
        tmrAutoSave->start();
    }
    ShowAutoSaveState();
}

void TfmEditor::ShowAutoSaveState()
{
    if (!FText.Unreadable().isEmpty())
        ShowStatus(" " + FText.Unreadable() + " " + Messages().Text(MessageKey::TEXT_READ_ONLY));
    else
        ShowStatus(" "
            + FContext.Messages.Text(
                FAutoSave ? MessageKey::AUTOSAVE_ON : MessageKey::AUTOSAVE_OFF));
}

QString TfmEditor::ModifiedMarker() const { return " " + Messages().Text(MessageKey::MODIFIED_MARKER); }

void TfmEditor::ShowStatus(const QString& text) { sbStatus->setText(text); }

void TfmEditor::AutoSaveTick()
{
    // A history entry that could not be kept stays in the status line.
    if (IsModified() && SaveText() && FText.HistoryProblem().isEmpty())
        ShowStatus(" " + Messages().Text(MessageKey::AUTOSAVED_AT).arg(QLocale::system().toString(QTime::currentTime(), QLocale::LongFormat)));
}

qint64 TfmEditor::CountEditorWords() const
{
    const QString text = memEditor->Text();
    if (isVisible() && memEditor->textCursor().hasSelection()) {
        const QString selected = memEditor->SelectedText();
        if (selected.size() != text.size())
            return CountTextWords(selected);
    }
    return CountTextWords(text);
}

void TfmEditor::mnuWordCountClick()
{
    qint64 count = 0;
    {
        WaitCursor wait;
        count = CountEditorWords();
    }
    const MessageTable& messages = FContext.Messages;
    FContext.Questions.ShowInformation(messages.Text(MessageKey::WORD_COUNT) + " " + FormatCount(count)
                                       + FormatPercentage(count, TargetWordCount));
    ShowStatus(" " + messages.Text(MessageKey::LAST_WORD_COUNT) + " " + FormatCount(count));
}

void TfmEditor::SetLiveWordCount(bool on)
{
    if (on == (FLiveCount != nullptr))
        return;
    if (on) {
        FLiveCount = new LiveWordCount(*memEditor->document(), this);
        connect(FLiveCount, &LiveWordCount::Changed, this, &TfmEditor::ShowLiveWordCount);
    } else {
        delete FLiveCount;
        FLiveCount = nullptr;
    }
    sbWordCount->setVisible(on);
    ShowLiveWordCount();
}

void TfmEditor::ShowLiveWordCount()
{
    if (!FLiveCount)
        return;
    const qint64 words = FLiveCount->Words();
    sbWordCount->setText(Messages().Text(MessageKey::LIVE_WORD_COUNT).arg(FormatCount(words))
        + FormatPercentage(words, TargetWordCount) + " ");
}

void TfmEditor::ShowSessionCount(const QString& text)
{
    if (!sbSession) {
        if (text.isEmpty())
            return;
        sbSession = new QLabel;
        sbSession->setObjectName("sbSession");
        // Beside the live word count, before the spelling note.
        statusBar()->insertPermanentWidget(2, sbSession);
    }
    if (sbSession->text() != text)
        sbSession->setText(text);
    sbSession->setVisible(!text.isEmpty());
}

void TfmEditor::mnuThesaurusClick()
{
    dlgThesaurus.SetLanguage(ThesaurusLanguageOf(LanguageName));
    if (!dlgThesaurus.Open()) {
        FContext.Questions.ShowInformation(Messages().Text(MessageKey::THESAURUS_NO_DATA));
        return;
    }
    const QString text = memEditor->Text();
    const MemoPositions positions(*memEditor->document());
    const QTextCursor caret = memEditor->textCursor();
    const TextRange range = LookUpRange(text, positions.Offset(caret.selectionStart()),
        positions.Offset(caret.selectionEnd()));
    if (range.IsEmpty()) {
        FContext.Questions.ShowInformation(Messages().Text(MessageKey::THESAURUS_NO_WORD));
        return;
    }
    const QString word = text.sliced(range.Start, range.End - range.Start);
    const QList<ThesaurusMeaning> meanings = dlgThesaurus.Lookup(word);
    if (meanings.isEmpty()) {
        FContext.Questions.ShowInformation("'" + word + "' " + Messages().Text(MessageKey::THESAURUS_NOT_FOUND));
        return;
    }
    ThesaurusDialog dialog(dlgThesaurus, word, meanings, Messages(), this);
    if (!FContext.Questions.RunModal(dialog) || dialog.Replacement().isEmpty())
        return;
    QTextCursor replaced(memEditor->document());
    replaced.setPosition(positions.Position(range.Start, true));
    replaced.setPosition(positions.Position(range.End, false), QTextCursor::KeepAnchor);
    memEditor->setTextCursor(replaced);
    memEditor->InsertText(InCaseOf(dialog.Replacement(), word));
}

void TfmEditor::KeepForRecovery()
{
    tmrRecovery->stop();
    tmrRecoveryLongest->stop();
    if (RecoveryFolder.isEmpty() || !IsModified())
        return;
    FContext.Folders.Prepare(FContext.Folders.Recovery);
    const RecoveryStore store(RecoveryFolder);
    QString error;
    // A text an earlier run kept, which the writer left for later, is not this editor's to
    // replace.
    if (FRecoveryKeptAs != CardName) {
        RecoveryWriter::WaitForAll();
        if (!store.SetAside(CardName, error)) {
            RecoveryNotKept(error);
            return;
        }
    }
    // Taken now, written by the worker: the writes that follow are this editor's own.
    const QString previous = std::exchange(FRecoveryKeptAs, CardName);
    RecoveryWriter::Write(store, CardName, memEditor->Text(), FText.ReadIdentity(),
        QDateTime::currentDateTimeUtc(), this, [this, store, previous](const QString& failed) {
            if (!failed.isEmpty()) {
                RecoveryNotKept(failed);
                return;
            }
            // A card renamed while its editor is open keeps its text under the new name only.
            QString reason;
            if (!previous.isEmpty() && previous != FRecoveryKeptAs && !store.Discard(previous, reason))
                qCInfo(lcEditor).noquote() << "Unsaved text under the old name not removed:" << reason;
            if (std::exchange(FRecoveryProblemShown, false))
                ShowAutoSaveState();
        });
}

void TfmEditor::RecoveryNotKept(const QString& error)
{
    qCInfo(lcEditor).noquote() << "Unsaved text not kept:" << error;
    if (!std::exchange(FRecoveryProblemShown, true))
        ShowStatus(" " + Messages().Text(MessageKey::RECOVERY_NOT_KEPT).arg(error));
}

bool TfmEditor::RestoreText(const QString& text)
{
    if (memEditor->isReadOnly())
        return false;
    {
        // Typed in an earlier run: no words of today's.
        QScopedValueRollback loading(FLoading, true);
        memEditor->selectAll();
        memEditor->InsertText(text);
    }
    memEditor->moveCursor(QTextCursor::Start);
    memEditor->ensureCursorVisible();
    memEditor->document()->setModified(true);
    // The file restored from is this editor's own from now on.
    FRecoveryKeptAs = CardName;
    RefreshEditorState();
    ShowStatus(" " + Messages().Text(MessageKey::RECOVERY_RESTORED));
    return true;
}

void TfmEditor::DiscardRecovery()
{
    tmrRecovery->stop();
    tmrRecoveryLongest->stop();
    if (RecoveryFolder.isEmpty())
        return;
    // A write still on its way would bring back what is removed here.
    RecoveryWriter::WaitForAll();
    const RecoveryStore store(RecoveryFolder);
    QString error;
    for (const QString& name : {CardName, FRecoveryKeptAs}) {
        // What stays behind is offered again at the next open, where the writer can discard it.
        if (!name.isEmpty() && !store.Discard(name, error))
            qCInfo(lcEditor).noquote() << "Unsaved text not removed:" << error;
    }
    FRecoveryKeptAs.clear();
}

void TfmEditor::OpenHistory()
{
    auto* window = new HistoryWindow(ProjectFolder, CardName, FContext.Questions, Messages(),
        EditorHistoryHooks([this] { return this; }), this);
    window->show();
}

HistoryHooks TfmEditor::EditorHistoryHooks(std::function<TfmEditor*()> openEditor)
{
    return { [openEditor] {
                TfmEditor* editor = openEditor();
                return !editor || !editor->IsModified() || editor->SaveText();
            },
        [openEditor] {
            if (TfmEditor* editor = openEditor())
                editor->ReloadText();
        } };
}

void TfmEditor::mnuWordUsageClick()
{
    auto* window = new WordUsageWindow(MostUsedWords(memEditor->Text()), CardName, Messages(), this);
    window->show();
}

void TfmEditor::mnuPrintClick()
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(CardName);
    if (!FContext.Questions.AskPrinter(printer))
        return;
    TUCLinePrinter linePrinter;
    linePrinter.SetFont(memEditor->font());
    linePrinter.SetPrintTitle(CardName);
    linePrinter.SetPrintPageNumbers(true);
    linePrinter.SetTitleOnPrintout(TTitleOnPrintout::TopOfPage);
    linePrinter.Margins().SetTop(18);
    linePrinter.Margins().SetLeft(22);
    linePrinter.Margins().SetBottom(18);
    linePrinter.Margins().SetRight(22);
    QString reason;
    {
        WaitCursor wait;
        linePrinter.Print(memEditor->Text(), printer, reason);
    }
    if (!reason.isEmpty())
        FContext.Questions.ShowWarning(FContext.Messages.Text(MessageKey::PRINT_NOT_STARTED), reason);
}

void TfmEditor::OpenFindReplace()
{
    if (!FFindDialog) {
        FFindDialog = new TfmFindReplace(FContext.Questions, FContext.Messages, FContext.ReplaceAllWarned, this);
        if (FContext.TemplateFindReplace)
            FFindDialog->CopyCaptionsFrom(*FContext.TemplateFindReplace);
        FFindDialog->SetEditor(this, memEditor);
    }
    const QString selected = memEditor->SelectedText();
    if (!selected.isEmpty())
        FFindDialog->edtFind->setText(selected);
    if (FFindDialog->edtFind->text() == selected)
        FFindDialog->edtReplace->clear();
    FFindDialog->show();
    FFindDialog->raise();
    FFindDialog->activateWindow();
    RefreshEditorState();
}

void TfmEditor::RepeatFind()
{
    if (FFindDialog && !FFindDialog->edtFind->text().isEmpty())
        FFindDialog->Find(FFindDialog->edtFind->text(), true);
    else
        OpenFindReplace();
}

bool TfmEditor::FormCloseQuery()
{
    if (!IsModified())
        return true;
    switch (FContext.Questions.AskYesNoCancel(FContext.Messages.Text(MessageKey::SAVE_TEXT_CHANGES))) {
    case Answer::Cancel:
        return false;
    case Answer::No:
        DiscardRecovery();
        return true;
    case Answer::Yes:
        // A text that could not be written stays in its window: closing would lose it.
        return SaveText();
    }
    return false;
}

void TfmEditor::closeEvent(QCloseEvent* event)
{
    if (!FormCloseQuery()) {
        event->ignore();
        return;
    }
    delete FFindDialog.data();
    dlgSpeller->StopCheck();
    if (WindowMemory == EditMemory::RememberAll)
        WritePlacement(CardFilePath);
    event->accept();
    emit Closed();
}

void TfmEditor::changeEvent(QEvent* event)
{
    QMainWindow::changeEvent(event);
    // A text that could not be read is tried again whenever the writer comes back to it.
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && !FText.Unreadable().isEmpty()
        && LoadText(false))
        RefreshEditorState();
    // Some file systems report no change: coming back to the window looks for one.
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && FText.Unreadable().isEmpty())
        CheckTextOnDisk();
    if (event->type() == QEvent::ActivationChange && !isActiveWindow() && FFindDialog
        && QApplication::activeWindow() != FFindDialog)
        FFindDialog->hide();
    if (event->type() == QEvent::ActivationChange && !isActiveWindow() && dlgSpeller->Dialog()
        && QApplication::activeWindow() != dlgSpeller->Dialog())
        dlgSpeller->StopCheck();
    // A minimised editor is put away; opening its card again shows it in its normal state.
    if (event->type() == QEvent::WindowStateChange && isMinimized()) {
        if (WindowMemory == EditMemory::RememberAll)
            WritePlacement(CardFilePath);
        QTimer::singleShot(0, this, [this] {
            setWindowState(windowState() & ~Qt::WindowMinimized);
            hide();
        });
    }
}

void TfmEditor::dragEnterEvent(QDragEnterEvent* event)
{
    if (event->mimeData()->hasUrls())
        event->acceptProposedAction();
}

void TfmEditor::dropEvent(QDropEvent* event)
{
    event->acceptProposedAction();
    FContext.Desktop.BringToFront(this);
    const QList<QUrl> urls = event->mimeData()->urls();
    if (urls.size() != 1) {
        FContext.Questions.ShowInformation(FContext.Messages.Text(MessageKey::ONLY_ONE_FILE));
        return;
    }
    ImportText(urls.first().toLocalFile());
}

QString TfmEditor::PlacementFile() const
{
    switch (WindowMemory) {
    case EditMemory::RememberAll:
        return CardFilePath;
    case EditMemory::Single:
        return FContext.Folders.SettingsFile();
    case EditMemory::None:
        break;
    }
    return {};
}

void TfmEditor::ReadPlacement()
{
    const QString path = PlacementFile();
    if (path.isEmpty())
        return;
    const WindowPlacement placement = ReadEditorPlacement(path);
    if (placement.Maximised) {
        setWindowState(Qt::WindowMaximized);
        return;
    }
    PlaceWindow(*this, placement);
}

void TfmEditor::WritePlacement(const QString& path)
{
    if (path.isEmpty())
        return;
    QString error;
    if (WriteEditorPlacement(path, {isMaximized(), true, x(), y(), width(), height()}, error))
        return;
    // Keeping a window's place is no reason to trouble the writer at every close.
    qCInfo(lcEditor).noquote() << "The editor's place is not kept:" << error;
}

void TfmEditor::mnuSaveWindowPosClick()
{
    if (FContext.Questions.AskOkCancel(FContext.Messages.Text(MessageKey::SAVE_WINDOW_POS)))
        WritePlacement(FContext.Folders.SettingsFile());
}

void TfmEditor::FollowSpellingOptions()
{
    if (FFirstShow)
        return; // hidden workers and the template never check
    SpellEngine& spelling = FContext.Spelling;
    const bool live = spelling.LiveSpelling();
    // Emphasis is drawn whether or not spelling is checked.
    const bool first = !FHighlighter;
    if (first) {
        FHighlighter = new EditorHighlighter(memEditor->document(),
            memEditor->palette().color(QPalette::PlaceholderText), LineLeadIn);
    }
    FHighlighter->SetSpelling(live ? &spelling : nullptr);
    if (first)
        DrawTextInView();
    const bool noDictionary = live && !spelling.HasDictionary();
    sbSpelling->setText(noDictionary ? " " + Messages().Text(MessageKey::SPELL_NO_DICTIONARY_STATUS) + " " : QString());
    sbSpelling->setVisible(noDictionary);
}

void TfmEditor::DrawTextInView()
{
    if (!FHighlighter)
        return;
    const QWidget* view = memEditor->viewport();
    FHighlighter->DrawBlocks(memEditor->cursorForPosition(QPoint(0, 0)).block(),
        memEditor->cursorForPosition(QPoint(view->width() - 1, view->height() - 1)).block());
}

void TfmEditor::dlgSpellerDialogDeactivate()
{
    if (!isActiveWindow())
        dlgSpeller->StopCheck();
}

void TfmEditor::AddSpellingItems(QPoint at)
{
    qDeleteAll(FSpellingItems);
    FSpellingItems.clear();
    SpellEngine& spelling = FContext.Spelling;
    if (memEditor->isReadOnly() || !spelling.HasDictionary())
        return;
    const QTextCursor cursor = memEditor->cursorForPosition(at);
    const QTextBlock block = cursor.block();
    const auto word = MisspelledWordAt(spelling, block.text(), cursor.positionInBlock(), LineLeadIn(block));
    if (!word)
        return;
    QMenu* menu = Menus.pmnuEditor;
    QAction* first = menu->actions().value(0);
    const auto add = [&](const QString& caption, const char* name) {
        auto* item = new QAction(caption, menu);
        item->setObjectName(name);
        menu->insertAction(first, item);
        FSpellingItems << item;
        return item;
    };
    // Positions in the document: nothing can change the text while the menu is open.
    const int start = block.position() + int(word->Start);
    const int end = start + int(word->Text.size());
    constexpr int MostSuggestions = 8;
    const QStringList suggestions = spelling.Suggestions(word->Text).mid(0, MostSuggestions);
    for (const QString& suggestion : suggestions) {
        connect(add(suggestion, "pmnuSuggestion"), &QAction::triggered, this, [this, start, end, suggestion] {
            QTextCursor range(memEditor->document());
            range.setPosition(start);
            range.setPosition(end, QTextCursor::KeepAnchor);
            memEditor->setTextCursor(range);
            memEditor->InsertText(suggestion);
        });
    }
    if (suggestions.isEmpty())
        add(Messages().Text(MessageKey::SPELL_NO_SUGGESTIONS), "pmnuNoSuggestions")->setEnabled(false);
    const QString text = word->Text;
    connect(add(Messages().Text(MessageKey::SPELL_ADD_TO_DICTIONARY), "pmnuAddWord"), &QAction::triggered, this, [this, text] {
        QString error;
        if (!FContext.Spelling.AddWord(text, error))
            FContext.Questions.ShowWarning(Messages().Text(MessageKey::SPELL_WORD_NOT_ADDED).arg(text), error);
    });
    connect(add(Messages().Text(MessageKey::SPELL_IGNORE_ALL), "pmnuIgnoreAll"), &QAction::triggered, this,
        [this, text] { FContext.Spelling.IgnoreAll(text); });
    FSpellingItems << menu->insertSeparator(first);
}

void TfmEditor::SelectText(qsizetype start, qsizetype length)
{
    const MemoPositions positions(*memEditor->document());
    // The text may have changed since the stretch was found in it.
    const int last = memEditor->document()->characterCount() - 1;
    QTextCursor cursor(memEditor->document());
    cursor.setPosition(std::min(positions.Position(start, true), last));
    cursor.setPosition(std::min(positions.Position(start + length, false), last), QTextCursor::KeepAnchor);
    memEditor->setTextCursor(cursor);
    memEditor->ensureCursorVisible();
}
