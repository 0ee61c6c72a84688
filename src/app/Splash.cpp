#include "app/Splash.h"

SplashChoice ChooseSplash(int draw)
{
    if (draw >= 21)
        return SplashChoice::Logo2;
    if (draw >= 11)
        return SplashChoice::Logo1;
    return SplashChoice::Own;
}

QPoint SplashPosition(QSize client, QSize picture)
{
    // Integer division truncates toward zero, as the window's own arithmetic does.
    return {client.width() / 2 - picture.width() / 2 - 20,
            client.height() / 2 - picture.height() / 2 - 30};
}
