#pragma once

#include <QGraphicsView>

class TCanvas;

/// The scroll box around the canvas: shows the canvas from its top-left corner and scrolls it.
class TCanvasView : public QGraphicsView {
    Q_OBJECT
public:
    TCanvasView(TCanvas* canvas, QWidget* parent = nullptr);

    TCanvas* Canvas() const { return FCanvas; }
    /// Scrolls back to the canvas origin.
    void ScrollToOrigin();

private:
    TCanvas* FCanvas;
};
