#pragma once

#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QString>

/// Draws the SVG text a metafile converter wrote onto a transparent picture of the given pixel
/// size, so that what the metafile leaves undrawn stays see-through on the card.
bool RenderSvg(const QByteArray& svg, QSize size, QImage& image, QString& reason);
