#pragma once

#include <cairo.h>

#include <cstdint>
#include <string_view>
#include <vector>

namespace artwork {

struct Color {
    double red;
    double green;
    double blue;
    double alpha = 1.0;
};

constexpr Color rgb(uint32_t hex, double alpha = 1.0)
{
    return {double((hex >> 16) & 0xFF) / 255.0, double((hex >> 8) & 0xFF) / 255.0,
            double(hex & 0xFF) / 255.0, alpha};
}

constexpr Color withAlpha(Color color, double alpha)
{
    color.alpha = alpha;
    return color;
}

void setColor(cairo_t* cr, Color color);
void addRoundedRect(cairo_t* cr, double x, double y, double width, double height, double radius);
// A vertical two-colour gradient over [top, bottom] as the current source.
void setVerticalGradient(cairo_t* cr, double top, double bottom, Color upper, Color lower);

enum class Align { Left, Center, Right };

struct TextStyle {
    cairo_font_face_t* face;
    double size;
    // Extra space after every letter, in pixels.
    double tracking;
    Color color;
};

// The ink box of a printed text, in pixels.
struct TextBox {
    double left;
    double top;
    double right;
    double bottom;
};

// From now on every drawText on cr also appends its box to log (which must outlive cr), so
// that the layout can be checked; null stops it.
void logTexts(cairo_t* cr, std::vector<TextBox>* log);

double textWidth(cairo_t* cr, const TextStyle& style, std::string_view text);
// Height of a capital letter above the baseline.
double capHeight(cairo_t* cr, const TextStyle& style);
// Draws text with its baseline at y; x is its left edge, centre or right edge. The start is put on a
// whole pixel so that small labels stay crisp.
void drawText(cairo_t* cr, const TextStyle& style, double x, double y, std::string_view text,
              Align align);

} // namespace artwork
