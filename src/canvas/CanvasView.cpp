#include "canvas/CanvasView.h"

#include "canvas/Canvas.h"

#include <QScrollBar>

TCanvasView::TCanvasView(TCanvas* canvas, QWidget* parent)
    : QGraphicsView(canvas, parent)
    , FCanvas(canvas)
{
    setObjectName("scrlbMain");
    setFrameShape(QFrame::NoFrame);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setTransformationAnchor(QGraphicsView::NoAnchor);
    setResizeAnchor(QGraphicsView::NoAnchor);
    setViewportUpdateMode(QGraphicsView::MinimalViewportUpdate);
}

void TCanvasView::ScrollToOrigin()
{
    horizontalScrollBar()->setValue(horizontalScrollBar()->minimum());
    verticalScrollBar()->setValue(verticalScrollBar()->minimum());
}
