#include "canvas/Canvas.h"

#include "canvas/CanvasState.h"
#include "canvas/NodexLine.h"
#include "canvas/NodexObject.h"

#include <QTransform>

TCanvas::TCanvas(QObject* parent)
    : QGraphicsScene(parent)
{
    setObjectName("pnlMain");
    // Cards travel in signals between the canvas, its view and the windows.
    qRegisterMetaType<TNodex*>();
    setBackgroundBrush(Qt::white);
    setSceneRect(0, 0, FWidth, FHeight);
}

TCanvas::~TCanvas() { DestroyAllCards(); }

TNodex* TCanvas::CreateCard()
{
    auto* card = new TNodex(this);
    addItem(card);
    card->Line()->SetStyle(FLineStyle);
    FCards.append(card);
    return card;
}

void TCanvas::SetLineStyle(const LineStyle& style)
{
    if (style == FLineStyle)
        return;
    FLineStyle = style;
    for (TNodex* card : FCards)
        card->Line()->SetStyle(style);
}

void TCanvas::DestroyCard(TNodex* card)
{
    if (!FCards.removeOne(card))
        return;
    if (FDraggedCard == card)
        FDraggedCard = nullptr;
    emit CardDestroying(card);
    delete card;
}

void TCanvas::DestroyAllCards()
{
    const QList<TNodex*> cards = std::exchange(FCards, {});
    FDraggedCard = nullptr;
    for (TNodex* card : cards)
        emit CardDestroying(card);
    // Last first: the scene closes up its list of items after each removal, which is cheap
    // only at its end.
    for (auto card = cards.crbegin(); card != cards.crend(); ++card)
        delete *card;
    SetRoomForCards({});
}

void TCanvas::SetCanvasSize(int width, int height)
{
    FRequested = {width, height};
    ApplySize();
}

void TCanvas::SetRoomForCards(QSize room)
{
    FRoomForCards = room;
    ApplySize();
}

void TCanvas::ApplySize()
{
    const QSize size = FRequested.expandedTo(FRoomForCards);
    if (size.width() == FWidth && size.height() == FHeight)
        return;
    FWidth = size.width();
    FHeight = size.height();
    setSceneRect(0, 0, FWidth, FHeight);
}

void TCanvas::BringToFront(QGraphicsItem* item) { item->setZValue(++FFrontZ); }

void TCanvas::SendToBack(QGraphicsItem* item) { item->setZValue(--FBackZ); }

QGraphicsItem* TCanvas::TopItemAt(const QPointF& point) const
{
    // Items are returned topmost first; hidden ones are never reported.
    const QList<QGraphicsItem*> under = items(point, Qt::IntersectsItemShape, Qt::DescendingOrder);
    return under.isEmpty() ? nullptr : under.first();
}

TNodex* TCanvas::CardAt(const QPointF& point) const
{
    QGraphicsItem* top = TopItemAt(point);
    return top && top->type() == TNodex::ItemType ? static_cast<TNodex*>(top) : nullptr;
}

void ClearCanvas(TCanvas& canvas, CanvasState& selection)
{
    selection.SelectedCards.clear();
    canvas.DestroyAllCards();
    selection.CurrentCard = nullptr;
}
