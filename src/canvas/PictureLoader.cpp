#include "PictureLoader.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>
#include <QPainter>
#include <QPixmap>
#include <QSvgRenderer>
#include <QtEndian>
#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <cstring>

// The C libraries; jpeglib.h relies on <cstdio> above for FILE and size_t.
#include <emf2svg.h>
#include <jerror.h>
#include <jpeglib.h>
#include <libwmf/api.h>
#include <libwmf/svg.h>

namespace {

// A file may hold at most the largest accepted picture as an uncompressed 32-bit bitmap.
constexpr qint64 MaxFileBytes = qint64(MaxPictureSide) * MaxPictureSide * 4 + 1024 * 1024;
// Metafiles are measured at screen resolution, as Windows shows them.
constexpr double ScreenDpi = 96.0;

bool FitsLimit(int width, int height)
{
    return width > 0 && height > 0 && width <= MaxPictureSide && height <= MaxPictureSide;
}

QString TooLarge()
{
    return QStringLiteral("the picture is larger than %1 x %1 pixels").arg(MaxPictureSide);
}

quint16 Word(const QByteArray& bytes, qsizetype offset)
{
    return qFromLittleEndian<quint16>(bytes.constData() + offset);
}

quint32 DoubleWord(const QByteArray& bytes, qsizetype offset)
{
    return qFromLittleEndian<quint32>(bytes.constData() + offset);
}

qint32 SignedDoubleWord(const QByteArray& bytes, qsizetype offset)
{
    return qFromLittleEndian<qint32>(bytes.constData() + offset);
}

// ---- ico and bmp ------------------------------------------------------------------------------

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
        reason = TooLarge();
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
        reason = TooLarge();
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
        if (size.isValid() && !FitsLimit(size.width(), size.height()))
            return tooLarge();
        QImage frame;
        if (!reader.read(&frame) || frame.isNull())
            return damaged();
        if (!FitsLimit(frame.width(), frame.height()))
            return tooLarge();
        const qint64 area = qint64(frame.width()) * frame.height();
        if (best.isNull() || area > qint64(best.width()) * best.height())
            best = frame;
    }
    image = best;
    return true;
}

// ---- jpeg -------------------------------------------------------------------------------------

// libjpeg's error manager, extended with the jump back into DecodeJpeg: libjpeg's default
// reaction to a damaged file is to print and exit the process.
struct JpegErrorManager {
    jpeg_error_mgr Base;
    std::jmp_buf Jump;
    char Message[JMSG_LENGTH_MAX];
};

[[noreturn]] void JpegFail(j_common_ptr info)
{
    auto* manager = reinterpret_cast<JpegErrorManager*>(info->err);
    manager->Base.format_message(info, manager->Message);
    std::longjmp(manager->Jump, 1);
}

// libjpeg's warnings mostly mean missing or corrupt scan data: it would fill the rest of the
// picture with grey and carry on, but a truncated icon is a damaged file. The few harmless ones
// (an unknown JFIF revision or Adobe transform, stray bytes before a marker, a bad colour
// profile that is not used) are ignored silently, as are trace messages.
void JpegMessage(j_common_ptr info, int level)
{
    if (level >= 0)
        return;
    switch (info->err->msg_code) {
    case JWRN_JFIF_MAJOR:
    case JWRN_ADOBE_XFORM:
    case JWRN_EXTRANEOUS_DATA:
    case JWRN_BOGUS_ICC:
        return;
    default:
        JpegFail(info);
    }
}

// CMYK samples as RGB; Adobe's writers store CMYK inverted and mark the file with their marker.
void CmykToRgb(const JSAMPLE* cmyk, uchar* rgb, JDIMENSION width, bool inverted)
{
    for (JDIMENSION x = 0; x < width; ++x, cmyk += 4, rgb += 3) {
        const int c = inverted ? cmyk[0] : 255 - cmyk[0];
        const int m = inverted ? cmyk[1] : 255 - cmyk[1];
        const int y = inverted ? cmyk[2] : 255 - cmyk[2];
        const int k = inverted ? cmyk[3] : 255 - cmyk[3];
        rgb[0] = uchar(c * k / 255);
        rgb[1] = uchar(m * k / 255);
        rgb[2] = uchar(y * k / 255);
    }
}

