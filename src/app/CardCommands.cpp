#include "app/CardCommands.h"

#include "app/ProjectState.h"
#include "app/ProjectStore.h"
#include "canvas/Canvas.h"
#include "canvas/CanvasState.h"
#include "canvas/CardHint.h"
#include "canvas/Links.h"
#include "canvas/NodexLabel.h"
#include "canvas/NodexObject.h"
#include "canvas/ThemeApplier.h"
#include "editor/Editor.h"
#include "platform/AsciiCase.h"
#include "platform/Dialogs.h"
#include "platform/NativeName.h"
#include "platform/TextFile.h"
#include "platform/WaitCursor.h"
#include "properties/Properties.h"
#include "settings/MessageTable.h"

#include <QSet>

namespace {
/// The type code of a row of the properties dialog's type list; no row keeps `current`.
int TypeOfRow(int row, int current) { return row >= 0 ? StoredTypeToType(row) : current; }
} // namespace

CardCommands::CardCommands(ProjectState& project, CanvasState& selection, TCanvas& canvas,
                           Theme& theme, ThemeApplier& themes, ProjectStore& store,
                           Dialogs& dialogs, const MessageTable& messages)
    : FProject(project)
    , FSelection(selection)
    , FCanvas(canvas)
    , FTheme(theme)
    , FThemes(themes)
    , FStore(store)
    , FDialogs(dialogs)
    , FMessages(messages)
{
}

void CardCommands::NewCard(QPoint canvasPoint)
{
    if (!FProject.ProjectOnDisk) {
        FDialogs.ShowInformation(FMessages.Text(MessageKey::SAVE_YOUR_PROJECT) + " "
                                 + FMessages.Text(MessageKey::CREATING_NODEXS));
        return;
    }
    for (TNodex* card : std::exchange(FSelection.SelectedCards, {}))
        card->SetSelected(false);
    CreateCard(canvasPoint);
}

bool CardCommands::CreateCard(QPoint canvasPoint)
{
    TNodex* card = FCanvas.CreateCard();
    card->SetName(QStringLiteral("unnamed"));
    // The new-card icon shows until the dialog has given the card its type.
    const QPixmap icon(QStringLiteral(":/cards/NewNodex.png"));
    card->SetPicture(icon, icon.width());
    card->MoveTo(canvasPoint.x() - card->Width() / 2, canvasPoint.y() - card->Height() / 2);
    card->SetState(0);
    card->SetBoldBaseType(FProject.BoldBaseType);
    FCanvas.BringToFront(card);
    card->setVisible(true);
    FCanvas.BringToFront(card->NameLabel());
    card->ClampToParent();
    if (FSelection.CurrentCard)
        FSelection.CurrentCard->SetSelected(false);
    FSelection.CurrentCard = card;
    card->SetSelected(true);
    FSelection.SelectedCards.append(card);
    FSelection.PlainClick = true;

    FProperties->Fill({true, {}, {}, FTheme.NextCardType, FTheme.TypeNames});
    FProperties->NameTaken = [this, card](const QString& name) { return NameTaken(name, card); };
    FProperties->RenameFiles = nullptr;
    if (!FDialogs.RunModal(*FProperties)) {
        FSelection.SelectedCards.removeAll(card);
        FCanvas.DestroyCard(card);
        FSelection.CurrentCard = nullptr;
        return false;
    }
    const int row = FProperties->TypeIndex();
    // A theme that names no type leaves no row to choose: the card is of the first type, never
    // the Compilation card's.
    card->SetType(TypeOfRow(row, 1));
    FThemes.ApplyThemeToCard(*card);
    card->SetName(FProperties->Name());
    card->SetDescription(FProperties->Description());
    card->SetHint(BuildCardHint(card->Description()));
    FThemes.ApplyStateMarker(*card);
    FSelection.CurrentCard = card;
    card->Repaint();
    // A card whose file could not be written lives only in memory until a save succeeds.
    if (!FStore.SaveCard(*card))
        FProject.Modified = true;
    FTheme.NextCardType = row >= 1 && row <= 11 ? row + 1 : 1;
    return true;
}

void CardCommands::Delete()
{
    if (FSelection.SelectedCards.isEmpty())
        return;
    switch (FDialogs.AskYesNoCancel(FMessages.Text(MessageKey::DELETE_TEXT_FILES))) {
    case Answer::Yes:
        return DeleteSelectedCards(true);
    case Answer::No:
        return DeleteSelectedCards(false);
    case Answer::Cancel:
        return;
    }
}

