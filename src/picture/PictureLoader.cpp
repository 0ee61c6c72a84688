#include "picture/PictureLoader.h"

#include "picture/BitmapDecoder.h"
#include "picture/EmfRenderer.h"
#include "picture/JpegDecoder.h"
#include "picture/WmfRenderer.h"

#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QPixmap>

namespace {

qint64 MaxFileBytes(const QString& suffix)
{
    return suffix == "wmf" || suffix == "emf" ? MaxMetafileBytes : MaxBitmapFileBytes;
}

QString NotAPictureType(const QString& suffix)
{
    return QStringLiteral("\"%1\" files are not pictures").arg(suffix);
}

QString FileTooLarge(const QString& suffix)
{
    return QStringLiteral("the file is larger than %1 KB").arg(MaxFileBytes(suffix) / 1024);
}

} // namespace

bool IsPictureExtension(const QString& suffix)
{
    static const QStringList extensions { "ico", "bmp", "wmf", "emf", "jpg", "jpeg" };
    return extensions.contains(suffix, Qt::CaseInsensitive);
}

bool DecodePictureBytes(
    const QByteArray& bytes, const QString& suffix, QImage& image, QString& error)
{
    const QString type = suffix.toLower();
    QString reason;
    QImage decoded;
    bool ok = false;
    if (!IsPictureExtension(type))
        reason = NotAPictureType(suffix);
    else if (bytes.isEmpty())
        reason = QStringLiteral("the file is empty");
    else if (bytes.size() > MaxFileBytes(type))
        reason = FileTooLarge(type);
    else if (type == "ico")
        ok = DecodeIco(bytes, decoded, reason);
    else if (type == "bmp")
        ok = DecodeBmp(bytes, decoded, reason);
    else if (type == "jpg" || type == "jpeg")
        ok = DecodeJpeg(bytes, decoded, reason);
    else if (type == "wmf")
        ok = DrawWmf(bytes, decoded, reason);
    else
        ok = DrawEmf(bytes, decoded, reason);
    if (!ok) {
        error = reason;
        return false;
    }
    image = decoded;
    return true;
}

bool LoadPictureImage(const QString& path, QImage& image, QString& error)
{
    const auto fail = [&](const QString& reason) {
        error = QStringLiteral("Cannot load the picture \"%1\": %2.").arg(path, reason);
        return false;
    };
    const QString suffix = QFileInfo(path).suffix();
    if (!IsPictureExtension(suffix))
        return fail(NotAPictureType(suffix));
    QFile file(path);
    if (!file.exists())
        return fail(QStringLiteral("the file does not exist"));
    if (!file.open(QIODevice::ReadOnly))
        return fail(QStringLiteral("the file cannot be opened"));
    // Refused before reading, so that a huge file costs nothing.
    if (file.size() > MaxFileBytes(suffix.toLower()))
        return fail(FileTooLarge(suffix.toLower()));
    const QByteArray bytes = file.readAll();
    if (bytes.size() != file.size())
        return fail(QStringLiteral("the file cannot be read"));
    QString reason;
    if (!DecodePictureBytes(bytes, suffix, image, reason))
        return fail(reason);
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
