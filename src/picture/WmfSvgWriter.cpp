#include "picture/WmfSvgWriter.h"

#include <QColor>
#include <cctype>
#include <libwmf/defs.h>
#include <libwmf/ipa.h>
#include <libwmf/svg.h>

// The SVG text, the stream the device writes it through, and the device's own functions.
struct WmfSvgWriter::Output {
    QByteArray Text;
    wmfStream Stream;
    wmfFunctionReference Device;
};

namespace {

using Output = WmfSvgWriter::Output;

int Append(char* text, void* context)
{
    static_cast<Output*>(context)->Text.append(text);
    return 0;
}

int Reset(void* context)
{
    static_cast<Output*>(context)->Text.clear();
    return 0;
}

// The device's output stream is the writer's own, so its context leads back to the writer.
Output& OutputOf(wmfAPI* api)
{
    return *static_cast<Output*>(WMF_SVG_GetData(api)->out->context);
}

// Replaces the colour name after the first `property` written since `from`; "none" stays.
void ExactColour(QByteArray& text, qsizetype from, const char* property, const wmfRGB& colour)
{
    if (from > text.size())
        return;
    const qsizetype at = text.indexOf(property, from);
    if (at < 0)
        return;
    const qsizetype start = at + qsizetype(qstrlen(property));
    qsizetype end = start;
    while (end < text.size() && std::isalpha(static_cast<unsigned char>(text.at(end))))
        ++end;
    if (end == start || text.mid(start, end - start) == "none")
        return;
    text.replace(start, end - start, QColor(colour.r, colour.g, colour.b).name().toLatin1());
}

// A shape is filled with the brush and outlined with the pen. The background mode decides only
// whether the gaps of hatches and dashes are painted, so a solid brush always fills opaquely.
void ShapeColours(QByteArray& text, qsizetype from, const wmfDC& dc)
{
    if (dc.brush) {
        const QByteArray halfOpaque = "fill-opacity:0.5";
        const qsizetype at = text.indexOf(halfOpaque, from);
        if (dc.brush->lbStyle == BS_SOLID && at >= 0)
            text.replace(at, halfOpaque.size(), "fill-opacity:1.0");
        ExactColour(text, from, "fill:", dc.brush->lbColor);
    }
    if (dc.pen)
        ExactColour(text, from, "stroke:", dc.pen->lopnColor);
}

// Lets the device write the shape, then corrects the colours in the text it added.
template <typename Info, void (*wmfFunctionReference::*Device)(wmfAPI*, Info*)>
void DrawShape(wmfAPI* api, Info* info)
{
    Output& output = OutputOf(api);
    const qsizetype from = output.Text.size();
    if (output.Device.*Device)
        (output.Device.*Device)(api, info);
    if (info->dc)
        ShapeColours(output.Text, from, *info->dc);
}

void DrawPixel(wmfAPI* api, wmfDrawPixel_t* info)
{
    Output& output = OutputOf(api);
    const qsizetype from = output.Text.size();
    if (output.Device.draw_pixel)
        output.Device.draw_pixel(api, info);
    ExactColour(output.Text, from, "fill:", info->color);
}

// The first fill of a text element is its style's; the string itself follows it.
void DrawText(wmfAPI* api, wmfDrawText_t* info)
{
    Output& output = OutputOf(api);
    const qsizetype from = output.Text.size();
    if (output.Device.draw_text)
        output.Device.draw_text(api, info);
    if (info->dc)
        ExactColour(output.Text, from, "fill:", info->dc->textcolor);
}

} // namespace

WmfSvgWriter::WmfSvgWriter(wmfAPI* api)
    : FOutput(std::make_unique<Output>())
{
    auto* functions = static_cast<wmfFunctionReference*>(api->function_reference);
    FOutput->Stream = { FOutput.get(), Append, Reset };
    FOutput->Device = *functions;
    WMF_SVG_GetData(api)->out = &FOutput->Stream;

    // Every function that writes a colour; bitmaps, clipping and the frame write none.
    using Functions = wmfFunctionReference;
    functions->draw_pie = DrawShape<wmfDrawArc_t, &Functions::draw_pie>;
    functions->draw_chord = DrawShape<wmfDrawArc_t, &Functions::draw_chord>;
    functions->draw_arc = DrawShape<wmfDrawArc_t, &Functions::draw_arc>;
    functions->draw_ellipse = DrawShape<wmfDrawArc_t, &Functions::draw_ellipse>;
    functions->draw_line = DrawShape<wmfDrawLine_t, &Functions::draw_line>;
    functions->poly_line = DrawShape<wmfPolyLine_t, &Functions::poly_line>;
    functions->draw_polygon = DrawShape<wmfPolyLine_t, &Functions::draw_polygon>;
    functions->draw_polypolygon = DrawShape<wmfPolyPoly_t, &Functions::draw_polypolygon>;
    functions->draw_rectangle = DrawShape<wmfDrawRectangle_t, &Functions::draw_rectangle>;
    functions->region_frame = DrawShape<wmfPolyRectangle_t, &Functions::region_frame>;
    functions->region_paint = DrawShape<wmfPolyRectangle_t, &Functions::region_paint>;
    functions->draw_pixel = DrawPixel;
    functions->draw_text = DrawText;
}

WmfSvgWriter::~WmfSvgWriter() = default;

const QByteArray& WmfSvgWriter::Svg() const
{
    return FOutput->Text;
}
