#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

/// Decodes JPEG bytes (colour, grey or CMYK) with libjpeg into an RGB888 picture. A damaged or
/// truncated file, or one beyond MaxPictureSide, fails with a short reason; `image` is written
/// only on success.
bool DecodeJpeg(const QByteArray& bytes, QImage& image, QString& reason);
