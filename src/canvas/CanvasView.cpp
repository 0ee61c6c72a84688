#include "canvas/CanvasView.h"

#include "canvas/ArrowTarget.h"
#include "canvas/CanvasScene.h"
#include "canvas/CanvasState.h"
#include "canvas/LabelLayout.h"
#include "canvas/NodexLabel.h"
#include "canvas/Nodex.h"
#include "canvas/Theme.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QCursor>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <QToolTip>
#include <QWheelEvent>

namespace {
constexpr int HintShowTime = 6000;
constexpr Qt::KeyboardModifiers HeldKeys = Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier;
/// The canvas has no grid of its own: Ctrl+arrow moves the selected cards by this many pixels.
constexpr int KeyMoveStep = 10;
/// Room between the labels of a card and the one Insert puts beside it.
constexpr int BesideGap = 30;

bool Only(Qt::KeyboardModifiers modifiers, Qt::KeyboardModifiers wanted)
{
    return (modifiers & HeldKeys) == wanted;
}
} // namespace

CanvasView::CanvasView(CanvasScene* canvas, CanvasState& state, QWidget* parent)
    : QGraphicsView(canvas, parent)
    , FCanvas(canvas)
    , FState(state)
    , FOverview(*canvas)
{
    setObjectName("scrlbMain");
    setFrameShape(QFrame::NoFrame);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setTransformationAnchor(QGraphicsView::NoAnchor);
    setResizeAnchor(QGraphicsView::NoAnchor);
    setViewportUpdateMode(QGraphicsView::MinimalViewportUpdate);
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    // A card can go while the mouse still holds it (a command run from the keyboard).
    connect(canvas, &CanvasScene::CardDestroying, this, [this](TNodex* card) {
        if (card == FDragCandidate) {
            FDragCandidate = nullptr;
            FDragging = false;
        }
    });
}

void CanvasView::ScrollToOrigin()
{
    horizontalScrollBar()->setValue(horizontalScrollBar()->minimum());
    verticalScrollBar()->setValue(verticalScrollBar()->minimum());
}

void CanvasView::RecordCursor(QPoint screenPoint)
{
    FState.CursorScreen = screenPoint;
    FState.CursorPanel = mapToScene(viewport()->mapFromGlobal(screenPoint)).toPoint();
}

bool CanvasView::PressIsSwallowed(QPointF canvasPoint) const
{
    const QGraphicsItem* top = FCanvas->TopItemAt(canvasPoint);
    return top && top->acceptedMouseButtons() == Qt::NoButton;
}

void CanvasView::ClearSelection()
{
    for (TNodex* card : std::exchange(FState.SelectedCards, {}))
        card->SetSelected(false);
}

void CanvasView::Select(TNodex& card)
{
    if (!FState.SelectedCards.contains(&card))
        FState.SelectedCards.append(&card);
    card.SetSelected(true);
}

void CanvasView::SelectCard(TNodex& card)
{
    // Chosen again, the card changes nothing: the followers of the selection are not stirred.
    if (FState.SelectedCards == QList<TNodex*> { &card } && FState.CurrentCard == &card)
        return;
    ClearSelection();
    Select(card);
    FState.CurrentCard = &card;
    ensureVisible(&card);
    emit UpdateCaption();
}

void CanvasView::Deselect(TNodex& card)
{
    FState.SelectedCards.removeAll(&card);
    card.SetSelected(false);
}

void CanvasView::mousePressEvent(QMouseEvent* event)
{
    // Any press begins afresh: a drag or pan whose release never came ends first.
    EndGesture();
    PanelMouseDown(event->button(), event->modifiers(), *event);
    event->accept();
}

void CanvasView::mouseDoubleClickEvent(QMouseEvent* event)
{
    // The double click reaches the card before the second press does, so that press finds the
    // double click pending and starts no drag.
    if (event->button() == Qt::LeftButton && FCanvas->CardAt(mapToScene(event->position().toPoint())))
        NodexDoubleClick();
    PanelMouseDown(event->button(), event->modifiers(), *event);
    event->accept();
}

