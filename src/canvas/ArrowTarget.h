#pragma once

#include <QList>
#include <QPoint>
#include <Qt>

/// The card an arrow key moves the selection to: among the card centres that lie within 45°
/// either side of the arrow's direction from `from`, the nearest, a step across the direction
/// counting twice a step along it, so that a card straight ahead wins over a nearer one far off
/// to the side. Ties go to the first in the list (canvas order). -1 when no card lies that way.
int ArrowTarget(QPoint from, const QList<QPoint>& centres, Qt::Key arrow);
