#include "tools/artwork-gen/SwitchArt.h"

#include "tools/artwork-gen/Palette.h"

#include <numbers>

namespace artwork {

namespace {

constexpr double kFullTurn = 2.0 * std::numbers::pi;

void setRadialGradient(cairo_t* cr, double cx, double cy, double radius, Color inner, Color outer)
{
    cairo_pattern_t* gradient = cairo_pattern_create_radial(cx, cy, 0.0, cx, cy, radius);
    cairo_pattern_add_color_stop_rgba(gradient, 0.0, inner.red, inner.green, inner.blue, inner.alpha);
    cairo_pattern_add_color_stop_rgba(gradient, 1.0, outer.red, outer.green, outer.blue, outer.alpha);
    cairo_set_source(cr, gradient);
    cairo_pattern_destroy(gradient);
}

} // namespace

void paintLed(cairo_t* cr, double x, double y, double size, bool lit)
{
    const double cx = x + 0.5 * size;
    const double cy = y + 0.5 * size;
    const double radius = 0.34 * size;
    cairo_save(cr);
    cairo_new_path(cr);
    if (lit) {
        // A soft glow that fades out inside the cell.
        cairo_arc(cr, cx, cy, 0.5 * size, 0.0, kFullTurn);
        setRadialGradient(cr, cx, cy, 0.5 * size, withAlpha(palette::kAccent, 0.55),
                          withAlpha(palette::kAccent, 0.0));
        cairo_fill(cr);
    }
    cairo_arc(cr, cx, cy, radius + 0.06 * size, 0.0, kFullTurn);
    setColor(cr, palette::kPlateEdge);
    cairo_fill(cr);
    cairo_arc(cr, cx, cy, radius, 0.0, kFullTurn);
    if (lit)
        setRadialGradient(cr, cx - 0.1 * size, cy - 0.1 * size, radius * 1.4, palette::kAccentBright,
                          palette::kAccentDeep);
    else
        setRadialGradient(cr, cx - 0.1 * size, cy - 0.1 * size, radius * 1.4, rgb(0x5C4233),
                          rgb(0x241B16));
    cairo_fill(cr);
    cairo_restore(cr);
}

void paintButton(cairo_t* cr, double x, double y, double size, bool lit)
{
    const double inset = 0.1 * size;
    const double side = size - 2.0 * inset;
    cairo_save(cr);
    cairo_new_path(cr);
    addRoundedRect(cr, x + inset, y + inset, side, side, 0.18 * size);
    setColor(cr, palette::kPlateEdge);
    cairo_fill(cr);
    const double border = 0.08 * size;
    addRoundedRect(cr, x + inset + border, y + inset + border, side - 2.0 * border,
                   side - 2.0 * border, 0.12 * size);
    if (lit)
        setVerticalGradient(cr, y + inset, y + size - inset, palette::kAccentBright,
                            palette::kAccent);
    else
        setVerticalGradient(cr, y + inset, y + size - inset, palette::kKnobTop,
                            palette::kKnobBottom);
    cairo_fill(cr);
    cairo_restore(cr);
}

void paintLedPicture(cairo_t* cr, int size)
{
    paintLed(cr, 0.0, 0.0, size, false);
    paintLed(cr, 0.0, size, size, true);
}

void paintButtonPicture(cairo_t* cr, int size)
{
    paintButton(cr, 0.0, 0.0, size, false);
    paintButton(cr, 0.0, size, size, true);
}

} // namespace artwork