void CanvasView::PanelMouseDown(Qt::MouseButton button, Qt::KeyboardModifiers modifiers,
                                 const QMouseEvent& event)
{
    if (button == Qt::MiddleButton)
        return;
    const QPointF canvasPoint = mapToScene(event.position().toPoint());
    if (PressIsSwallowed(canvasPoint))
        return;
    FState.PlainClick = (modifiers & HeldKeys) == Qt::NoModifier;
    RecordCursor(event.globalPosition().toPoint());
    TNodex* card = FCanvas->CardAt(canvasPoint);
    FState.GrabPoint = card ? QPoint(FState.CursorPanel.x() - card->Left(), FState.CursorPanel.y() - card->Top())
                            : FState.CursorPanel;

    if (button == Qt::RightButton) {
        ClearSelection();
        FState.CurrentCard = card;
        if (card)
            Select(*card);
        emit UpdateCaption();
        return;
    }
    if (button != Qt::LeftButton)
        return;
    if (card) {
        PressOnCard(*card, modifiers);
        return;
    }
    if (Only(modifiers, Qt::ShiftModifier)) {
        FState.PanLastPoint = FState.CursorScreen;
        FState.Panning = true;
        viewport()->setCursor(Qt::PointingHandCursor);
    } else {
        FState.CurrentCard = nullptr;
        ClearSelection();
    }
    emit UpdateCaption();
}

bool CanvasView::TryLink(TNodex& card, Qt::KeyboardModifiers modifiers)
{
    TNodex* current = FState.CurrentCard;
    if (!current || current == &card || !Only(modifiers, Qt::ControlModifier))
        return false;
    if (FState.SelectedCards.size() > 1)
        return true;
    if (current->Type() == CompilationType || card.Type() == CompilationType)
        return false;

    // The link is made, undone or refused by whoever answers; the card shows the outcome.
    const bool wasLinked = current->LinkTo() == &card;
    emit LinkRequested(current->Id(), card.Id());
    if (!wasLinked && current->LinkTo() == &card && FSelectNextLink) {
        Deselect(*current);
        FState.CurrentCard = &card;
        Select(card);
    }
    emit UpdateCaption();
    return true;
}

void CanvasView::PressOnCard(TNodex& card, Qt::KeyboardModifiers modifiers)
{
    if (TryLink(card, modifiers))
        return;
    if (Only(modifiers, Qt::ShiftModifier | Qt::ControlModifier)) {
        if (FState.SelectedCards.contains(&card))
            Deselect(card);
        else
            Select(card);
        emit UpdateCaption();
        return;
    }
    FState.CurrentCard = &card;
    if (Only(modifiers, Qt::ShiftModifier)) {
        if (!FState.SelectedCards.contains(&card))
            FState.SelectedCards.append(&card);
        for (TNodex* other : FState.SelectedCards) {
            other->DragOffsetX = card.Left() - other->Left();
            other->DragOffsetY = card.Top() - other->Top();
        }
        if (!FState.DoubleClickPending) {
            card.SetSelected(true);
            BeginDrag(card);
        }
    } else {
        ClearSelection();
        Select(card);
        if (!FState.DoubleClickPending)
            BeginDrag(card);
    }
    emit UpdateCaption();
}

void CanvasView::BeginDrag(TNodex& card)
{
    FCanvas->BringToFront(&card);
    FCanvas->BringToFront(card.NameLabel());
    // The drag itself starts once the pointer has moved the system's drag distance.
    FDragCandidate = &card;
    FPressScreen = FState.CursorScreen;
    FDragStart.clear();
    FDragStart.insert(card.Id(), {card.Left(), card.Top()});
    for (const TNodex* other : FState.SelectedCards)
        FDragStart.insert(other->Id(), {other->Left(), other->Top()});
}

void CanvasView::mouseMoveEvent(QMouseEvent* event)
{
    // A move without the button means its release went elsewhere (a menu or another window
    // took the mouse): the drag or pan ends here instead of following a free pointer.
    if ((FDragCandidate || FState.Panning) && !(event->buttons() & Qt::LeftButton))
        EndGesture();
    PanelMouseMove(*event);
    if (FDragCandidate && !FDragging && (event->buttons() & Qt::LeftButton)
        && (event->globalPosition().toPoint() - FPressScreen).manhattanLength()
            >= QApplication::startDragDistance()) {
        FDragging = true;
        FCanvas->SetDraggedCard(FDragCandidate);
    }
    if (FDragging)
        PanelDragOver(*event);
    event->accept();
}

