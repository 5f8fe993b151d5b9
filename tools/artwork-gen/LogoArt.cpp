#include "tools/artwork-gen/LogoArt.h"

#include "tools/artwork-gen/Palette.h"
#include "tools/artwork-gen/PanelArt.h"

#include <cmath>
#include <numbers>

namespace artwork {

namespace {

void paintMark(cairo_t* cr, double cx, double cy, double radius)
{
    cairo_save(cr);
    cairo_new_path(cr);
    cairo_arc(cr, cx, cy, radius, 0.0, 2.0 * std::numbers::pi);
    setColor(cr, palette::kWell);
    cairo_fill_preserve(cr);
    cairo_set_line_width(cr, 0.1 * radius);
    setColor(cr, palette::kAccent);
    cairo_stroke(cr);

    // A kick's wave: its pitch falls (3 cycles per width at the start, 0.4 at the end) and it
    // dies away.
    constexpr int kPoints = 96;
    const double left = cx - 0.7 * radius;
    const double span = 1.4 * radius;
    for (int point = 0; point <= kPoints; ++point) {
        const double t = double(point) / kPoints;
        const double phase = 2.0 * std::numbers::pi * (3.0 * t - 1.3 * t * t);
        const double y = cy - 0.55 * radius * std::exp(-2.2 * t) * std::sin(phase);
        if (point == 0)
            cairo_move_to(cr, left, y);
        else
            cairo_line_to(cr, left + span * t, y);
    }
    cairo_set_line_width(cr, 0.09 * radius);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    setColor(cr, palette::kLabel);
    cairo_stroke(cr);
    cairo_restore(cr);
}

// "Zarn Pro" with the edition word in the accent colour; returns the width drawn.
double paintProductName(cairo_t* cr, const TextStyle& style, double left, double baseline)
{
    TextStyle edition = style;
    edition.color = palette::kAccent;
    drawText(cr, style, left, baseline, "Zarn ", Align::Left);
    const double nameWidth = textWidth(cr, style, "Zarn ");
    drawText(cr, edition, left + nameWidth, baseline, "Pro", Align::Left);
    return nameWidth + textWidth(cr, edition, "Pro");
}

} // namespace

void paintLogo(cairo_t* cr, const PixelRect& area, const PanelScale& scale, const FontFaces& fonts)
{
    const double markRadius = scale.len(19.0);
    const double markX = area.left + scale.len(4.0) + markRadius;
    paintMark(cr, markX, area.centerY(), markRadius);

    const double textLeft = markX + markRadius + scale.len(12.0);
    const TextStyle name{fonts.bold(), scale.len(23.0), 0.0, palette::kLabel};
    const TextStyle maker{fonts.regular(), scale.len(9.0), scale.len(1.2), palette::kDimLabel};
    paintProductName(cr, name, textLeft, std::round(area.centerY() + scale.len(3.0)));
    drawText(cr, maker, textLeft + scale.len(1.0), std::round(area.centerY() + scale.len(17.0)),
             "Halvane Audio", Align::Left);
}

void paintAboutPicture(cairo_t* cr, const PanelScale& scale, const FontFaces& fonts)
{
    paintBackdrop(cr, scale);
    const double width = scale.width;
    const double height = scale.size(kDefaultHeight);
    const double inset = scale.len(18.0);
    cairo_new_path(cr);
    addRoundedRect(cr, inset, inset, width - 2.0 * inset, height - 2.0 * inset, scale.len(8.0));
    setVerticalGradient(cr, inset, height - inset, palette::kPlateTop, palette::kPlateBottom);
    cairo_fill_preserve(cr);
    cairo_set_line_width(cr, scale.len(1.0));
    setColor(cr, palette::kRule);
    cairo_stroke(cr);

    const double markRadius = scale.len(64.0);
    paintMark(cr, scale.len(160.0), 0.5 * height, markRadius);

    const double left = scale.len(268.0);
    const TextStyle name{fonts.bold(), scale.len(48.0), 0.0, palette::kLabel};
    const TextStyle line{fonts.regular(), scale.len(15.0), 0.0, palette::kLabel};
    const TextStyle maker{fonts.bold(), scale.len(12.0), scale.len(2.4), palette::kAccent};
    const TextStyle small{fonts.regular(), scale.len(11.0), scale.len(0.3), palette::kDimLabel};
    paintProductName(cr, name, left, scale.len(128.0));
    drawText(cr, line, left + scale.len(2.0), scale.len(156.0), "Kick drum synthesizer",
             Align::Left);
    drawText(cr, maker, left + scale.len(2.0), scale.len(190.0), "Halvane Audio", Align::Left);
    drawText(cr, small, left + scale.len(2.0), scale.len(210.0), "Version 1.0  |  VST 2.4 instrument",
             Align::Left);
    drawText(cr, small, width - scale.len(34.0), height - scale.len(32.0), "Click to close",
             Align::Right);
}

} // namespace artwork
