#pragma once

#include "vstgui/CPoint.h"

#include <algorithm>

namespace VSTGUI {

// A rectangle of doubles; right and bottom are exclusive.
struct CRect {
    constexpr CRect() = default;
    constexpr CRect(CCoord left, CCoord top, CCoord right, CCoord bottom)
        : left(left), top(top), right(right), bottom(bottom)
    {
    }
    constexpr CRect(const CPoint& origin, const CPoint& size)
        : left(origin.x), top(origin.y), right(origin.x + size.x), bottom(origin.y + size.y)
    {
    }

    constexpr CCoord getWidth() const { return right - left; }
    constexpr CCoord getHeight() const { return bottom - top; }
    constexpr CPoint getTopLeft() const { return {left, top}; }
    constexpr CPoint getSize() const { return {getWidth(), getHeight()}; }
    constexpr CPoint getCenter() const { return {left + getWidth() / 2, top + getHeight() / 2}; }

    CRect& setWidth(CCoord width)
    {
        right = left + width;
        return *this;
    }
    CRect& setHeight(CCoord height)
    {
        bottom = top + height;
        return *this;
    }
    CRect& offset(CCoord dx, CCoord dy)
    {
        left += dx;
        right += dx;
        top += dy;
        bottom += dy;
        return *this;
    }
    CRect& moveTo(CCoord x, CCoord y) { return offset(x - left, y - top); }

    // True for no area (a NaN coordinate counts as no area).
    constexpr bool isEmpty() const { return !(right > left && bottom > top); }
    constexpr bool pointInside(const CPoint& where) const
    {
        return where.x >= left && where.x < right && where.y >= top && where.y < bottom;
    }
    constexpr bool rectOverlap(const CRect& other) const
    {
        return right > other.left && left < other.right && bottom > other.top && top < other.bottom;
    }
    // Intersection with other; an empty result keeps left <= right and top <= bottom.
    CRect& bound(const CRect& other)
    {
        left = std::max(left, other.left);
        top = std::max(top, other.top);
        right = std::max(left, std::min(right, other.right));
        bottom = std::max(top, std::min(bottom, other.bottom));
        return *this;
    }
    CRect& unite(const CRect& other)
    {
        left = std::min(left, other.left);
        top = std::min(top, other.top);
        right = std::max(right, other.right);
        bottom = std::max(bottom, other.bottom);
        return *this;
    }

    constexpr bool operator==(const CRect& other) const = default;

    CCoord left = 0;
    CCoord top = 0;
    CCoord right = 0;
    CCoord bottom = 0;
};

static_assert(sizeof(CRect) == 32, "four doubles: left, top, right, bottom");

} // namespace VSTGUI
