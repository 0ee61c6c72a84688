#include "app/EditorCommands.h"

#include "app/EditorWindows.h"
#include "app/WordCountCommands.h"
#include "canvas/CanvasFollower.h"
#include "canvas/CanvasScene.h"
#include "canvas/CanvasState.h"
#include "canvas/Nodex.h"
#include "editor/Editor.h"
#include "editor/HistoryWindow.h"
#include "messages/MessageTable.h"
#include "platform/Dialogs.h"
#include "platform/NativeName.h"
#include "platform/WaitCursor.h"
#include "project/ProjectState.h"
#include "project/ProjectStore.h"
#include "project/RecoveryStore.h"
#include "settings/AppSettings.h"

EditorCommands::EditorCommands(QWidget& window, EditorContext& context, ProjectState& project, CanvasState& selection,
                               const AppSettings& settings, const Theme& theme, CanvasScene& canvas,
                               CanvasFollower& follower, ProjectStore& store, EditorWindows& editors, Dialogs& dialogs,
                               const MessageTable& messages)
    : FWindow(window)
    , FEditorContext(context)
    , FProject(project)
    , FSelection(selection)
    , FSettings(settings)
    , FTheme(theme)
    , FCanvas(&canvas)
    , FFollower(follower)
    , FStore(store)
    , FEditors(editors)
    , FDialogs(dialogs)
    , FMessages(messages)
{
}

bool EditorCommands::OpenCardEditor(TNodex* card)
{
    if (!card || FSelection.SelectedCards.size() != 1)
        return false;
    OpenEditorOf(*card);
    return true;
}

TfmEditor* EditorCommands::OpenEditorOf(TNodex& card)
{
    const CardId id = card.Id();
    TfmEditor* editor = FEditors.Of(id);
    const bool opened = !editor;
    if (!editor) {
        editor = new TfmEditor(FEditorContext, FSettings.StayOnTop, &FWindow);
        if (FEditorContext.TemplateEditor)
            editor->CopyCaptionsFrom(*FEditorContext.TemplateEditor);
        editor->ProjectFolder = FProject.ProjectFolder;
        editor->CardName = card.Name();
        editor->CardFilePath = FStore.CardFilePath(id);
        editor->TextFile = FStore.TextFilePath(id);
        if (!FProject.IsUnnamed())
            editor->RecoveryFolder = RecoveryStore::FolderOf(
                FEditorContext.Folders.Recovery, FProject.ProjectFolder, FProject.ProjectFileName);
        QObject::connect(editor, &TfmEditor::Closed, &FWindow, [this, id] {
            FEditors.Remove(id);
            if (TNodex* shown = FFollower.Item(id))
                shown->SetEditor(nullptr);
            EditorClosed();
        });
        QObject::connect(editor, &TfmEditor::Saved, &FWindow, [this, id] {
            if (TextSaved)
                TextSaved(id);
        });
        // The card owns its editor: a card that goes takes its editor with it.
        card.SetEditor(editor);
        FEditors.Set(id, editor);
    }
    editor->ApplySettings(CurrentEditorSettings());
    editor->showNormal();
    editor->raise();
    editor->activateWindow();
    // Shown, the editor has read its text.
    if (opened && EditorOpened)
        EditorOpened(*editor);
    return editor;
}

EditorSettings EditorCommands::CurrentEditorSettings() const
{
    return {FSettings.EditorPlacement, FSettings.AutoSave, FSettings.AutoSaveInterval, FSettings.StayOnTop,
            FSettings.EditorFontName, FSettings.EditorFontSize, FProject.TargetWordCount};
}

std::unique_ptr<TfmEditor> EditorCommands::MakeHiddenEditor(const TNodex& card)
{
    auto editor = std::make_unique<TfmEditor>(FEditorContext);
    editor->setAttribute(Qt::WA_DeleteOnClose, false);
    editor->ProjectFolder = FProject.ProjectFolder;
    editor->CardName = card.Name();
    editor->TextFile = FStore.TextFilePath(card.Id());
    editor->ApplySettings(CurrentEditorSettings());
    return editor;
}

void EditorCommands::ApplyOptionsToEditors()
{
    for (TfmEditor* editor : FEditors.Open())
        editor->TakeOptions(CurrentEditorSettings());
}

bool EditorCommands::AnyEditorModified() const
{
    const QList<TfmEditor*> editors = FEditors.Open();
    return std::any_of(editors.begin(), editors.end(), [](const TfmEditor* editor) { return editor->IsModified(); });
}

bool EditorCommands::SaveModifiedEditors()
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

void EditorCommands::DiscardUnsavedTexts()
{
    for (TfmEditor* editor : FEditors.Open())
        editor->DiscardRecovery();
}

void EditorCommands::ImportCardText(const TNodex& card, const QString& path)
{
    // The text goes through an editor that is never shown, as an import into an open one does.
    const auto editor = MakeHiddenEditor(card);
    // A text file the name already had (kept by an earlier delete) is not replaced unasked.
    editor->ReloadText();
    editor->ImportText(path);
    if (editor->IsModified())
        editor->SaveText();
}

void EditorCommands::pmnuHistoryClick()
{
    TNodex* card = FSelection.CurrentCard;
    if (!card)
        return;
    const CardId id = card->Id();
    auto* window = new HistoryWindow(FProject.ProjectFolder, card->Name(), FDialogs, FMessages,
        TfmEditor::EditorHistoryHooks([this, id] { return FEditors.Of(id); }), &FWindow);
    window->show();
}

void EditorCommands::pmnuWordCountClick()
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

void EditorCommands::mnuWordCountClick()
{
    QString message;
    {
        WaitCursor wait;
        message = ProjectWordCountMessage(
            *FCanvas, FSelection, FFollower.ChainItems(FSelection.CurrentCard), FTheme,
            [this](const TNodex& card) { return CardWords(FEditors.Of(card.Id()), FStore.TextFilePath(card.Id())); },
            FProject.TargetWordCount, FMessages);
    }
    FDialogs.ShowInformation(message);
}

void EditorCommands::pmnuPrintClick()
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
