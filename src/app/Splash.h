#pragma once

#include <QPoint>
#include <QSize>

/// Which start-up picture shows: the splash's own or one of the two logos.
enum class SplashChoice { Own, Logo1, Logo2 };

/// Picks the picture from a random draw in 0..29: 0 to 10 the splash's own, 11 to 20 the first
/// logo, 21 to 29 the second.
SplashChoice ChooseSplash(int draw);

/// Where the picture stands: a little above and left of the middle of the client area.
QPoint SplashPosition(QSize client, QSize picture);
