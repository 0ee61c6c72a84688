#pragma once

#include <QString>

class QByteArray;
class QImage;
class QPixmap;

/// Reads a theme icon picture by its file extension: "ico" and "bmp" through Qt's readers,
/// "jpg"/"jpeg" through libjpeg, "wmf" through libwmf's SVG output and "emf" through libemf2svg,
/// both metafiles drawn with QtSvg on a transparent picture at their own pixel size (96 dpi).
/// Any other extension, a missing, empty or damaged file, or one beyond the limits below fails
/// with a short English error naming the file; the theme then falls back to the built-in icons.
/// Nothing is printed and nothing is thrown.
/// A multi-image .ico gives its largest image, because the icon is shown unscaled on the card.
bool LoadPicture(const QString& path, QPixmap& picture, QString& error);

/// The same as LoadPicture, into a QImage, so that it works without a window system.
bool LoadPictureImage(const QString& path, QImage& image, QString& error);

/// Decodes picture bytes held in memory as the type a file suffix names (without its dot, in
/// any letter case), under the same limits as a file. `error` gets the bare reason, without a
/// file name; `image` is written only on success.
bool DecodePictureBytes(
    const QByteArray& bytes, const QString& suffix, QImage& image, QString& error);

/// Whether a file suffix, without its dot (QFileInfo::suffix()), names one of the six picture
/// types, in any letter case.
bool IsPictureExtension(const QString& suffix);

/// The largest width or height accepted. A card shows its picture unscaled in a square of at
/// most 1024 pixels, so nothing beyond this is ever seen; the limit keeps a decoded picture to
/// 4 MB and its decoding well under a second.
inline constexpr int MaxPictureSide = 1024;

/// The largest icon, bitmap or JPEG file accepted: the largest picture as an uncompressed 32-bit
/// bitmap, with room for headers, a palette, an icon directory or a JPEG's colour profile.
inline constexpr qint64 MaxBitmapFileBytes = qint64(MaxPictureSide) * MaxPictureSide * 4 + 65536;

/// The largest metafile accepted, and the most records it may hold: the metafile libraries and
/// QtSvg spend time and memory on every record, whatever its size on the picture (about 9 µs a
/// record on the development machine), and a theme has thirteen icons.
inline constexpr qint64 MaxMetafileBytes = 256 * 1024;
inline constexpr int MaxMetafileRecords = 4000;
/// Records times pixels of the picture: drawing a record that covers the picture costs about
/// 0.2 ns a pixel, so this keeps any metafile icon to some 40 ms, and a whole theme well under
/// a second.
inline constexpr qint64 MaxMetafileWork = 150'000'000;
