#include "app/CardCommands.h"

#include "steps/ChainStep.h"
#include "steps/ChangeCardStep.h"
#include "steps/DeleteCardsStep.h"
#include "steps/DuplicateCardsStep.h"
#include "app/EditorWindows.h"
#include "steps/LinkCardsStep.h"
#include "steps/MergeStep.h"
#include "steps/MoveCardsStep.h"
#include "steps/NewCardStep.h"
#include "canvas/CanvasFollower.h"
#include "canvas/CanvasState.h"
#include "canvas/CardPlacement.h"
#include "canvas/Nodex.h"
#include "canvas/Theme.h"
#include "editor/Editor.h"
#include "platform/AsciiCase.h"
#include "platform/Dialogs.h"
#include "platform/NativeName.h"
#include "platform/WaitCursor.h"
#include "project/ChainEdits.h"
#include "project/LinkRules.h"
#include "project/ProjectPaths.h"
#include "project/ProjectState.h"
#include "project/ProjectStore.h"
#include "properties/CardNameRules.h"
#include "properties/Properties.h"
#include "messages/MessageTable.h"

#include <QGraphicsScene>
#include <QSet>
#include <QUndoStack>
#include <memory>

namespace {
/// The type code of a row of the properties dialog's type list; no row keeps `current`.
int TypeOfRow(int row, int current)
{
    return row >= 0 ? StoredTypeToType(row) : current;
}
} // namespace

CardCommands::CardCommands(ProjectState& project, CanvasState& selection, ProjectModel& model,
    CanvasFollower& canvas, Theme& theme, ProjectStore& store, EditorWindows& editors,
    QUndoStack& steps, Dialogs& dialogs, const MessageTable& messages)
    : FProject(project)
    , FSelection(selection)
    , FModel(model)
    , FCanvas(canvas)
    , FTheme(theme)
    , FStore(store)
    , FEditors(editors)
    , FSteps(steps)
    , FDialogs(dialogs)
    , FMessages(messages)
    , FContext { model, store, dialogs, messages, {}, {}, {} }
{
}

TNodex* CardCommands::Current() const
{
    return FSelection.CurrentCard;
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
    // The card shows, with the new-card icon, while the dialog asks what it is.
    const QPixmap icon(QStringLiteral(":/cards/NewNodex.png"));
    CardData data;
    data.Name = QStringLiteral("unnamed");
    data.Position = canvasPoint - QPoint(icon.width() / 2, icon.height() / 2);
    const CardId id = FModel.AddCard(data);
    TNodex* card = FCanvas.Item(id);
    card->SetPicture(icon, icon.width());
    card->ClampToParent();
    if (FSelection.CurrentCard)
        FSelection.CurrentCard->SetSelected(false);
    FSelection.CurrentCard = card;
    card->SetSelected(true);
    FSelection.SelectedCards.append(card);
    FSelection.PlainClick = true;

    FProperties->Fill({ true, {}, {}, FTheme.NextCardType, FTheme.TypeNames });
    FProperties->NameTaken = [this, id](const QString& name) { return NameTaken(name, id); };
    FProperties->RenameFiles = nullptr;
    if (!FDialogs.RunModal(*FProperties)) {
        FModel.RemoveCard(id);
        return false;
    }
    const int row = FProperties->TypeIndex();
    data = FModel.Card(id);
    // A theme that names no type leaves no row to choose: the card is of the first type, never
    // the Compilation card's.
    data.Type = TypeOfRow(row, 1);
    data.Name = FProperties->Name();
    data.Description = FProperties->Description();
    FModel.ChangeCard(id, data);
    // The new-card icon gives way to the type's, even when the type did not change.
    FCanvas.ApplyTheme(id);
    FSteps.push(new NewCardStep(FContext, id, data, FModel.IndexOf(id), true));
    FTheme.NextCardType = row >= 1 && row <= 11 ? row + 1 : 1;
    return true;
}

