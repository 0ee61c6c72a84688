#pragma once

#include <QByteArray>
#include <memory>

// libwmf's API handle (wmfAPI). Its headers stay out of this one: their U8/U16 type macros break
// any Qt header included after them.
struct _wmfAPI;

/// Collects the SVG text of libwmf's SVG device and puts the exact colours of the drawing into
/// it: the device writes the nearest of the SVG colour names ((200,100,0) becomes "chocolate"),
/// and half-transparent solid fills where the metafile draws with a transparent background.
class WmfSvgWriter {
public:
    /// Takes over the output stream and the drawing functions of an API set up with
    /// wmf_svg_function; the writer must outlive everything libwmf does with that API.
    explicit WmfSvgWriter(_wmfAPI* api);
    ~WmfSvgWriter();
    WmfSvgWriter(const WmfSvgWriter&) = delete;
    WmfSvgWriter& operator=(const WmfSvgWriter&) = delete;

    const QByteArray& Svg() const;

    /// What the drawing functions work on; known only where they are defined.
    struct Output;

private:
    std::unique_ptr<Output> FOutput;
};
