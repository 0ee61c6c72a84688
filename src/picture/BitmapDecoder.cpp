#include "picture/BitmapDecoder.h"

#include "picture/PictureDecoding.h"
#include "picture/PictureLoader.h"

#include <QBuffer>
#include <QImageReader>
#include <QtEndian>

namespace {

// Qt's reader with the format forced, so that content of another type is refused.
bool ReadWithQt(const QByteArray& bytes, const char* format, QImage& image, QString& reason)
{
    reason = QStringLiteral("the content is not a valid %1 picture").arg(QLatin1String(format));
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, format);
    reader.setAutoDetectImageFormat(false);
    reader.setDecideFormatFromContent(false);
    QImage read;
    if (!reader.canRead() || !reader.read(&read) || read.isNull())
        return false;
    if (!FitsPictureLimit(read.width(), read.height())) {
        reason = PictureTooLarge();
        return false;
    }
    image = read;
    return true;
}

// One image of an icon as its directory describes it.
struct IconEntry {
    qint64 Width = 0;
    qint64 Height = 0;
    quint32 Offset = 0;
    quint32 Length = 0;
    bool Png = false;
};

constexpr qsizetype IconHeaderSize = 6;
constexpr qsizetype IconEntrySize = 16;

// The size of an image stored as PNG, from its IHDR chunk; the directory's size bytes cannot
// tell sizes beyond 256, and writers often leave them at 0 for any large image.
bool PngSize(const QByteArray& png, IconEntry& entry)
{
    if (png.size() < 24 || png.mid(12, 4) != "IHDR")
        return false;
    entry.Width = qFromBigEndian<quint32>(png.constData() + 16);
    entry.Height = qFromBigEndian<quint32>(png.constData() + 20);
    return entry.Width > 0 && entry.Height > 0;
}

// The PNG with only the chunks that make its pixels. Qt's reader keeps every text chunk it
// meets, and a few KB of compressed text expand to gigabytes.
QByteArray PixelChunks(const QByteArray& png)
{
    static const QByteArrayList kept { "IHDR", "PLTE", "tRNS", "gAMA", "cHRM", "sRGB", "iCCP",
        "IDAT", "IEND" };
    QByteArray pixels = png.left(8);
    for (qsizetype at = 8; png.size() - at >= 12;) {
        const qint64 chunkSize = 12 + qint64(qFromBigEndian<quint32>(png.constData() + at));
        if (chunkSize > png.size() - at)
            break;
        if (kept.contains(png.mid(at + 4, 4)))
            pixels.append(png.constData() + at, qsizetype(chunkSize));
        at += qsizetype(chunkSize);
    }
    return pixels;
}

// Reads and checks the whole directory: every image must lie inside the file, and none may be
// beyond the size limit, as when every image was decoded.
bool ReadIconDirectory(const QByteArray& bytes, QList<IconEntry>& entries, QString& reason)
{
    if (bytes.size() < IconHeaderSize || Word(bytes, 0) != 0
        || (Word(bytes, 2) != 1 && Word(bytes, 2) != 2))
        return false;
    const int count = Word(bytes, 4);
    const qsizetype imagesFrom = IconHeaderSize + IconEntrySize * count;
    if (count == 0 || bytes.size() < imagesFrom)
        return false;
    static const QByteArray pngSignature("\x89PNG\r\n\x1a\n", 8);
    for (int index = 0; index < count; ++index) {
        const qsizetype at = IconHeaderSize + IconEntrySize * index;
        IconEntry entry;
        entry.Width = quint8(bytes.at(at)) == 0 ? 256 : quint8(bytes.at(at));
        entry.Height = quint8(bytes.at(at + 1)) == 0 ? 256 : quint8(bytes.at(at + 1));
        entry.Length = DoubleWord(bytes, at + 8);
        entry.Offset = DoubleWord(bytes, at + 12);
        if (entry.Length == 0 || entry.Offset < imagesFrom
            || qint64(entry.Offset) + entry.Length > bytes.size())
            return false;
        const QByteArray image
            = QByteArray::fromRawData(bytes.constData() + entry.Offset, entry.Length);
        entry.Png = image.startsWith(pngSignature);
        if (entry.Png && !PngSize(image, entry))
            return false;
        if (entry.Width > MaxPictureSide || entry.Height > MaxPictureSide) {
            reason = PictureTooLarge();
            return false;
        }
        entries.append(entry);
    }
    return true;
}

} // namespace

// Qt's bitmap reader accepts a truncated file and leaves the missing rows undefined, so an
// uncompressed bitmap must hold all the rows its header promises.
bool DecodeBmp(const QByteArray& bytes, QImage& image, QString& reason)
{
    reason = QStringLiteral("the bitmap is damaged or incomplete");
    if (bytes.size() < 26 || !bytes.startsWith("BM"))
        return false;
    const quint32 pixelsAt = DoubleWord(bytes, 10);
    const quint32 headerSize = DoubleWord(bytes, 14);
    qint64 width = 0;
    qint64 height = 0;
    quint16 bitsPerPixel = 0;
    quint32 compression = 0;
    if (headerSize == 12) {
        width = Word(bytes, 18);
        height = Word(bytes, 20);
        bitsPerPixel = Word(bytes, 24);
    } else if (headerSize >= 40 && bytes.size() >= 34) {
        width = SignedDoubleWord(bytes, 18);
        height = qAbs(qint64(SignedDoubleWord(bytes, 22)));
        bitsPerPixel = Word(bytes, 28);
        compression = DoubleWord(bytes, 30);
    } else {
        return false;
    }
    if (width <= 0 || height <= 0)
        return false;
    if (width > MaxPictureSide || height > MaxPictureSide) {
        reason = PictureTooLarge();
        return false;
    }
    const bool uncompressed = compression == 0 || compression == 3 || compression == 6;
    const qint64 stride = (width * bitsPerPixel + 31) / 32 * 4;
    if (uncompressed && qint64(pixelsAt) + stride * height > bytes.size())
        return false;
    return ReadWithQt(bytes, "bmp", image, reason);
}

// Cards show the picture unscaled in a square of the theme's size, which the small list sizes
// of an icon would not fill. The chosen image goes to Qt's reader as an icon of its own.
bool DecodeIco(const QByteArray& bytes, QImage& image, QString& reason)
{
    reason = QStringLiteral("the content is not a valid ico picture");
    QList<IconEntry> entries;
    if (!ReadIconDirectory(bytes, entries, reason))
        return false;
    qsizetype largest = 0;
    for (qsizetype index = 1; index < entries.size(); ++index) {
        if (entries[index].Width * entries[index].Height
            > entries[largest].Width * entries[largest].Height)
            largest = index;
    }
    const IconEntry& chosen = entries[largest];
    QByteArray data = bytes.mid(chosen.Offset, chosen.Length);
    if (chosen.Png)
        data = PixelChunks(data);
    const qsizetype entryAt = IconHeaderSize + IconEntrySize * largest;
    QByteArray single = bytes.left(IconHeaderSize) + bytes.mid(entryAt, IconEntrySize);
    qToLittleEndian<quint16>(1, single.data() + 4);
    qToLittleEndian<quint32>(quint32(data.size()), single.data() + IconHeaderSize + 8);
    qToLittleEndian<quint32>(quint32(single.size()), single.data() + IconHeaderSize + 12);
    return ReadWithQt(single + data, "ico", image, reason);
}
