#pragma once

#include <cstdint>

namespace VSTGUI {

// A colour of four straight (not premultiplied) bytes.
struct CColor {
    constexpr CColor() = default;
    constexpr CColor(uint8_t red, uint8_t green, uint8_t blue, uint8_t alpha = 255)
        : red(red), green(green), blue(blue), alpha(alpha)
    {
    }
    constexpr bool operator==(const CColor& other) const = default;

    uint8_t red = 0;
    uint8_t green = 0;
    uint8_t blue = 0;
    uint8_t alpha = 255;
};

static_assert(sizeof(CColor) == 4, "four bytes: red, green, blue, alpha");

inline constexpr CColor kBlackCColor{0, 0, 0, 255};
inline constexpr CColor kWhiteCColor{255, 255, 255, 255};
inline constexpr CColor kTransparentCColor{0, 0, 0, 0};

} // namespace VSTGUI