void CardCommands::Delete()
{
    if (FSelection.SelectedCards.isEmpty())
        return;
    // The chain is not joined where cards go: the question says so, as Remove from Chain does.
    QSet<CardId> going;
    for (const TNodex* card : FSelection.SelectedCards)
        going.insert(card->Id());
    QString question = FMessages.Text(MessageKey::DELETE_TEXT_FILES);
    if (ChainEdits::LeavesChainOpen(FModel, going))
        question += "\n" + FMessages.Text(MessageKey::DELETE_LEAVES_CHAIN_OPEN);
    switch (FDialogs.AskYesNoCancel(question)) {
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
    QList<DeleteCardsStep::Going> going;
    for (const TNodex* card : std::exchange(FSelection.SelectedCards, {}))
        going.append({ card->Id(), withText });
    FSelection.CurrentCard = nullptr;
    const QString text = going.size() == 1
        ? FMessages.Text(MessageKey::STEP_DELETE_CARD)
        : FMessages.Text(MessageKey::STEP_DELETE_CARDS).arg(going.size());
    FSteps.push(new DeleteCardsStep(FContext, text, going));
}

void CardCommands::Duplicate()
{
    if (!FProject.ProjectOnDisk && !FSelection.SelectedCards.isEmpty()) {
        FDialogs.ShowInformation(FMessages.Text(MessageKey::SAVE_YOUR_PROJECT) + " "
            + FMessages.Text(MessageKey::CREATING_NODEXS));
        return;
    }
    // In canvas order, so that the copies come in the order of their originals; the card the
    // compilation makes is not the writer's to copy.
    QList<CardId> originals;
    for (const TNodex* card : FSelection.SelectedCards)
        if (card->Type() != CompilationType)
            originals << card->Id();
    if (originals.isEmpty())
        return;
    QHash<CardId, int> places;
    for (int index = 0; index < FModel.Cards().size(); ++index)
        places.insert(FModel.Cards()[index], index);
    std::sort(originals.begin(), originals.end(),
        [&](CardId a, CardId b) { return places.value(a) < places.value(b); });

    // A card stands where it is drawn, its name beneath it.
    const auto area = [](const TNodex* item) {
        return QRect(
            item->Left(), item->Top(), item->Width(), item->Height() + item->LabelHeight());
    };
    QList<QRect> occupied;
    for (const CardId card : FModel.Cards())
        if (const TNodex* item = FCanvas.Item(card))
            occupied << area(item);
    QStringList names;
    const auto taken = [&](const QString& name) {
        // A text file that no card holds is not taken over either.
        return NameTaken(name, 0) || names.contains(name, Qt::CaseInsensitive)
            || KindOf(FStore.TextFilePath(name)) != FileKind::Missing;
    };
    QList<DuplicateCardsStep::Copy> copies;
    QString reason;
    for (const CardId original : std::as_const(originals)) {
        const TNodex* item = FCanvas.Item(original);
        CardData data = FModel.Card(original);
        data.Name = DuplicateName(data.Name, taken, ProjectPaths::MaxCardNameLength);
        if (data.Name.isEmpty()) {
            reason = FMessages.Text(MessageKey::DUPLICATE_NO_FREE_NAME)
                         .arg(ProjectPaths::MaxCardNameLength)
                         .arg(FModel.Card(original).Name);
            break;
        }
        data.FileName.clear();
        const QRect card = area(item);
        data.Position = PlaceBeside(card, occupied, int(item->scene()->sceneRect().width()));
        occupied << QRect(data.Position, card.size());
        names << data.Name;
        copies.append({ original, data });
    }
    {
        WaitCursor wait;
        // What is typed in an original's editor is part of what is copied.
        if (reason.isEmpty() && SaveEditorsOf(originals, false, reason)) {
            const QString text = copies.size() == 1
                ? FMessages.Text(MessageKey::STEP_DUPLICATE_CARD)
                      .arg(FModel.Card(originals[0]).Name)
                : FMessages.Text(MessageKey::STEP_DUPLICATE_CARDS).arg(copies.size());
            auto step = std::make_unique<DuplicateCardsStep>(FContext, text, copies);
            if (step->MakeCopies(reason)) {
                for (TNodex* card : std::exchange(FSelection.SelectedCards, {}))
                    card->SetSelected(false);
                for (const CardId copy : step->Copies()) {
                    TNodex* card = FCanvas.Item(copy);
                    card->SetSelected(true);
                    FSelection.SelectedCards << card;
                }
                FSelection.CurrentCard = FSelection.SelectedCards.first();
                FSteps.push(step.release());
                return;
            }
        }
    }
    FDialogs.ShowWarning(FMessages.Text(MessageKey::DUPLICATE_NOT_DONE), reason);
}

void CardCommands::SetRevisionState(int state)
{
    const TNodex* card = Current();
    if (!card || FModel.Card(card->Id()).State == state)
        return;
    const CardData before = FModel.Card(card->Id());
    CardData after = before;
    after.State = state;
    FSteps.push(new ChangeCardStep(FContext, FMessages.Text(MessageKey::STEP_REVISION_STATE),
        card->Id(), before, after, false));
}

void CardCommands::LinkCards(CardId source, CardId target)
{
    const LinkPlan plan = PlanLink(FModel, source, target);
    if (plan.Result == LinkResult::Refused)
        return;
    const QString text = FMessages.Text(
        plan.Result == LinkResult::Linked ? MessageKey::STEP_LINK : MessageKey::STEP_UNLINK);
    FSteps.push(
        new LinkCardsStep(FContext, text, CurrentLinks(FModel, plan.After.keys()), plan.After));
}

void CardCommands::MoveCards(const QHash<CardId, QPoint>& from, const QHash<CardId, QPoint>& to)
{
    FSteps.push(new MoveCardsStep(FContext, from, to));
}

void CardCommands::NudgeCards(const QHash<CardId, QPoint>& from, const QHash<CardId, QPoint>& to)
{
    // The run goes on while the last key move is the step on top and nothing was undone since:
    // any other step pushed, or an undo, ends it.
    const int top = FSteps.index();
    const bool goesOn = top > 0 && top == FSteps.count() && FSteps.command(top - 1) == FLastNudge;
    FSteps.push(new MoveCardsStep(FContext, from, to,
        goesOn ? MoveCardsStep::KeyRun::Continues : MoveCardsStep::KeyRun::Starts));
    FLastNudge = FSteps.command(FSteps.index() - 1);
}

void CardCommands::RemoveLinks()
{
    if (!Current())
        return;
    LinkSnapshot after;
    for (const CardId card : FModel.ChainFrom(Current()->Id()))
        if (FModel.LinkTo(card))
            after.insert(card, 0);
    if (!after.isEmpty())
        FSteps.push(new LinkCardsStep(FContext, FMessages.Text(MessageKey::STEP_REMOVE_LINKS),
            CurrentLinks(FModel, after.keys()), after));
}

void CardCommands::RemoveFromChain()
{
    if (!Current())
        return;
    if (auto step = ChainStep::RemoveFromChain(FContext, Current()->Id()))
        FSteps.push(step.release());
}

void CardCommands::Merge()
{
    const TNodex* current = Current();
    if (!current || !current->LinkTo())
        return;
    const Answer answer = FDialogs.AskYesNoCancel(FMessages.Text(MessageKey::MERGING));
    if (answer == Answer::Cancel)
        return;
    const CardId first = current->Id();
    const QList<CardId> chain = FModel.ChainFrom(first);
    const bool deleteMerged = answer == Answer::Yes;
    QString reason;
    bool merged = false;
    {
        WaitCursor wait;
        // The current card's own editor is saved too: the merge reads its file and shows the
        // merged file afterwards.
        QString text;
        if (SaveEditorsOf({ first }, false, reason)
            && SaveEditorsOf(chain.mid(1), deleteMerged, reason)
            && MergedText(chain, text, reason)) {
            auto step = std::make_unique<MergeStep>(FContext, first, text);
            if (step->WriteMergedText(reason)) {
                if (deleteMerged) {
                    const QString mergedInto = FStore.TextFilePath(first);
                    QList<DeleteCardsStep::Going> going;
                    for (const CardId card : chain.mid(1)) {
                        // Two cards of one name share a text file: the merged text stays.
                        const QString cardText = FStore.TextFilePath(card);
                        going.append(
                            { card, cardText != mergedInto && !SameFile(cardText, mergedInto) });
                    }
                    new DeleteCardsStep(FContext, step->text(), going, step.get());
                }
                FSteps.push(step.release());
                if (TfmEditor* editor = FEditors.Of(first))
                    editor->ReloadText();
                merged = true;
            }
        }
        if (!merged && reason.isEmpty())
            reason = FMessages.Text(MessageKey::MERGED_TEXT_NOT_WRITTEN);
    }
    if (!reason.isEmpty())
        FDialogs.ShowWarning(FMessages.Text(MessageKey::MERGE_NOT_OK), reason);
    else
        FDialogs.ShowInformation(FMessages.Text(MessageKey::MERGE_OK));
}

bool CardCommands::SaveEditorsOf(const QList<CardId>& cards, bool closing, QString& reason) const
{
    // What is typed in the merged cards' editors belongs in the merge; their editors go with
    // cards that are deleted.
    for (const CardId card : cards) {
        TfmEditor* editor = FEditors.Of(card);
        if (!editor)
            continue;
        if (editor->IsModified() && !editor->SaveText()) {
            reason = FMessages.Text(MessageKey::TEXT_NOT_SAVED).arg(FModel.Card(card).Name);
            return false;
        }
        if (closing)
            editor->close();
    }
    return true;
}

bool CardCommands::MergedText(const QList<CardId>& chain, QString& merged, QString& reason) const
{
    // Each text with its own line break after it, joined once at the end: a long chain is
    // built in one pass.
    QStringList texts;
    texts.reserve(chain.size());
    QSet<QString> read;
    for (const CardId card : chain) {
        const QString path = FStore.TextFilePath(card);
        // A text file that two cards of one name share is taken once.
        if (KindOf(path) == FileKind::Missing || read.contains(path))
            continue;
        read.insert(path);
        QString text;
        if (!CardTexts::ReadText(path, text, reason))
            return false;
        if (!text.isEmpty())
            texts << text + '\n';
    }
    merged = texts.join(QString());
    return true;
}

void CardCommands::Properties()
{
    const TNodex* card = Current();
    if (!card || card->Type() == CompilationType || FEditors.Of(card->Id()))
        return;
    const CardId id = card->Id();
    const CardData before = FModel.Card(id);
    FProperties->Fill({ false, before.Name, before.Description, before.Type, FTheme.TypeNames });
    FProperties->NameTaken = [this, id](const QString& name) { return NameTaken(name, id); };
    FProperties->RenameFiles = [this, id](const QString& newName, QString& reason) {
        return FStore.RenameCardFiles(id, newName, reason);
    };
    if (!FDialogs.RunModal(*FProperties))
        return;
    CardData after = FModel.Card(id);
    after.Name = FProperties->Name();
    after.Description = FProperties->Description();
    // A card of a type the theme does not name shows no row: it keeps its type.
    after.Type = TypeOfRow(FProperties->TypeIndex(), before.Type);
    FSteps.push(new ChangeCardStep(
        FContext, FMessages.Text(MessageKey::STEP_PROPERTIES), id, before, after, true));
}

QString CardCommands::RenameRefusal(CardId card, const QString& name) const
{
    const NameVerdict verdict
        = JudgeCardName(name, FModel.Card(card).Name, false, NameTaken(name, card));
    return verdict == NameVerdict::Accepted ? QString()
                                            : TfmProperties::RefusalText(verdict, name, FMessages);
}

bool CardCommands::NameTaken(const QString& name, CardId self) const
{
    // The card's own name in other capitals clashes only with a card spelt exactly so: where the
    // file system tells capitals apart, "foo" and "Foo" may both be cards.
    const bool ownName = self && SameIgnoringAsciiCase(FModel.Card(self).Name, name);
    const auto clashes = [&](const QString& other) {
        return ownName ? other == name : SameIgnoringAsciiCase(other, name);
    };
    for (const CardId card : FModel.Cards()) {
        if (card != self && clashes(FModel.Card(card).Name))
            return true;
    }
    // A card file of that name that no card of the project holds (a card too long-named to
    // load, say) is not overwritten either.
    return FStore.CardFileExists(name, ownName ? self : 0);
}

bool CardCommands::CompilationNameFree(QString& reason) const
{
    const QString compilationText = FStore.TextFilePath(QStringLiteral("Compilation"));
    for (const CardId card : FModel.Cards()) {
        const CardData& data = FModel.Card(card);
        if (data.Type == CompilationType || !SameIgnoringAsciiCase(data.Name, u"Compilation"))
            continue;
        // "compilation" is a card of its own where the file system tells capitals apart.
        if (data.Name == "Compilation" || SameFile(FStore.TextFilePath(card), compilationText)) {
            reason = FMessages.Text(MessageKey::COMPILATION_NAME_TAKEN).arg(data.Name);
            return false;
        }
    }
    return true;
}

void CardCommands::EnsureCompilationCard()
{
    const QList<CardId>& cards = FModel.Cards();
    if (std::any_of(cards.begin(), cards.end(),
            [this](CardId card) { return FModel.Card(card).Type == CompilationType; }))
        return;
    CardData data;
    data.Name = QStringLiteral("Compilation");
    data.Type = CompilationType;
    data.Position = { 44, 30 };
    FSteps.push(new NewCardStep(FContext, 0, data, -1, false));
}
