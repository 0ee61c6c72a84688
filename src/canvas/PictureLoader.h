#pragma once

#include <QString>

class QImage;
class QPixmap;

/// Reads a theme icon picture by its file extension: "ico" and "bmp" through Qt's readers,
/// "jpg"/"jpeg" through libjpeg, "wmf" through libwmf's SVG output and "emf" through libemf2svg,
/// both metafiles drawn with QtSvg on a transparent picture at their own pixel size (96 dpi).
/// Any other extension, a missing, empty or damaged file, or a picture larger than
/// MaxPictureSide in either direction fails with a short English error naming the file; the
/// theme then falls back to the built-in icons. Nothing is printed and nothing is thrown.
/// A multi-image .ico gives its largest image, because the icon is shown unscaled on the card.
bool LoadPicture(const QString& path, QPixmap& picture, QString& error);

/// The same as LoadPicture, into a QImage, so that it works without a window system.
bool LoadPictureImage(const QString& path, QImage& image, QString& error);

/// Whether a file suffix, without its dot (QFileInfo::suffix()), names one of the six picture
/// types, in any letter case.
bool IsPictureExtension(const QString& suffix);

/// The largest width or height accepted, to keep a damaged or hostile file from claiming
/// gigabytes of memory.
inline constexpr int MaxPictureSide = 4096;