// Decodes with libjpeg into RGB888. Every object with a destructor is made before setjmp, so a
// jump back from a damaged file skips no destructor; `image` is written only on success.
bool DecodeJpeg(const QByteArray& bytes, QImage& image, QString& reason)
{
    QImage decoded;
    jpeg_decompress_struct info;
    std::memset(&info, 0, sizeof info);
    JpegErrorManager manager;
    info.err = jpeg_std_error(&manager.Base);
    manager.Base.error_exit = JpegFail;
    manager.Base.emit_message = JpegMessage;
    manager.Message[0] = '\0';
    if (setjmp(manager.Jump)) {
        jpeg_destroy_decompress(&info);
        reason = QStringLiteral("the JPEG data is damaged (%1)")
                     .arg(QString::fromLocal8Bit(manager.Message));
        return false;
    }
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, reinterpret_cast<const unsigned char*>(bytes.constData()),
        static_cast<unsigned long>(bytes.size()));
    if (jpeg_read_header(&info, TRUE) != JPEG_HEADER_OK || info.image_width == 0
        || info.image_height == 0) {
        jpeg_destroy_decompress(&info);
        reason = QStringLiteral("the JPEG file holds no picture");
        return false;
    }
    if (info.image_width > JDIMENSION(MaxPictureSide)
        || info.image_height > JDIMENSION(MaxPictureSide)) {
        jpeg_destroy_decompress(&info);
        reason = TooLarge();
        return false;
    }
    const bool cmyk = info.jpeg_color_space == JCS_CMYK || info.jpeg_color_space == JCS_YCCK;
    const bool grey = info.jpeg_color_space == JCS_GRAYSCALE;
    info.out_color_space = cmyk ? JCS_CMYK : grey ? JCS_GRAYSCALE : JCS_RGB;
    jpeg_start_decompress(&info);

    decoded = QImage(int(info.output_width), int(info.output_height), QImage::Format_RGB888);
    if (decoded.isNull()) {
        jpeg_destroy_decompress(&info);
        reason = QStringLiteral("there is not enough memory for the picture");
        return false;
    }
    // Grey and CMYK rows go through libjpeg's own row buffer, freed with the decoder.
    JSAMPARRAY row = (cmyk || grey)
        ? (*info.mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(&info), JPOOL_IMAGE,
            info.output_width * info.output_components, 1)
        : nullptr;
    const bool inverted = info.saw_Adobe_marker;
    while (info.output_scanline < info.output_height) {
        uchar* line = decoded.scanLine(int(info.output_scanline));
        if (!row) {
            JSAMPROW target = line;
            jpeg_read_scanlines(&info, &target, 1);
        } else {
            jpeg_read_scanlines(&info, row, 1);
            if (cmyk) {
                CmykToRgb(row[0], line, info.output_width, inverted);
            } else {
                for (JDIMENSION x = 0; x < info.output_width; ++x)
                    line[3 * x] = line[3 * x + 1] = line[3 * x + 2] = row[0][x];
            }
        }
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    image = decoded;
    return true;
}

// ---- metafiles --------------------------------------------------------------------------------

