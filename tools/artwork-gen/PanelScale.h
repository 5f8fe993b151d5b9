#pragma once

#include "editor/ControlLayout.h"

#include <cmath>

namespace artwork {

constexpr int kDefaultWidth = 717;
constexpr int kDefaultHeight = 300;

// Converts "Default" coordinates to one window size exactly as the editor places its controls:
// the coordinate in single precision times W / 717 in single precision, floored.
struct PanelScale {
    explicit PanelScale(int windowWidth)
        : width(windowWidth), factor(float(windowWidth) / float(kDefaultWidth))
    {
    }

    int px(double coordinate) const { return int(std::floor(float(coordinate) * factor)); }
    // A picture dimension: every "Default" picture size is a multiple of 3, so this is exact.
    int size(int defaultSize) const { return defaultSize * width / kDefaultWidth; }
    // A length of decoration (line width, radius, font size), not snapped to pixels.
    double len(double defaultLength) const { return defaultLength * double(factor); }

    int width;
    float factor;
};

struct PixelRect {
    int left;
    int top;
    int right;
    int bottom;

    int width() const { return right - left; }
    int height() const { return bottom - top; }
    double centerX() const { return 0.5 * (left + right); }
    double centerY() const { return 0.5 * (top + bottom); }
};

inline PixelRect scaleRect(const PanelScale& scale, const BaseRect& rect)
{
    return {scale.px(rect.left), scale.px(rect.top), scale.px(rect.right), scale.px(rect.bottom)};
}

inline PixelRect scaleRect(const PanelScale& scale, double left, double top, double right,
                           double bottom)
{
    return scaleRect(scale, BaseRect{left, top, right, bottom});
}

} // namespace artwork