void CanvasView::PanelMouseMove(const QMouseEvent& event)
{
    FState.DoubleClickPending = false;
    if (!FState.Panning)
        return;
    RecordCursor(event.globalPosition().toPoint());
    const QPoint moved = FState.CursorScreen - FState.PanLastPoint;
    // The canvas follows the hand; the scroll bars keep the position within range.
    horizontalScrollBar()->setValue(horizontalScrollBar()->value() - moved.x());
    verticalScrollBar()->setValue(verticalScrollBar()->value() - moved.y());
    FState.PanLastPoint = FState.CursorScreen;
}

void CanvasView::PanelDragOver(const QMouseEvent& event)
{
    TNodex* dragged = FCanvas->DraggedCard();
    if (!dragged)
        return;
    dragged->HideLine();
    if (TNodex* predecessor = dragged->LinkedFrom())
        predecessor->HideLine();
    RecordCursor(event.globalPosition().toPoint());
    dragged->MoveTo(FState.CursorPanel.x() - FState.GrabPoint.x(), FState.CursorPanel.y() - FState.GrabPoint.y());
    dragged->ClampToParent();
    // Each card is clamped by itself, so a group squeezed against an edge closes up and opens
    // out again when moved back.
    for (TNodex* card : FState.SelectedCards) {
        if (card == FState.CurrentCard)
            continue;
        card->HideLine();
        if (TNodex* predecessor = card->LinkedFrom())
            predecessor->HideLine();
        card->MoveTo(dragged->Left() - card->DragOffsetX, dragged->Top() - card->DragOffsetY);
        card->ClampToParent();
    }
}

void CanvasView::mouseReleaseEvent(QMouseEvent* event)
{
    EndGesture();
    event->accept();
}

void CanvasView::EndGesture()
{
    if (FDragging)
        NodexEndDrag();
    FDragCandidate = nullptr;
    FDragging = false;
    PanelMouseUp();
}

void CanvasView::focusOutEvent(QFocusEvent* event)
{
    // A pop-up menu or another window now has the mouse: no release will come.
    EndGesture();
    QGraphicsView::focusOutEvent(event);
}

void CanvasView::PanelMouseUp()
{
    FState.Panning = false;
    viewport()->unsetCursor();
}

void CanvasView::NodexEndDrag()
{
    TNodex* dragged = FCanvas->DraggedCard();
    QList<TNodex*> moved = FState.SelectedCards;
    if (dragged && !moved.contains(dragged))
        moved.prepend(dragged);
    QHash<CardId, QPoint> from;
    QHash<CardId, QPoint> to;
    for (TNodex* card : moved) {
        card->ClampToParent();
        const QPoint start = FDragStart.value(card->Id(), {card->Left(), card->Top()});
        if (start != QPoint(card->Left(), card->Top())) {
            from.insert(card->Id(), start);
            to.insert(card->Id(), {card->Left(), card->Top()});
        }
    }
    FCanvas->SetDraggedCard(nullptr);
    FDragStart.clear();
    for (TNodex* card : moved) {
        card->UpdateLine();
        if (TNodex* predecessor = card->LinkedFrom())
            predecessor->UpdateLine();
    }
    FState.Panning = false;
    viewport()->unsetCursor();
    if (!to.isEmpty())
        emit CardsMoved(from, to);
    emit UpdateCaption();
}

void CanvasView::NodexDoubleClick()
{
    FState.DoubleClickPending = true;
    if (FState.PlainClick && FState.CurrentCard)
        emit OpenCardEditor(FState.CurrentCard);
}

bool CanvasView::event(QEvent* event)
{
    // Tab and Shift+Tab walk the chain: they never take the focus away from the canvas.
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if ((key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab)
            && !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
            keyPressEvent(key);
            return true;
        }
    }
    return QGraphicsView::event(event);
}

void CanvasView::keyPressEvent(QKeyEvent* event)
{
    if (!FormKeyDown(event->key(), event->modifiers())
        && !PanelKeyDown(event->key(), event->modifiers()))
        QGraphicsView::keyPressEvent(event);
}

