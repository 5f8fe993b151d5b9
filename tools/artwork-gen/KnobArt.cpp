#include "tools/artwork-gen/KnobArt.h"

#include "tools/artwork-gen/Palette.h"

#include <cmath>
#include <numbers>

namespace artwork {

namespace {

constexpr double kDegree = std::numbers::pi / 180.0;
constexpr double kStartAngle = 135.0 * kDegree; // lower left, y pointing down
constexpr double kSweep = 270.0 * kDegree;

void paintTrack(cairo_t* cr, double cx, double cy, double size, double value)
{
    const double radius = 0.415 * size;
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT);
    cairo_set_line_width(cr, 0.085 * size);
    cairo_new_path(cr);
    cairo_arc(cr, cx, cy, radius, kStartAngle, kStartAngle + kSweep);
    setColor(cr, palette::kTrack);
    cairo_stroke(cr);
    if (value <= 0.0)
        return;
    cairo_set_line_width(cr, 0.06 * size);
    cairo_arc(cr, cx, cy, radius, kStartAngle, kStartAngle + kSweep * value);
    setColor(cr, palette::kAccent);
    cairo_stroke(cr);
}

void paintCap(cairo_t* cr, double cx, double cy, double size)
{
    const double radius = 0.3 * size;
    cairo_new_path(cr);
    cairo_arc(cr, cx, cy + 0.035 * size, radius + 0.02 * size, 0.0, 2.0 * std::numbers::pi);
    setColor(cr, palette::kShadow);
    cairo_fill(cr);

    cairo_arc(cr, cx, cy, radius, 0.0, 2.0 * std::numbers::pi);
    setVerticalGradient(cr, cy - radius, cy + radius, palette::kKnobTop, palette::kKnobBottom);
    cairo_fill_preserve(cr);
    cairo_set_line_width(cr, 0.03 * size);
    setColor(cr, palette::kPlateEdge);
    cairo_stroke(cr);

    // A flat face inside the bevelled rim.
    const double face = 0.235 * size;
    cairo_arc(cr, cx, cy, face, 0.0, 2.0 * std::numbers::pi);
    setVerticalGradient(cr, cy - face, cy + face, palette::kKnobFace, palette::kKnobTop);
    cairo_fill(cr);
}

void paintPointer(cairo_t* cr, double cx, double cy, double size, double value)
{
    const double angle = kStartAngle + kSweep * value;
    const double dx = std::cos(angle);
    const double dy = std::sin(angle);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_width(cr, 0.07 * size);
    cairo_new_path(cr);
    cairo_move_to(cr, cx + dx * 0.09 * size, cy + dy * 0.09 * size);
    cairo_line_to(cr, cx + dx * 0.27 * size, cy + dy * 0.27 * size);
    setColor(cr, palette::kPointer);
    cairo_stroke(cr);
}

} // namespace

void paintKnob(cairo_t* cr, double x, double y, double size, double value)
{
    const double cx = x + 0.5 * size;
    const double cy = y + 0.5 * size;
    cairo_save(cr);
    paintTrack(cr, cx, cy, size, value);
    paintCap(cr, cx, cy, size);
    paintPointer(cr, cx, cy, size, value);
    cairo_restore(cr);
}

void paintKnobSeat(cairo_t* cr, double x, double y, double size)
{
    const double cx = x + 0.5 * size;
    const double cy = y + 0.5 * size;
    cairo_save(cr);
    cairo_new_path(cr);
    cairo_arc(cr, cx, cy, 0.5 * size, 0.0, 2.0 * std::numbers::pi);
    setVerticalGradient(cr, y, y + size, palette::kWell, withAlpha(palette::kWell, 0.55));
    cairo_fill(cr);
    // Light catches the lower lip of the recess.
    cairo_arc(cr, cx, cy, 0.5 * size - 0.012 * size, 20.0 * kDegree, 160.0 * kDegree);
    cairo_set_line_width(cr, 0.024 * size);
    setColor(cr, palette::kPlateHighlight);
    cairo_stroke(cr);
    cairo_restore(cr);
}

void paintKnobStrip(cairo_t* cr, int size)
{
    for (int frame = 0; frame < kKnobFrames; ++frame)
        paintKnob(cr, 0.0, double(frame * size), double(size), double(frame) / (kKnobFrames - 1));
}

} // namespace artwork