void CardCommands::DeleteSelectedCards(bool withText)
{
    const QList<TNodex*> going = std::exchange(FSelection.SelectedCards, {});
    for (TNodex* card : going) {
        FStore.DeleteCardFiles(*card, withText);
        if (CardDeleted)
            CardDeleted(card->Name());
    }
    UnlinkCardsThatGo(going);
    for (TNodex* card : going)
        FCanvas.DestroyCard(card);
    FSelection.CurrentCard = nullptr;
}

void CardCommands::UnlinkCardsThatGo(const QList<TNodex*>& going)
{
    const QSet<TNodex*> gone(going.begin(), going.end());
    // After a damaged project loaded, two cards may name the same successor while only one is
    // its predecessor: every card that points at a card that goes lets go of it.
    for (TNodex* card : FCanvas.Cards()) {
        if (gone.contains(card))
            continue;
        if (card->LinkTo() && gone.contains(card->LinkTo())) {
            card->SetLinkTo(nullptr);
            card->HideLine();
        }
        if (card->LinkedFrom() && gone.contains(card->LinkedFrom()))
            card->SetLinkedFrom(nullptr);
    }
}

void CardCommands::SetRevisionState(int state)
{
    TNodex* card = FSelection.CurrentCard;
    if (!card)
        return;
    card->SetState(state);
    FThemes.ApplyStateMarker(*card);
    FProject.Modified = true;
}

void CardCommands::RemoveLinks()
{
    const QList<TNodex*> chain = ChainFrom(FSelection.CurrentCard);
    for (TNodex* card : chain) {
        for (TNodex* changed : UnlinkCard(*card))
            changed->RefreshLine();
    }
    if (!chain.isEmpty())
        FProject.Modified = true;
}

void CardCommands::Merge()
{
    TNodex* current = FSelection.CurrentCard;
    if (!current || !current->LinkTo())
        return;
    const Answer answer = FDialogs.AskYesNoCancel(FMessages.Text(MessageKey::MERGING));
    if (answer == Answer::Cancel)
        return;
    const QList<TNodex*> chain = ChainFrom(current);
    const bool deleteMerged = answer == Answer::Yes;
    QString reason;
    {
        WaitCursor wait;
        // The current card's own editor is saved too: the merge reads its file and shows the
        // merged file afterwards.
        if (SaveEditorsOf({current}, false, reason) && SaveEditorsOf(chain.mid(1), deleteMerged, reason)
            && WriteMergedText(chain, reason)) {
            if (deleteMerged) {
                const QList<TNodex*> merged = chain.mid(1);
                const QString mergedInto = FStore.TextFilePath(*current);
                for (TNodex* card : merged) {
                    // Two cards of one name share a text file: the merged text stays.
                    const QString text = FStore.TextFilePath(*card);
                    FStore.DeleteCardFiles(*card, text != mergedInto && !SameFile(text, mergedInto));
                    if (CardDeleted)
                        CardDeleted(card->Name());
                }
                UnlinkCardsThatGo(merged);
                for (auto card = merged.crbegin(); card != merged.crend(); ++card) {
                    FSelection.SelectedCards.removeAll(*card);
                    FCanvas.DestroyCard(*card);
                }
                current->HideLine();
                current->SetLinkTo(nullptr);
            }
            if (auto* editor = qobject_cast<TfmEditor*>(current->Editor()))
                editor->ReloadText();
            reason.clear();
        } else if (reason.isEmpty()) {
            reason = FMessages.Text(MessageKey::MERGED_TEXT_NOT_WRITTEN);
        }
    }
    if (!reason.isEmpty())
        FDialogs.ShowWarning(FMessages.Text(MessageKey::MERGE_NOT_OK), reason);
    else
        FDialogs.ShowInformation(FMessages.Text(MessageKey::MERGE_OK));
}

bool CardCommands::SaveEditorsOf(const QList<TNodex*>& cards, bool closing, QString& reason) const
{
    // What is typed in the merged cards' editors belongs in the merge; their editors go with
    // cards that are deleted.
    for (TNodex* card : cards) {
        auto* editor = qobject_cast<TfmEditor*>(card->Editor());
        if (!editor)
            continue;
        if (editor->IsModified() && !editor->SaveText()) {
            reason = FMessages.Text(MessageKey::TEXT_NOT_SAVED).arg(card->Name());
            return false;
        }
        if (closing)
            editor->close();
    }
    return true;
}

