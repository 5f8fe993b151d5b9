#pragma once

#include "vstgui/Types.h"

namespace VSTGUI {

struct CPoint {
    constexpr CPoint() = default;
    constexpr CPoint(CCoord x, CCoord y) : x(x), y(y) {}

    CPoint& offset(CCoord dx, CCoord dy)
    {
        x += dx;
        y += dy;
        return *this;
    }

    constexpr CPoint operator+(const CPoint& other) const { return {x + other.x, y + other.y}; }
    constexpr CPoint operator-(const CPoint& other) const { return {x - other.x, y - other.y}; }
    constexpr bool operator==(const CPoint& other) const = default;

    CCoord x = 0;
    CCoord y = 0;
};

static_assert(sizeof(CPoint) == 16, "two doubles: x, y");

} // namespace VSTGUI
