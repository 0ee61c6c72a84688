#include "picture/JpegDecoder.h"

#include "picture/PictureDecoding.h"
#include "picture/PictureLoader.h"

#include <csetjmp>
#include <cstdio>
#include <cstring>

// jpeglib.h relies on <cstdio> above for FILE and size_t.
#include <jerror.h>
#include <jpeglib.h>

namespace {

// Writers of progressive files use about ten scans. libjpeg passes over the whole picture for
// every scan, so a small file of thousands of empty scans would keep it busy for seconds.
constexpr int MaxJpegScans = 100;

// libjpeg's error manager, extended with the jump back into DecodeJpeg: libjpeg's default
// reaction to a damaged file is to print and exit the process.
struct JpegErrorManager {
    jpeg_error_mgr Base;
    std::jmp_buf Jump;
    char Message[JMSG_LENGTH_MAX];
    bool TooManyScans;
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

// libjpeg calls its progress monitor between the scans it reads while starting to decompress.
void JpegProgress(j_common_ptr info)
{
    if (reinterpret_cast<j_decompress_ptr>(info)->input_scan_number <= MaxJpegScans)
        return;
    auto* manager = reinterpret_cast<JpegErrorManager*>(info->err);
    manager->TooManyScans = true;
    std::longjmp(manager->Jump, 1);
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

} // namespace

// Every object with a destructor is made before setjmp, so a jump back from a damaged file skips
// no destructor.
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
    manager.TooManyScans = false;
    jpeg_progress_mgr progress;
    std::memset(&progress, 0, sizeof progress);
    progress.progress_monitor = JpegProgress;
    if (setjmp(manager.Jump)) {
        jpeg_destroy_decompress(&info);
        reason = manager.TooManyScans
            ? QStringLiteral("the JPEG file has more than %1 scans").arg(MaxJpegScans)
            : QStringLiteral("the JPEG data is damaged (%1)")
                  .arg(QString::fromLocal8Bit(manager.Message));
        return false;
    }
    jpeg_create_decompress(&info);
    info.progress = &progress;
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
        reason = PictureTooLarge();
        return false;
    }
    const bool cmyk = info.jpeg_color_space == JCS_CMYK || info.jpeg_color_space == JCS_YCCK;
    const bool grey = info.jpeg_color_space == JCS_GRAYSCALE;
    info.out_color_space = cmyk ? JCS_CMYK : grey ? JCS_GRAYSCALE : JCS_RGB;
    jpeg_start_decompress(&info);

    decoded = QImage(int(info.output_width), int(info.output_height), QImage::Format_RGB888);
    if (decoded.isNull()) {
        jpeg_destroy_decompress(&info);
        reason = PictureNoMemory();
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