bool CardCommands::WriteMergedText(const QList<TNodex*>& chain, QString& reason) const
{
    // Each text with its own line break after it, joined once at the end: a long chain is
    // built in one pass.
    QStringList texts;
    texts.reserve(chain.size());
    QSet<QString> read;
    for (const TNodex* card : chain) {
        const QString path = FStore.TextFilePath(*card);
        // A text file that two cards of one name share is taken once.
        if (KindOf(path) == FileKind::Missing || read.contains(path))
            continue;
        read.insert(path);
        QString text;
        if (!ReadTextFile(path, text, reason))
            return false;
        if (!text.isEmpty())
            texts << text + '\n';
    }
    return WriteTextFile(FStore.TextFilePath(*chain.first()), texts.join(QString()), LineEnds::CrLf, reason);
}

void CardCommands::Properties()
{
    TNodex* card = FSelection.CurrentCard;
    if (!card || card->Type() == CompilationType || card->Editor())
        return;
    FProperties->Fill({false, card->Name(), card->Description(), card->Type(), FTheme.TypeNames});
    FProperties->NameTaken = [this, card](const QString& name) { return NameTaken(name, card); };
    FProperties->RenameFiles = [this, card](const QString& newName, QString& reason) {
        return FStore.RenameCardFiles(*card, newName, reason);
    };
    if (!FDialogs.RunModal(*FProperties))
        return;
    card->SetName(FProperties->Name());
    card->SetDescription(FProperties->Description());
    card->SetHint(BuildCardHint(card->Description()));
    // A card of a type the theme does not name shows no row: it keeps its type.
    card->SetType(TypeOfRow(FProperties->TypeIndex(), card->Type()));
    FThemes.ApplyThemeToCard(*card);
    FThemes.ApplyStateMarker(*card);
    FProject.Modified = true;
    if (card->Name() != card->PreviousName() && CardRenamed)
        CardRenamed(card->PreviousName(), card->Name());
}

bool CardCommands::NameTaken(const QString& name, const TNodex* self) const
{
    // The card's own name in other capitals clashes only with a card spelt exactly so: where the
    // file system tells capitals apart, "foo" and "Foo" may both be cards.
    const bool ownName = self && SameIgnoringAsciiCase(self->Name(), name);
    const auto clashes = [&](const QString& other) { return ownName ? other == name : SameIgnoringAsciiCase(other, name); };
    for (const TNodex* card : FCanvas.Cards()) {
        if (card != self && clashes(card->Name()))
            return true;
    }
    // A card file of that name that no card of the canvas holds (a card too long-named to
    // load, say) is not overwritten either.
    return FStore.CardFileExists(name, ownName ? self : nullptr);
}

bool CardCommands::CompilationNameFree(QString& reason) const
{
    const QString compilationText = FStore.TextFilePath(QStringLiteral("Compilation"));
    for (const TNodex* card : FCanvas.Cards()) {
        if (card->Type() == CompilationType || !SameIgnoringAsciiCase(card->Name(), u"Compilation"))
            continue;
        // "compilation" is a card of its own where the file system tells capitals apart.
        if (card->Name() == "Compilation" || SameFile(FStore.TextFilePath(*card), compilationText)) {
            reason = FMessages.Text(MessageKey::COMPILATION_NAME_TAKEN).arg(card->Name());
            return false;
        }
    }
    return true;
}

void CardCommands::EnsureCompilationCard()
{
    const QList<TNodex*>& cards = FCanvas.Cards();
    if (std::any_of(cards.begin(), cards.end(), [](const TNodex* card) { return card->Type() == CompilationType; }))
        return;
    TNodex* card = FCanvas.CreateCard();
    card->BeginUpdate();
    card->MoveTo(44, 30);
    card->SetName(QStringLiteral("Compilation"));
    card->SetType(CompilationType);
    card->SetState(0);
    FThemes.ApplyThemeToCard(*card);
    card->EndUpdate();
    FCanvas.BringToFront(card);
    card->setVisible(true);
    FCanvas.BringToFront(card->NameLabel());
    FProject.Modified = true;
}
