#include "vstgui/CButtonState.h"
#include "vstgui/CRect.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace VSTGUI;

namespace {
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
}

TEST(Geometry, RectanglesAreHalfOpen)
{
    const CRect r(10, 20, 30, 40);
    EXPECT_TRUE(r.pointInside(CPoint(10, 20)));
    EXPECT_TRUE(r.pointInside(CPoint(29.999, 39.999)));
    EXPECT_FALSE(r.pointInside(CPoint(30, 25)));
    EXPECT_FALSE(r.pointInside(CPoint(15, 40)));
    EXPECT_FALSE(r.pointInside(CPoint(kNaN, 25)));
    EXPECT_FALSE(r.rectOverlap(CRect(30, 20, 40, 40))); // touching edges do not overlap
    EXPECT_TRUE(r.rectOverlap(CRect(29, 39, 50, 50)));
}

TEST(Geometry, EmptinessCoversInvertedAndNaNRectangles)
{
    struct Case {
        CRect rect;
        bool empty;
    };
    const Case cases[] = {
        {CRect(0, 0, 1, 1), false}, {CRect(0, 0, 0, 5), true},   {CRect(5, 5, 0, 10), true},
        {CRect(kNaN, 0, 5, 5), true}, {CRect(0, 0, 5, kNaN), true}, {CRect(-5, -5, -1, -1), false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.rect.isEmpty(), c.empty) << c.rect.left << "," << c.rect.top << "," << c.rect.right;
}

TEST(Geometry, BoundAndUnite)
{
    CRect a(0, 0, 10, 10);
    a.bound(CRect(5, -5, 20, 7));
    EXPECT_EQ(a, CRect(5, 0, 10, 7));
    CRect disjoint(0, 0, 10, 10);
    disjoint.bound(CRect(20, 20, 30, 30));
    EXPECT_TRUE(disjoint.isEmpty());
    EXPECT_LE(disjoint.left, disjoint.right);
    CRect u(0, 0, 1, 1);
    u.unite(CRect(5, -2, 6, 3));
    EXPECT_EQ(u, CRect(0, -2, 6, 3));
    CRect moved(1, 2, 4, 6);
    moved.moveTo(10, 20);
    EXPECT_EQ(moved, CRect(10, 20, 13, 24));
}

TEST(Geometry, ButtonStateSeparatesButtonsFromModifiers)
{
    EXPECT_EQ(kLButton, 2);
    EXPECT_EQ(kLButton | kShift, 18);
    EXPECT_EQ(kButtonMask, 0x30e);
    const CButtonState state(kLButton | kRButton | kShift | kControl);
    EXPECT_EQ(state.getButtonState(), kLButton | kRButton);
    EXPECT_EQ(state.getModifierState(), kShift | kControl);
    EXPECT_TRUE(state.isLeftButton());
    EXPECT_TRUE(state.isRightButton());
    EXPECT_FALSE(CButtonState(kShift).isLeftButton());
    EXPECT_EQ(kMouseDownEventHandledButDontNeedMovedOrUpEvents, 3);
    EXPECT_EQ(kMouseEventNotHandled, 2);
    EXPECT_EQ(kMouseEventHandled, 1);
}
