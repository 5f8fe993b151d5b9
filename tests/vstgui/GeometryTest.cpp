#include "vstgui/CRect.h"

#include <gtest/gtest.h>

#include <limits>

using namespace VSTGUI;

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

TEST(Geometry, RectanglesAreHalfOpenAndNaNOrInvertedOnesAreEmpty)
{
    const CRect r(10, 20, 30, 40);
    for (auto [at, inside] : {std::pair{CPoint(10, 20), true}, {CPoint(29.999, 39.999), true}, {CPoint(30, 25), false},
                              {CPoint(15, 40), false}, {CPoint(kNaN, 25), false}})
        EXPECT_EQ(r.pointInside(at), inside) << at.x << "," << at.y;
    // Touching edges do not overlap.
    EXPECT_EQ(std::pair(r.rectOverlap(CRect(30, 20, 40, 40)), r.rectOverlap(CRect(29, 39, 50, 50))), std::pair(false, true));
    for (const CRect& empty : {CRect(0, 0, 0, 5), CRect(5, 5, 0, 10), CRect(kNaN, 0, 5, 5), CRect(0, 0, 5, kNaN)})
        EXPECT_TRUE(empty.isEmpty()) << empty.left << "," << empty.right << "," << empty.bottom;
    EXPECT_FALSE(CRect(-5, -5, -1, -1).isEmpty());

    EXPECT_EQ(CRect(0, 0, 10, 10).bound(CRect(5, -5, 20, 7)), CRect(5, 0, 10, 7));
    const CRect disjoint = CRect(0, 0, 10, 10).bound(CRect(20, 20, 30, 30));
    EXPECT_TRUE(disjoint.isEmpty() && disjoint.left <= disjoint.right); // never inverted
    EXPECT_EQ(CRect(0, 0, 1, 1).unite(CRect(5, -2, 6, 3)), CRect(0, -2, 6, 3));
}

} // namespace
