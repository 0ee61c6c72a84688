#pragma once

#include <QPixmap>

class CanvasScene;
class CanvasView;
class QGraphicsPixmapItem;

/// The start-up picture on the canvas: drawn at random from the splash and the two logos, kept
/// near the middle of the view, and gone for good once the writer starts to work.
class StartupSplash {
public:
    StartupSplash(CanvasScene& canvas, CanvasView& view);

    /// Shows the picture that `draw` (0..29) picks; a negative draw picks one at random.
    void Show(int draw);

    /// Puts the picture back near the middle of the view, which may have changed size.
    void Centre();
    /// Hides the picture for good.
    void Hide();
    bool Visible() const;
    QPixmap Picture() const;

private:
    CanvasScene& FCanvas;
    CanvasView& FView;
    QGraphicsPixmapItem* imgFlash = nullptr;
};
