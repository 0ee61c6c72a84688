#pragma once

#include <QList>
#include <QPoint>

class CanvasScene;
class TNodex;

/// What the canvas remembers between mouse events: the selection, the current card, and the
/// state of a press, drag or pan in progress.
struct CanvasState {
    TNodex* CurrentCard = nullptr;   ///< the card card commands apply to
    QList<TNodex*> SelectedCards;    ///< in selection order; not owning
    bool PlainClick = false;         ///< the last press had none of Shift, Ctrl, Alt
    bool DoubleClickPending = false; ///< a double click happened; cleared by the next move
    QPoint GrabPoint;                ///< where the last press hit inside the pressed card
    QPoint CursorScreen;             ///< last recorded pointer position on the screen
    QPoint CursorPanel;              ///< the same position on the canvas
    bool Panning = false;            ///< a Shift-drag of the empty canvas is under way
    QPoint PanLastPoint;             ///< screen position at the last panning step
};
