#include "PictureLoader.h"

#include "EmfRenderer.h"
#include "JpegDecoder.h"
#include "PictureDecoding.h"
#include "WmfRenderer.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>
#include <QPixmap>

namespace {

// A file may hold at most the largest accepted picture as an uncompressed 32-bit bitmap.
constexpr qint64 MaxFileBytes = qint64(MaxPictureSide) * MaxPictureSide * 4 + 1024 * 1024;

// Qt's bitmap reader accepts a truncated file and leaves the missing rows undefined, so an
// uncompressed bitmap must hold all the rows its header promises.
bool CheckBmp(const QByteArray& bytes, QString& reason)
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
    return !uncompressed || qint64(pixelsAt) + stride * height <= bytes.size();
}

// Qt's readers with the format forced, so that content of another type is refused. Of a
// multi-image icon the largest image is kept (the first of equal ones): cards show the picture
// unscaled in a square of the theme's size, which the small list sizes would not fill.
bool ReadWithQt(const QByteArray& bytes, const char* format, QImage& image, QString& reason)
{
    const auto damaged = [&] {
        reason = QStringLiteral("the content is not a valid %1 picture").arg(QLatin1String(format));
        return false;
    };
    const auto tooLarge = [&] {
        reason = PictureTooLarge();
        return false;
    };
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, format);
    reader.setAutoDetectImageFormat(false);
    reader.setDecideFormatFromContent(false);
    if (!reader.canRead())
        return damaged();
    const int count = qMax(reader.imageCount(), 1);
    QImage best;
    for (int index = 0; index < count; ++index) {
        if (index > 0 && !reader.jumpToImage(index))
            return damaged();
        const QSize size = reader.size();
        if (size.isValid() && !FitsPictureLimit(size.width(), size.height()))
            return tooLarge();
        QImage frame;
        if (!reader.read(&frame) || frame.isNull())
            return damaged();
        if (!FitsPictureLimit(frame.width(), frame.height()))
            return tooLarge();
        const qint64 area = qint64(frame.width()) * frame.height();
        if (best.isNull() || area > qint64(best.width()) * best.height())
            best = frame;
    }
    image = best;
    return true;
}

} // namespace

bool IsPictureExtension(const QString& suffix)
{
    static const QStringList extensions { "ico", "bmp", "wmf", "emf", "jpg", "jpeg" };
    return extensions.contains(suffix, Qt::CaseInsensitive);
}

bool LoadPictureImage(const QString& path, QImage& image, QString& error)
{
    const auto fail = [&](const QString& reason) {
        error = QStringLiteral("Cannot load the picture \"%1\": %2.").arg(path, reason);
        return false;
    };
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (!IsPictureExtension(suffix))
        return fail(QStringLiteral("\"%1\" files are not pictures").arg(QFileInfo(path).suffix()));
    QFile file(path);
    if (!file.exists())
        return fail(QStringLiteral("the file does not exist"));
    if (!file.open(QIODevice::ReadOnly))
        return fail(QStringLiteral("the file cannot be opened"));
    if (file.size() > MaxFileBytes)
        return fail(QStringLiteral("the file is too large"));
    const QByteArray bytes = file.readAll();
    if (bytes.size() != file.size())
        return fail(QStringLiteral("the file cannot be read"));
    if (bytes.isEmpty())
        return fail(QStringLiteral("the file is empty"));

    QImage loaded;
    QString reason;
    bool ok = false;
    if (suffix == "ico" || suffix == "bmp")
        ok = (suffix == "ico" || CheckBmp(bytes, reason))
            && ReadWithQt(bytes, suffix == "ico" ? "ico" : "bmp", loaded, reason);
    else if (suffix == "jpg" || suffix == "jpeg")
        ok = DecodeJpeg(bytes, loaded, reason);
    else if (suffix == "wmf")
        ok = DrawWmf(bytes, loaded, reason);
    else
        ok = DrawEmf(bytes, loaded, reason);
    if (!ok)
        return fail(reason);
    image = loaded;
    return true;
}

bool LoadPicture(const QString& path, QPixmap& picture, QString& error)
{
    QImage image;
    if (!LoadPictureImage(path, image, error))
        return false;
    QPixmap pixmap = QPixmap::fromImage(image);
    if (pixmap.isNull()) {
        error = QStringLiteral("Cannot load the picture \"%1\": it cannot be shown.").arg(path);
        return false;
    }
    picture = pixmap;
    return true;
}
