#include "picture/SvgPicture.h"

#include "picture/PictureDecoding.h"

#include <QPainter>
#include <QSvgRenderer>

bool RenderSvg(const QByteArray& svg, QSize size, QImage& image, QString& reason)
{
    QSvgRenderer renderer(svg);
    if (!renderer.isValid()) {
        reason = QStringLiteral("the converted drawing could not be read");
        return false;
    }
    QImage drawn(size, QImage::Format_ARGB32_Premultiplied);
    if (drawn.isNull()) {
        reason = PictureNoMemory();
        return false;
    }
    drawn.fill(Qt::transparent);
    QPainter painter(&drawn);
    painter.setRenderHint(QPainter::Antialiasing);
    renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(size)));
    painter.end();
    image = drawn;
    return true;
}
