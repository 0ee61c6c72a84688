#pragma once

#include "canvas/CanvasOverview.h"
#include "canvas/CanvasZoom.h"
#include "project/ProjectModel.h"

#include <QGraphicsView>
#include <QHash>

class CanvasScene;
class TNodex;
struct CanvasState;

/// The scroll box around the canvas and the mouse and keys on it: selecting, moving cards alone
/// or as a group, linking with Ctrl-clicks, panning with Shift-drags, double clicks and the
/// canvas keys. The view changes no card: what the writer asked for (a move, a link, a
/// command) goes out through signals, and the cards follow the model.
class CanvasView : public QGraphicsView {
    Q_OBJECT
public:
    CanvasView(CanvasScene* canvas, CanvasState& state, QWidget* parent = nullptr);

    CanvasScene* Canvas() const { return FCanvas; }
    /// Scrolls back to the canvas origin.
    void ScrollToOrigin();
    /// Makes a card chosen outside the canvas (in the outline, among found matches) the one
    /// selected and current, and scrolls it into view; nothing when it is that already.
    void SelectCard(TNodex& card);

    /// Whether a Ctrl-click link moves the selection on to the linked card.
    void SetSelectNextLink(bool on) { FSelectNextLink = on; }
    /// Whether card descriptions show as tooltips.
    void SetShowHints(bool on) { FShowHints = on; }

    /// The main window's keys: Insert, Delete, Space and Enter, without Shift, Ctrl or Alt.
    /// True when the key was one of them.
    bool FormKeyDown(int key, Qt::KeyboardModifiers modifiers);
    /// A double click on the current card, the Edit item or Enter.
    void NodexDoubleClick();

    /// The scale the canvas is shown at, in percent.
    int ZoomPercent() const { return FZoom.Percent(); }
    /// Shows the canvas at a stored scale (kept within the limits), from its top-left corner.
    void RestoreZoom(int percent);
    /// The canvas point shown at the view's top-left corner, and scrolling back to one.
    QPoint ShownCorner() const;
    void ShowCorner(QPoint canvasPoint);
    /// The zoom commands: around the pointer when it is over the canvas, else around the
    /// middle of the view.
    void ZoomIn();
    void ZoomOut();
    void ZoomActualSize();
    /// Shows every card: the largest scale up to actual size at which they all fit, centred.
    void ZoomToFit();

signals:
    /// The selection or the current card changed: the caption and menus need rebuilding.
    void UpdateCaption();
    /// A drag moved cards from where they stood to where they were dropped.
    void CardsMoved(const QHash<CardId, QPoint>& from, const QHash<CardId, QPoint>& to);
    /// Ctrl+arrow asks for the selected cards to move one step; the model moves them.
    void CardsNudged(const QHash<CardId, QPoint>& from, const QHash<CardId, QPoint>& to);
    /// A Ctrl-click from the current card: link it to `target`, or unlink them when linked.
    void LinkRequested(CardId source, CardId target);
    /// Open or bring up the editor of this card.
    void OpenCardEditor(TNodex* card);
    /// The New card command at a canvas point.
    void NewCardRequested(QPoint canvasPoint);
    /// The Delete command.
    void DeleteRequested();
    /// The Properties command for this card.
    void PropertiesRequested(TNodex* card);
    /// The card pop-up menu (over a card) or the canvas pop-up menu, at a screen position.
    void CardMenuRequested(QPoint screenPoint);
    void PanelMenuRequested(QPoint screenPoint);
    /// The canvas is shown at another scale.
    void ZoomChanged(int percent);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    bool viewportEvent(QEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void drawBackground(QPainter* painter, const QRectF& rect) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void PanelMouseDown(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, const QMouseEvent& event);
    void PanelMouseMove(const QMouseEvent& event);
    void PanelMouseUp();
    void PanelDragOver(const QMouseEvent& event);
    void NodexEndDrag();
    /// Ends a drag (dropping the cards where they are) or a pan, however the mouse was let go.
    void EndGesture();
    /// The keys only the canvas takes: arrows, Ctrl+arrows, Tab and Shift+Tab.
    bool PanelKeyDown(int key, Qt::KeyboardModifiers modifiers);
    /// Makes `card` the one selected card and scrolls it into view.
    void SelectByKey(TNodex* card);
    /// The card an arrow key leads to from the current card, if any.
    TNodex* CardTowards(Qt::Key arrow) const;
    /// Asks for the selected cards to move by `by`, each kept inside the canvas.
    void NudgeSelection(QPoint by);
    /// Where Insert puts a new card when the pointer is not over the canvas: right of the
    /// current card, far enough for both labels.
    QPoint BesideCurrentCard() const;
    void PressOnCard(TNodex& card, Qt::KeyboardModifiers modifiers);
    bool TryLink(TNodex& card, Qt::KeyboardModifiers modifiers);
    void BeginDrag(TNodex& card);
    void RecordCursor(QPoint screenPoint);
    void ClearSelection();
    void Select(TNodex& card);
    void Deselect(TNodex& card);
    /// Items that take no presses (labels, the start-up picture) swallow a press.
    bool PressIsSwallowed(QPointF canvasPoint) const;
    /// The point of the view a zoom key keeps in place: the pointer's, or the view's middle.
    QPointF ZoomAnchor() const;
    /// Applies the zoom's scale, keeping the canvas point under `anchor` (view pixels) there.
    void ApplyZoom(QPointF anchor);

    CanvasScene* FCanvas;
    CanvasState& FState;
    bool FSelectNextLink = true;
    bool FShowHints = false;
    TNodex* FDragCandidate = nullptr; ///< pressed card whose drag starts past the threshold
    QPoint FPressScreen;
    bool FDragging = false;
    QHash<CardId, QPoint> FDragStart; ///< where the dragged cards stood when pressed
    CanvasZoom FZoom;
    CanvasOverview FOverview;
};