bool CanvasView::PanelKeyDown(int key, Qt::KeyboardModifiers modifiers)
{
    const bool arrow
        = key == Qt::Key_Left || key == Qt::Key_Right || key == Qt::Key_Up || key == Qt::Key_Down;
    if (key == Qt::Key_Tab || key == Qt::Key_Backtab) {
        if (!FState.CurrentCard)
            return true;
        const bool back = key == Qt::Key_Backtab || (modifiers & Qt::ShiftModifier);
        if (TNodex* next = back ? FState.CurrentCard->LinkedFrom() : FState.CurrentCard->LinkTo())
            SelectByKey(next);
        return true;
    }
    // Without a card to start from, the arrows scroll the canvas as in any scroll box.
    if (!arrow || !FState.CurrentCard)
        return false;
    if (Only(modifiers, Qt::NoModifier)) {
        if (TNodex* next = CardTowards(Qt::Key(key)))
            SelectByKey(next);
        return true;
    }
    if (Only(modifiers, Qt::ControlModifier)) {
        const int step = KeyMoveStep;
        NudgeSelection(key == Qt::Key_Left ? QPoint(-step, 0)
                : key == Qt::Key_Right     ? QPoint(step, 0)
                : key == Qt::Key_Up        ? QPoint(0, -step)
                                           : QPoint(0, step));
        return true;
    }
    return false;
}

void CanvasView::SelectByKey(TNodex* card)
{
    ClearSelection();
    FState.CurrentCard = card;
    Select(*card);
    ensureVisible(card->Left() - card->LabelOverhang(), card->Top(),
        card->Width() + 2 * card->LabelOverhang(), card->Height() + card->LabelHeight());
    emit UpdateCaption();
}

TNodex* CanvasView::CardTowards(Qt::Key arrow) const
{
    const auto centre = [](const TNodex* card) {
        return QPoint(card->Left() + card->Width() / 2, card->Top() + card->Height() / 2);
    };
    QList<TNodex*> cards;
    QList<QPoint> centres;
    for (TNodex* card : FCanvas->Cards()) {
        if (card != FState.CurrentCard && card->isVisible()) {
            cards.append(card);
            centres.append(centre(card));
        }
    }
    const int index = ArrowTarget(centre(FState.CurrentCard), centres, arrow);
    return index < 0 ? nullptr : cards[index];
}

void CanvasView::NudgeSelection(QPoint by)
{
    QHash<CardId, QPoint> from;
    QHash<CardId, QPoint> to;
    for (const TNodex* card : FState.SelectedCards) {
        const QPoint start(card->Left(), card->Top());
        const QPoint end
            = card->ClampedPosition(qint64(start.x()) + by.x(), qint64(start.y()) + by.y());
        if (end != start) {
            from.insert(card->Id(), start);
            to.insert(card->Id(), end);
        }
    }
    if (!to.isEmpty())
        emit CardsNudged(from, to);
}

QPoint CanvasView::BesideCurrentCard() const
{
    const TNodex* card = FState.CurrentCard;
    return { card->Left() + card->Width() / 2 + qMax(card->Width(), LabelWrapWidth) + BesideGap,
        card->Top() + card->Height() / 2 };
}

bool CanvasView::FormKeyDown(int key, Qt::KeyboardModifiers modifiers)
{
    if ((modifiers & HeldKeys) != Qt::NoModifier)
        return false;
    switch (key) {
    case Qt::Key_Insert: {
        RecordCursor(QCursor::pos());
        const QPoint at = FState.CursorPanel;
        const bool overCanvas
            = viewport()->rect().contains(viewport()->mapFromGlobal(FState.CursorScreen))
            && at.x() >= 1 && at.x() < FCanvas->CanvasWidth() && at.y() >= 1
            && at.y() < FCanvas->CanvasHeight();
        if (overCanvas)
            emit NewCardRequested(at);
        else if (FState.CurrentCard)
            emit NewCardRequested(BesideCurrentCard());
        return true;
    }
    case Qt::Key_Delete:
        emit DeleteRequested();
        return true;
    case Qt::Key_Space:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (FState.SelectedCards.size() >= 2 || !FState.CurrentCard)
            return true;
        if (key != Qt::Key_Space)
            NodexDoubleClick();
        else if (FState.CurrentCard->Type() != CompilationType)
            emit PropertiesRequested(FState.CurrentCard);
        return true;
    default:
        return false;
    }
}

void CanvasView::contextMenuEvent(QContextMenuEvent* event)
{
    EndGesture();
    if (FCanvas->CardAt(mapToScene(event->pos())))
        emit CardMenuRequested(event->globalPos());
    else
        emit PanelMenuRequested(event->globalPos());
    event->accept();
}

