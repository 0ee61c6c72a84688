#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

/// Decodes a Windows bitmap through Qt's reader once its header has been checked: dimensions
/// within MaxPictureSide, and all the rows an uncompressed bitmap promises present.
bool DecodeBmp(const QByteArray& bytes, QImage& image, QString& reason);

/// Decodes the largest image of an icon (the first of equal ones), chosen from the icon's
/// directory, so that only that one image is ever decoded however many the file holds.
bool DecodeIco(const QByteArray& bytes, QImage& image, QString& reason);
