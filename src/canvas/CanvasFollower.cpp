#include "canvas/CanvasFollower.h"

#include "canvas/CanvasScene.h"
#include "canvas/CardHint.h"
#include "canvas/NodexLabel.h"
#include "canvas/Nodex.h"
#include "canvas/ThemeApplier.h"

CanvasFollower::CanvasFollower(ProjectModel& model, CanvasScene& canvas, ThemeApplier& themes)
    : QObject(&canvas)
    , FModel(model)
    , FCanvas(canvas)
    , FThemes(themes)
{
    connect(&model, &ProjectModel::CardAdded, this, &CanvasFollower::Add);
    connect(&model, &ProjectModel::CardChanged, this, &CanvasFollower::Change);
    connect(&model, &ProjectModel::CardRemoved, this, &CanvasFollower::Remove);
    connect(&model, &ProjectModel::CardLinked, this, &CanvasFollower::Link);
    connect(&model, &ProjectModel::Cleared, this, &CanvasFollower::Clear);
    connect(&canvas, &CanvasScene::CardClamped, this, [this](TNodex* card) {
        // A dragged card is taken into the model when the drag ends, as one step.
        if (!FCanvas.DraggedCard())
            TakePosition(*card);
    });
}

void CanvasFollower::Add(CardId id)
{
    const CardData& data = FModel.Card(id);
    TNodex* card = FCanvas.CreateCard(FModel.IndexOf(id));
    card->SetId(id);
    FItems.insert(id, card);
    // The label is laid out once, when the card is complete.
    card->BeginUpdate();
    card->MoveTo(data.Position.x(), data.Position.y());
    card->SetName(data.Name);
    card->SetBoldBaseType(FBoldBaseType);
    card->SetType(data.Type);
    FThemes.ApplyThemeToCard(*card);
    card->SetState(data.State);
    card->SetDescription(data.Description);
    card->SetHint(BuildCardHint(card->Description()));
    FThemes.ApplyStateMarker(*card);
    card->EndUpdate();
    FCanvas.BringToFront(card);
    card->setVisible(true);
    FCanvas.BringToFront(card->NameLabel());
    TakePosition(*card);
}

void CanvasFollower::Change(CardId id)
{
    TNodex* card = Item(id);
    if (!card)
        return;
    const CardData& data = FModel.Card(id);
    const bool moved = data.Position != QPoint(card->Left(), card->Top());
    card->BeginUpdate();
    if (moved)
        card->MoveTo(data.Position.x(), data.Position.y());
    if (data.Name != card->Name())
        card->SetName(data.Name);
    if (data.Description != card->Description()) {
        card->SetDescription(data.Description);
        card->SetHint(BuildCardHint(card->Description()));
    }
    if (data.Type != card->Type()) {
        card->SetType(data.Type);
        FThemes.ApplyThemeToCard(*card);
        FThemes.ApplyStateMarker(*card);
    }
    if (data.State != card->State()) {
        card->SetState(data.State);
        FThemes.ApplyStateMarker(*card);
    }
    if (moved)
        card->ClampToParent();
    card->EndUpdate();
    if (moved) {
        card->UpdateLine();
        if (TNodex* predecessor = card->LinkedFrom())
            predecessor->UpdateLine();
    }
    TakePosition(*card);
}

QList<TNodex*> CanvasFollower::ChainItems(const TNodex* first) const
{
    QList<TNodex*> chain;
    for (const CardId card : FModel.ChainFrom(first ? first->Id() : 0))
        chain << Item(card);
    return chain;
}

void CanvasFollower::ApplyTheme(CardId id)
{
    if (TNodex* card = Item(id)) {
        FThemes.ApplyThemeToCard(*card);
        FThemes.ApplyStateMarker(*card);
        card->Repaint();
    }
}

void CanvasFollower::Remove(CardId id)
{
    if (TNodex* card = FItems.take(id))
        FCanvas.DestroyCard(card);
}

void CanvasFollower::Link(CardId source)
{
    TNodex* card = Item(source);
    if (!card)
        return;
    if (TNodex* old = card->LinkTo(); old && old->LinkedFrom() == card)
        old->SetLinkedFrom(nullptr);
    TNodex* target = Item(FModel.LinkTo(source));
    card->SetLinkTo(target);
    if (target)
        target->SetLinkedFrom(card);
    card->RefreshLine();
}

void CanvasFollower::Clear()
{
    FItems.clear();
    FCanvas.DestroyAllCards();
}

void CanvasFollower::TakePosition(TNodex& card)
{
    const QPoint shown(card.Left(), card.Top());
    if (FModel.Card(card.Id()).Position != shown)
        FModel.MoveCards({ { card.Id(), shown } });
}