// Draws SVG text on a transparent picture of the given pixel size.
bool RenderSvg(const QByteArray& svg, QSize size, QImage& image, QString& reason)
{
    QSvgRenderer renderer(svg);
    if (!renderer.isValid()) {
        reason = QStringLiteral("the converted drawing could not be read");
        return false;
    }
    QImage drawn(size, QImage::Format_ARGB32_Premultiplied);
    if (drawn.isNull()) {
        reason = QStringLiteral("there is not enough memory for the picture");
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

// The frame of a placeable WMF, in its own units, and how many of them make an inch.
struct WmfFrame {
    bool Placeable = false;
    qint16 Left = 0, Top = 0, Right = 0, Bottom = 0;
    quint16 Inch = 0;
};

// Checks the record structure before libwmf sees it: a header, records that stay inside the
// file, and the closing EOF record, so the library never reads past the bytes it was given.
bool CheckWmf(const QByteArray& bytes, WmfFrame& frame, QString& reason)
{
    reason = QStringLiteral("the content is not a valid Windows metafile");
    qsizetype offset = 0;
    if (bytes.size() >= 4 && DoubleWord(bytes, 0) == 0x9AC6CDD7u) {
        if (bytes.size() < 22)
            return false;
        frame.Placeable = true;
        frame.Left = qint16(Word(bytes, 6));
        frame.Top = qint16(Word(bytes, 8));
        frame.Right = qint16(Word(bytes, 10));
        frame.Bottom = qint16(Word(bytes, 12));
        frame.Inch = Word(bytes, 14);
        if (frame.Inch == 0 || frame.Right == frame.Left || frame.Bottom == frame.Top)
            return false;
        offset = 22;
    }
    if (bytes.size() < offset + 18)
        return false;
    const quint16 type = Word(bytes, offset);
    const quint16 headerWords = Word(bytes, offset + 2);
    const quint16 version = Word(bytes, offset + 4);
    if ((type != 1 && type != 2) || headerWords != 9 || (version != 0x0100 && version != 0x0300))
        return false;
    offset += 18;
    while (bytes.size() - offset >= 6) {
        const quint32 words = DoubleWord(bytes, offset);
        const quint16 function = Word(bytes, offset + 4);
        if (words < 3 || qint64(words) * 2 > bytes.size() - offset)
            return false;
        if (function == 0)
            return true;
        offset += qsizetype(words) * 2;
    }
    return false;
}

// The part of libwmf's device space (points, with the window origin at 0,0) that becomes the
// picture. For a placeable file that is its frame, so margins around the drawing stay; a plain
// file, or one whose drawing misses the frame (a window origin other than the frame's corner),
// is framed by what it draws.
wmfD_Rect PictureFrame(const WmfFrame& frame, const wmfD_Rect& drawn)
{
    if (!frame.Placeable)
        return drawn;
    const double pointsPerUnit = 72.0 / frame.Inch;
    wmfD_Rect placeable;
    placeable.TL = { 0, 0 };
    placeable.BR = { float(qAbs(frame.Right - frame.Left) * pointsPerUnit),
        float(qAbs(frame.Bottom - frame.Top) * pointsPerUnit) };
    const bool overlaps = drawn.TL.x < placeable.BR.x && drawn.BR.x > placeable.TL.x
        && drawn.TL.y < placeable.BR.y && drawn.BR.y > placeable.TL.y;
    return overlaps ? placeable : drawn;
}

// libwmf writes its SVG through this stream into a QByteArray we own.
int AppendSvgText(char* text, void* context)
{
    static_cast<QByteArray*>(context)->append(text);
    return 0;
}

int ResetSvgText(void* context)
{
    static_cast<QByteArray*>(context)->clear();
    return 0;
}

// Frees everything libwmf allocated, on every way out.
struct WmfSession {
    wmfAPI* Api = nullptr;
    ~WmfSession()
    {
        if (Api)
            wmf_api_destroy(Api);
    }
};

// Plays the WMF into libwmf's SVG device (its bitmap renderer leaves ellipses unfilled) and
// draws that SVG. A placeable file keeps its frame, so margins stay transparent; a plain one is
// framed by what it draws.
bool DrawWmf(const QByteArray& bytes, QImage& image, QString& reason)
{
    WmfFrame frame;
    if (!CheckWmf(bytes, frame, reason))
        return false;
    reason = QStringLiteral("the Windows metafile is damaged");

    QByteArray input = bytes;
    QByteArray svg;
    wmfStream output { &svg, AppendSvgText, ResetSvgText };
    WmfSession session;
    wmfAPI_Options options;
    std::memset(&options, 0, sizeof options);
    options.function = wmf_svg_function;
    const unsigned long flags
        = WMF_OPT_FUNCTION | WMF_OPT_IGNORE_NONFATAL | WMF_OPT_NO_ERROR | WMF_OPT_NO_DEBUG;
    if (wmf_api_create(&session.Api, flags, &options) != wmf_E_None)
        return false;
    if (wmf_mem_open(
            session.Api, reinterpret_cast<unsigned char*>(input.data()), long(input.size()))
        != wmf_E_None)
        return false;
    wmfD_Rect bounds;
    if (wmf_scan(session.Api, 0, &bounds) != wmf_E_None)
        return false;
    unsigned int width = 0;
    unsigned int height = 0;
    if (wmf_display_size(session.Api, &width, &height, ScreenDpi, ScreenDpi) != wmf_E_None)
        return false;
    if (width == 0 || height == 0 || width > unsigned(MaxPictureSide)
        || height > unsigned(MaxPictureSide)) {
        reason = width == 0 || height == 0 ? QStringLiteral("the Windows metafile has no size")
                                           : TooLarge();
        return false;
    }
    wmf_svg_t* device = WMF_SVG_GetData(session.Api);
    device->out = &output;
    device->Description = nullptr;
    device->bbox = PictureFrame(frame, bounds);
    device->width = width;
    device->height = height;
    device->flags |= WMF_SVG_INLINE_IMAGES;
    if (wmf_play(session.Api, 0, &bounds) != wmf_E_None || svg.isEmpty())
        return false;
    return RenderSvg(svg, QSize(int(width), int(height)), image, reason);
}

// Checks the record structure before libemf2svg sees it (one header with the EMF signature and
// a non-empty frame, records inside the file, a closing EOF record): the converter trusts
// record sizes and would read past the end of a truncated file.
bool CheckEmf(const QByteArray& bytes, QString& reason)
{
    reason = QStringLiteral("the content is not a valid enhanced metafile");
    const qsizetype headerMinimum = 88;
    if (bytes.size() < headerMinimum || DoubleWord(bytes, 0) != 1
        || DoubleWord(bytes, 40) != 0x464D4520u)
        return false;
    const qint64 width = qint64(SignedDoubleWord(bytes, 16)) - SignedDoubleWord(bytes, 8);
    const qint64 height = qint64(SignedDoubleWord(bytes, 20)) - SignedDoubleWord(bytes, 12);
    if (width <= 0 || height <= 0) {
        reason = QStringLiteral("the enhanced metafile has no size");
        return false;
    }
    if (width > MaxPictureSide || height > MaxPictureSide) {
        reason = TooLarge();
        return false;
    }
    qsizetype offset = 0;
    while (bytes.size() - offset >= 8) {
        const quint32 type = DoubleWord(bytes, offset);
        const quint32 size = DoubleWord(bytes, offset + 4);
        if (size < 8 || size % 4 != 0 || qint64(size) > bytes.size() - offset)
            return false;
        const bool header = offset == 0;
        if (header != (type == 1) || (header && size < headerMinimum))
            return false;
        if (type == 14)
            return true;
        offset += qsizetype(size);
    }
    return false;
}

// Converts with libemf2svg and draws the SVG at the size it declares.
bool DrawEmf(const QByteArray& bytes, QImage& image, QString& reason)
{
    if (!CheckEmf(bytes, reason))
        return false;
    reason = QStringLiteral("the enhanced metafile is damaged");

    // Zero padding past the end softens any small over-read inside the converter's records.
    QByteArray input = bytes;
    input.append(QByteArray(4096, '\0'));
    generatorOptions options;
    std::memset(&options, 0, sizeof options);
    options.nameSpace = nullptr;
    options.svgDelimiter = true;
    options.imgWidth = 0;
    options.imgHeight = 0;
    char* text = nullptr;
    size_t length = 0;
    const int converted = emf2svg(input.data(), size_t(bytes.size()), &text, &length, &options);
    const QByteArray svg(text, text ? qsizetype(length) : 0);
    std::free(text);
    if (!converted || svg.isEmpty())
        return false;

    const QSize size = QSvgRenderer(svg).defaultSize();
    if (!size.isValid() || size.isEmpty()) {
        reason = QStringLiteral("the enhanced metafile has no size");
        return false;
    }
    if (!FitsLimit(size.width(), size.height())) {
        reason = TooLarge();
        return false;
    }
    return RenderSvg(svg, size, image, reason);
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
