#include "tools/artwork-gen/Drawing.h"

#include <cmath>
#include <numbers>
#include <string>

namespace artwork {

void setColor(cairo_t* cr, Color color)
{
    cairo_set_source_rgba(cr, color.red, color.green, color.blue, color.alpha);
}

void addRoundedRect(cairo_t* cr, double x, double y, double width, double height, double radius)
{
    constexpr double kQuarter = std::numbers::pi / 2.0;
    cairo_new_sub_path(cr);
    cairo_arc(cr, x + width - radius, y + radius, radius, -kQuarter, 0.0);
    cairo_arc(cr, x + width - radius, y + height - radius, radius, 0.0, kQuarter);
    cairo_arc(cr, x + radius, y + height - radius, radius, kQuarter, 2.0 * kQuarter);
    cairo_arc(cr, x + radius, y + radius, radius, 2.0 * kQuarter, 3.0 * kQuarter);
    cairo_close_path(cr);
}

void setVerticalGradient(cairo_t* cr, double top, double bottom, Color upper, Color lower)
{
    cairo_pattern_t* gradient = cairo_pattern_create_linear(0.0, top, 0.0, bottom);
    cairo_pattern_add_color_stop_rgba(gradient, 0.0, upper.red, upper.green, upper.blue, upper.alpha);
    cairo_pattern_add_color_stop_rgba(gradient, 1.0, lower.red, lower.green, lower.blue, lower.alpha);
    cairo_set_source(cr, gradient);
    cairo_pattern_destroy(gradient);
}

namespace {

void selectFont(cairo_t* cr, const TextStyle& style)
{
    cairo_set_font_face(cr, style.face);
    cairo_set_font_size(cr, style.size);
}

double letterAdvance(cairo_t* cr, char letter)
{
    const char text[2] = {letter, '\0'};
    cairo_text_extents_t extents;
    cairo_text_extents(cr, text, &extents);
    return extents.x_advance;
}

const cairo_user_data_key_t kTextLogKey{};

// Letters land on whole pixels (hinted advances), so fractional tracking would space them unevenly.
double wholeTracking(const TextStyle& style) { return std::round(style.tracking); }

} // namespace

void logTexts(cairo_t* cr, std::vector<TextBox>* log)
{
    cairo_set_user_data(cr, &kTextLogKey, log, nullptr);
}

double textWidth(cairo_t* cr, const TextStyle& style, std::string_view text)
{
    selectFont(cr, style);
    const double tracking = wholeTracking(style);
    double width = 0.0;
    for (char letter : text)
        width += letterAdvance(cr, letter) + tracking;
    // The tracking after the last letter is not part of the visible text.
    return text.empty() ? 0.0 : width - tracking;
}

double capHeight(cairo_t* cr, const TextStyle& style)
{
    selectFont(cr, style);
    cairo_text_extents_t extents;
    cairo_text_extents(cr, "H", &extents);
    return -extents.y_bearing;
}

void drawText(cairo_t* cr, const TextStyle& style, double x, double y, std::string_view text,
              Align align)
{
    const double width = textWidth(cr, style, text);
    if (align == Align::Center)
        x -= width / 2.0;
    else if (align == Align::Right)
        x -= width;
    x = std::round(x);
    if (auto* log = static_cast<std::vector<TextBox>*>(cairo_get_user_data(cr, &kTextLogKey))) {
        const std::string whole(text);
        cairo_text_extents_t extents;
        cairo_text_extents(cr, whole.c_str(), &extents);
        log->push_back({x, y + extents.y_bearing, x + width, y + extents.y_bearing + extents.height});
    }
    const double tracking = wholeTracking(style);
    setColor(cr, style.color);
    for (char letter : text) {
        const char glyph[2] = {letter, '\0'};
        cairo_move_to(cr, x, y);
        cairo_show_text(cr, glyph);
        x += letterAdvance(cr, letter) + tracking;
    }
}

} // namespace artwork
