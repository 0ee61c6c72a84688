#include "canvas/CanvasScene.h"

#include "canvas/NodexLabel.h"
#include "canvas/NodexLine.h"
#include "canvas/Nodex.h"

#include <QApplication>
#include <QTransform>

#include <algorithm>

namespace {
constexpr int CanvasIndexDepth = 10;
} // namespace

namespace {
// Room beyond the farthest stored card while cards are placed: more than any icon and label.
constexpr int PlacingSlack = 4096;
// Room kept beyond the farthest card once placed.
constexpr int RoomMargin = 48;
// A card stored farther out than this comes from a damaged file and is brought back in.
constexpr qint64 LargestRoom = 65535;

int RoomFor(qint64 extent) { return int(std::clamp<qint64>(extent, 0, LargestRoom)); }
} // namespace

CanvasScene::CanvasScene(QObject* parent)
    : QGraphicsScene(parent)
{
    setObjectName("pnlMain");
    // Cards travel in signals between the canvas, its view and the windows.
    qRegisterMetaType<TNodex*>();
    setBackgroundBrush(Qt::white);
    setSceneRect(0, 0, FWidth, FHeight);
    // Left to itself the scene picks the depth of its item index from the number of items:
    // for thousands of cards it cuts the canvas into cells smaller than a card, so that every
    // card lands in several of them and building the index costs more than drawing the canvas.
    // About a thousand cells, each the size of a few cards, serve drawing and hit tests alike.
    setBspTreeDepth(CanvasIndexDepth);
}

CanvasScene::~CanvasScene() { DestroyAllCards(); }

const QFont& CanvasScene::LabelFont(bool bold) const
{
    const QFont application = QApplication::font();
    if (!FLabelFontsMade || !(application == FLabelFontsFrom)) {
        FLabelFontsMade = true;
        FLabelFontsFrom = application;
        FLabelFont = CardLabelFont();
        FBoldLabelFont = FLabelFont;
        FBoldLabelFont.setBold(true);
        FStoryFont = CardStoryFont();
    }
    return bold ? FBoldLabelFont : FLabelFont;
}

const QFont& CanvasScene::StoryFont() const
{
    LabelFont(false);
    return FStoryFont;
}

void CanvasScene::SetStoryShown(bool descriptions, bool wordCounts)
{
    if (descriptions == FDescriptionsShown && wordCounts == FWordCountsShown)
        return;
    FDescriptionsShown = descriptions;
    FWordCountsShown = wordCounts;
    int right = 0;
    int bottom = 0;
    for (TNodex* card : FCards) {
        card->ShowStory();
        right = std::max(right, card->Left() + card->Width() + card->LabelOverhang() + 3);
        bottom = std::max(bottom, card->Top() + card->Height() + card->LabelHeight());
    }
    // Room first: a card near an edge keeps its place and the canvas grows beyond it.
    if (right > FWidth || bottom > FHeight)
        SetRoomForCards(FRoomForCards.expandedTo(QSize(RoomFor(qint64(right) + RoomMargin), RoomFor(qint64(bottom) + RoomMargin))));
    for (TNodex* card : FCards)
        card->ClampToParent();
}

TNodex* CanvasScene::CreateCard(int index)
{
    auto* card = new TNodex(this);
    addItem(card);
    card->Line()->SetStyle(FLineStyle);
    if (index < 0 || index > FCards.size())
        FCards.append(card);
    else
        FCards.insert(index, card);
    return card;
}

void CanvasScene::SetLineStyle(const LineStyle& style)
{
    if (style == FLineStyle)
        return;
    FLineStyle = style;
    for (TNodex* card : FCards)
        card->Line()->SetStyle(style);
}

void CanvasScene::DestroyCard(TNodex* card)
{
    if (!FCards.removeOne(card))
        return;
    if (FDraggedCard == card)
        FDraggedCard = nullptr;
    emit CardDestroying(card);
    delete card;
}

void CanvasScene::DestroyAllCards()
{
    const QList<TNodex*> cards = std::exchange(FCards, {});
    FDraggedCard = nullptr;
    for (TNodex* card : cards)
        emit CardDestroying(card);
    // Bottom first. The scene keeps its items in stacking order once it has drawn them (in the
    // order they came before that), searches that list from the front for each item removed,
    // and closes it up cheaply only at its ends. Removed bottom first, each item is found at
    // once at the front, where in any other order thousands of cards cost the square of
    // their number.
    QList<QGraphicsItem*> items;
    items.reserve(cards.size() * 3);
    for (TNodex* card : cards) {
        // Editors go while their cards are whole.
        delete card->Editor();
        items << card << card->TakeParts();
    }
    std::stable_sort(items.begin(), items.end(),
                     [](const QGraphicsItem* a, const QGraphicsItem* b) { return a->zValue() < b->zValue(); });
    for (QGraphicsItem* item : items)
        delete item;
    SetRoomForCards({});
}


void CanvasScene::MakeRoomForPlacing(QPoint farthest)
{
    SetRoomForCards({RoomFor(qint64(farthest.x()) + PlacingSlack), RoomFor(qint64(farthest.y()) + PlacingSlack)});
}

void CanvasScene::FitRoomToCards()
{
    int right = 0;
    int bottom = 0;
    for (const TNodex* card : FCards) {
        // The same edges that keep a card inside the canvas.
        right = std::max(right, card->Left() + card->Width() + card->LabelOverhang() + 3);
        bottom = std::max(bottom, card->Top() + card->Height() + card->LabelHeight());
    }
    SetRoomForCards(FCards.isEmpty() ? QSize() : QSize(RoomFor(qint64(right) + RoomMargin), RoomFor(qint64(bottom) + RoomMargin)));
}

void CanvasScene::SetCanvasSize(int width, int height)
{
    FRequested = {width, height};
    ApplySize();
}

void CanvasScene::SetRoomForCards(QSize room)
{
    FRoomForCards = room;
    ApplySize();
}

void CanvasScene::ApplySize()
{
    const QSize size = FRequested.expandedTo(FRoomForCards);
    if (size.width() == FWidth && size.height() == FHeight)
        return;
    FWidth = size.width();
    FHeight = size.height();
    setSceneRect(0, 0, FWidth, FHeight);
}

void CanvasScene::BringToFront(QGraphicsItem* item) { item->setZValue(++FFrontZ); }

void CanvasScene::SendToBack(QGraphicsItem* item) { item->setZValue(--FBackZ); }

QGraphicsItem* CanvasScene::TopItemAt(const QPointF& point) const
{
    // Items are returned topmost first; hidden ones are never reported.
    const QList<QGraphicsItem*> under = items(point, Qt::IntersectsItemShape, Qt::DescendingOrder);
    return under.isEmpty() ? nullptr : under.first();
}

TNodex* CanvasScene::CardAt(const QPointF& point) const
{
    QGraphicsItem* top = TopItemAt(point);
    return top && top->type() == TNodex::ItemType ? static_cast<TNodex*>(top) : nullptr;
}