bool CanvasView::viewportEvent(QEvent* event)
{
    if (event->type() != QEvent::ToolTip)
        return QGraphicsView::viewportEvent(event);
    // Card descriptions show as tooltips only when the writer asked for them.
    const auto* help = static_cast<QHelpEvent*>(event);
    TNodex* card = FShowHints ? FCanvas->CardAt(mapToScene(help->pos())) : nullptr;
    if (card && !card->Hint().isEmpty())
        QToolTip::showText(help->globalPos(), card->HintToolTip(), viewport(), QRect(), HintShowTime);
    else
        QToolTip::hideText();
    return true;
}

void CanvasView::wheelEvent(QWheelEvent* event)
{
    if (!(event->modifiers() & Qt::ControlModifier)) {
        QGraphicsView::wheelEvent(event);
        return;
    }
    // Ctrl+wheel zooms around the pointer, as in drawing programs; it never scrolls.
    if (FZoom.Wheel(event->angleDelta().y()))
        ApplyZoom(event->position());
    event->accept();
}

QPointF CanvasView::ZoomAnchor() const
{
    const QPoint pointer = viewport()->mapFromGlobal(QCursor::pos());
    return viewport()->rect().contains(pointer) ? QPointF(pointer) : QRectF(viewport()->rect()).center();
}

void CanvasView::ApplyZoom(QPointF anchor)
{
    const QPointF canvasPoint = mapToScene(anchor.toPoint());
    const qreal scale = FZoom.Scale();
    setTransform(QTransform::fromScale(scale, scale));
    // The scroll bars count view pixels from the canvas's top-left corner.
    horizontalScrollBar()->setValue(qRound(canvasPoint.x() * scale - anchor.x()));
    verticalScrollBar()->setValue(qRound(canvasPoint.y() * scale - anchor.y()));
    emit ZoomChanged(FZoom.Percent());
}

void CanvasView::RestoreZoom(int percent)
{
    FZoom.SetPercent(percent);
    ApplyZoom({});
    ScrollToOrigin();
}

QPoint CanvasView::ShownCorner() const
{
    const qreal scale = FZoom.Scale();
    return { qRound(horizontalScrollBar()->value() / scale), qRound(verticalScrollBar()->value() / scale) };
}

void CanvasView::ShowCorner(QPoint canvasPoint)
{
    const qreal scale = FZoom.Scale();
    horizontalScrollBar()->setValue(qRound(canvasPoint.x() * scale));
    verticalScrollBar()->setValue(qRound(canvasPoint.y() * scale));
}

void CanvasView::ZoomIn()
{
    if (FZoom.StepIn())
        ApplyZoom(ZoomAnchor());
}

void CanvasView::ZoomOut()
{
    if (FZoom.StepOut())
        ApplyZoom(ZoomAnchor());
}

void CanvasView::ZoomActualSize()
{
    if (FZoom.SetPercent(CanvasZoom::ActualSize))
        ApplyZoom(ZoomAnchor());
}

void CanvasView::ZoomToFit()
{
    // What a card takes on the canvas is what keeps it inside: the card and its label.
    QRectF cards;
    for (const TNodex* card : FCanvas->Cards())
        cards |= QRectF(card->Left() - card->LabelOverhang(), card->Top(),
                        card->Width() + 2 * card->LabelOverhang(), card->Height() + card->LabelHeight());
    FZoom.SetPercent(CanvasZoom::FitPercent(cards, viewport()->size()));
    ApplyZoom({});
    if (cards.isEmpty())
        ScrollToOrigin();
    else
        centerOn(cards.center());
}

void CanvasView::paintEvent(QPaintEvent* event)
{
    if (FZoom.Scale() >= CanvasOverview::ReadableScale) {
        QGraphicsView::paintEvent(event);
        return;
    }
    QPainter painter(viewport());
    painter.setClipRegion(event->region());
    const QRectF exposed = mapToScene(event->rect()).boundingRect();
    painter.setTransform(viewportTransform());
    drawBackground(&painter, exposed);
    FOverview.Paint(painter, viewportTransform(), exposed);
}

void CanvasView::drawBackground(QPainter* painter, const QRectF& rect)
{
    // Zoomed out, the canvas may not fill the view: what lies beyond its edges is no canvas,
    // and shows that cards cannot go there.
    const QRectF canvas = sceneRect();
    if (!canvas.contains(rect))
        painter->fillRect(rect, palette().color(QPalette::Mid));
    QGraphicsView::drawBackground(painter, rect & canvas);
}
