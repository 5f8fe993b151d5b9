#include "tools/artwork-gen/TapPadArt.h"

#include "tools/artwork-gen/Palette.h"
#include "tools/artwork-gen/PanelArt.h"

namespace artwork {

namespace {

constexpr int kDefaultPadWidth = 126;
constexpr int kDefaultPadHeight = 66;

} // namespace

PixelRect tapPadRect(const PanelScale& scale)
{
    const BaseRect& base = controlBaseRects[kTapPadTag];
    const int left = scale.px(base.left);
    const int top = scale.px(base.top);
    return {left, top, left + scale.size(kDefaultPadWidth), top + scale.size(kDefaultPadHeight)};
}

void paintTapPad(cairo_t* cr, const PixelRect& pad, const PanelScale& scale, const FontFaces& fonts,
                 bool pressed)
{
    const double radius = scale.len(7.0);
    const double rim = scale.len(1.0);
    cairo_save(cr);
    cairo_new_path(cr);
    addRoundedRect(cr, pad.left, pad.top, pad.width(), pad.height(), radius);
    setColor(cr, palette::kPlateEdge);
    cairo_fill(cr);

    const double innerLeft = pad.left + rim;
    const double innerTop = pad.top + rim;
    const double innerWidth = pad.width() - 2.0 * rim;
    const double innerHeight = pad.height() - 2.0 * rim;
    addRoundedRect(cr, innerLeft, innerTop, innerWidth, innerHeight, radius - rim);
    if (pressed)
        setVerticalGradient(cr, innerTop, innerTop + innerHeight, rgb(0x1A1B1F), rgb(0x26292E));
    else
        setVerticalGradient(cr, innerTop, innerTop + innerHeight, rgb(0x3A3E45), rgb(0x2A2D32));
    cairo_fill(cr);

    if (pressed) {
        // The pad lights up around its edge while it is held.
        addRoundedRect(cr, innerLeft + rim, innerTop + rim, innerWidth - 2.0 * rim,
                       innerHeight - 2.0 * rim, radius - 2.0 * rim);
        cairo_set_line_width(cr, scale.len(1.5));
        setColor(cr, withAlpha(palette::kAccent, 0.9));
        cairo_stroke(cr);
    } else {
        // A highlight along the top edge of the raised pad.
        cairo_move_to(cr, innerLeft + radius, innerTop + 0.5 * rim);
        cairo_line_to(cr, innerLeft + innerWidth - radius, innerTop + 0.5 * rim);
        cairo_set_line_width(cr, rim);
        setColor(cr, palette::kPlateHighlight);
        cairo_stroke(cr);
    }

    // Pressed, the print sinks by a pixel with the surface.
    const double sink = pressed ? scale.len(1.0) : 0.0;
    const TextStyle title{fonts.bold(), scale.len(17.0), scale.len(2.0),
                          pressed ? palette::kAccent : palette::kLabel};
    const TextStyle note{fonts.bold(), scale.len(9.0), scale.len(1.0), palette::kDimLabel};
    const double baseline = pad.top + scale.len(36.0) + sink;
    drawText(cr, title, pad.centerX(), baseline, "TAP", Align::Center);
    drawText(cr, note, pad.centerX(), baseline + scale.len(15.0), "(G1)", Align::Center);
    cairo_restore(cr);
}

void paintTapPadPicture(cairo_t* cr, const PanelScale& scale, const FontFaces& fonts)
{
    const PixelRect pad = tapPadRect(scale);
    cairo_save(cr);
    cairo_translate(cr, -pad.left, -pad.top);
    paintPanelWithoutTapPad(cr, scale, fonts);
    paintTapPad(cr, pad, scale, fonts, true);
    cairo_restore(cr);
}

} // namespace artwork
