#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

/// Draws an enhanced metafile (EMF) through libemf2svg at the pixel size its header declares.
/// The record structure is checked first, so a damaged file fails with a reason instead of
/// letting the converter read past the bytes.
bool DrawEmf(const QByteArray& bytes, QImage& image, QString& reason);
