#include "picture/WmfRenderer.h"

#include "picture/PictureDecoding.h"
#include "picture/PictureLoader.h"
#include "picture/SvgPicture.h"
#include "picture/WmfSvgWriter.h"

#include <cstring>
#include <libwmf/api.h>
#include <libwmf/svg.h>
#include <optional>

namespace {

// Metafiles are measured at screen resolution, as Windows shows them.
constexpr double ScreenDpi = 96.0;

// The frame of a placeable WMF, in its own units, and how many of them make an inch.
struct WmfFrame {
    bool Placeable = false;
    qint16 Left = 0, Top = 0, Right = 0, Bottom = 0;
    quint16 Inch = 0;
};

// Checks the record structure before libwmf sees it: a header, records that stay inside the
// file, and the closing EOF record, so the library never reads past the bytes it was given.
// The records are counted too: libwmf plays them twice, and each adds to the SVG QtSvg draws.
bool CheckWmf(const QByteArray& bytes, WmfFrame& frame, int& records, QString& reason)
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
    records = 0;
    while (bytes.size() - offset >= 6) {
        if (++records > MaxMetafileRecords) {
            reason = TooManyRecords();
            return false;
        }
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

// Frees everything libwmf allocated, on every way out.
struct WmfSession {
    wmfAPI* Api = nullptr;
    ~WmfSession()
    {
        if (Api)
            wmf_api_destroy(Api);
    }
};

} // namespace

// libwmf's SVG device is used because its bitmap renderer leaves ellipses unfilled.
bool DrawWmf(const QByteArray& bytes, QImage& image, QString& reason)
{
    WmfFrame frame;
    int records = 0;
    if (!CheckWmf(bytes, frame, records, reason))
        return false;
    reason = QStringLiteral("the Windows metafile is damaged");

    QByteArray input = bytes;
    // Made before the session, so it outlives everything libwmf does until the API is destroyed.
    std::optional<WmfSvgWriter> writer;
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
                                           : PictureTooLarge();
        return false;
    }
    if (!WithinDrawingBudget(records, int(width), int(height), reason))
        return false;
    writer.emplace(session.Api);
    wmf_svg_t* device = WMF_SVG_GetData(session.Api);
    device->Description = nullptr;
    device->bbox = PictureFrame(frame, bounds);
    device->width = width;
    device->height = height;
    device->flags |= WMF_SVG_INLINE_IMAGES;
    if (wmf_play(session.Api, 0, &bounds) != wmf_E_None || writer->Svg().isEmpty())
        return false;
    return RenderSvg(writer->Svg(), QSize(int(width), int(height)), image, reason);
}
