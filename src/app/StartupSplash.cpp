#include "app/StartupSplash.h"

#include "app/Splash.h"
#include "canvas/CanvasScene.h"
#include "canvas/CanvasView.h"

#include <QGraphicsPixmapItem>
#include <QRandomGenerator>

namespace {
constexpr int SplashDrawRange = 30;
} // namespace

// The splash pictures are compiled into a static library: registering them by name keeps the
// linker from leaving them out of the program.
static void RegisterSplashPictures()
{
    Q_INIT_RESOURCE(app);
}

StartupSplash::StartupSplash(CanvasScene& canvas, CanvasView& view)
    : FCanvas(canvas)
    , FView(view)
{
}

void StartupSplash::Show(int draw)
{
    RegisterSplashPictures();
    if (draw < 0)
        draw = int(QRandomGenerator::global()->bounded(SplashDrawRange));
    QString picture = ":/app/Splash.png";
    switch (ChooseSplash(draw)) {
    case SplashChoice::Logo1: picture = ":/app/Logo1.png"; break;
    case SplashChoice::Logo2: picture = ":/app/Logo2.png"; break;
    case SplashChoice::Own: break;
    }
    imgFlash = FCanvas.addPixmap(QPixmap(picture));
    imgFlash->setAcceptedMouseButtons(Qt::NoButton);
    Centre();
}

void StartupSplash::Centre()
{
    if (!Visible())
        return;
    imgFlash->setPos(SplashPosition(FView.viewport()->size(), imgFlash->pixmap().size()));
}

void StartupSplash::Hide()
{
    // Gone for good, rather than hidden: among thousands of cards it would stand in the way
    // of the canvas clearing them cheaply.
    delete std::exchange(imgFlash, nullptr);
}

QPixmap StartupSplash::Picture() const { return imgFlash ? imgFlash->pixmap() : QPixmap(); }

bool StartupSplash::Visible() const { return imgFlash && imgFlash->isVisible(); }
