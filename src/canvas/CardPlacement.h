#pragma once

#include <QList>
#include <QPoint>
#include <QRect>

/// Where a card made from `card` (a duplicate) stands: beside it to the right, one card width
/// and a gap along, or further along (or to the left) where a card of `others` stands there,
/// always inside a canvas `canvasWidth` wide. When every place beside it is taken, the first
/// one to the right: a card on top of another is better than no card.
QPoint PlaceBeside(const QRect& card, const QList<QRect>& others, int canvasWidth);
