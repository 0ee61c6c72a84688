#include "canvas/ArrowTarget.h"

int ArrowTarget(QPoint from, const QList<QPoint>& centres, Qt::Key arrow)
{
    int best = -1;
    qint64 bestScore = 0;
    for (int index = 0; index < centres.size(); ++index) {
        const QPoint offset = centres[index] - from;
        qint64 along = 0;
        qint64 across = 0;
        switch (arrow) {
        case Qt::Key_Left:
            along = -qint64(offset.x());
            across = offset.y();
            break;
        case Qt::Key_Right:
            along = offset.x();
            across = offset.y();
            break;
        case Qt::Key_Up:
            along = -qint64(offset.y());
            across = offset.x();
            break;
        case Qt::Key_Down:
            along = offset.y();
            across = offset.x();
            break;
        default:
            return -1;
        }
        if (along <= 0 || qAbs(across) > along)
            continue;
        const qint64 score = along * along + 4 * across * across;
        if (best < 0 || score < bestScore) {
            best = index;
            bestScore = score;
        }
    }
    return best;
}
