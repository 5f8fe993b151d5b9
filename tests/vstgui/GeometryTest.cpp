#include "vstgui/CBitmap.h"
#include "vstgui/CButtonState.h"
#include "vstgui/CRect.h"
#include "vstgui/CView.h"
#include "vstgui/SharedPointer.h"

#include <gtest/gtest.h>

#include <limits>

using namespace VSTGUI;

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

TEST(Geometry, RectanglesAreHalfOpenAndNaNOrInvertedOnesAreEmpty)
{
    const CRect r(10, 20, 30, 40);
    EXPECT_TRUE(r.pointInside(CPoint(10, 20)));
    EXPECT_TRUE(r.pointInside(CPoint(29.999, 39.999)));
    EXPECT_FALSE(r.pointInside(CPoint(30, 25)));
    EXPECT_FALSE(r.pointInside(CPoint(15, 40)));
    EXPECT_FALSE(r.pointInside(CPoint(kNaN, 25)));
    EXPECT_FALSE(r.rectOverlap(CRect(30, 20, 40, 40))); // touching edges do not overlap
    EXPECT_TRUE(r.rectOverlap(CRect(29, 39, 50, 50)));
    for (const CRect& empty : {CRect(0, 0, 0, 5), CRect(5, 5, 0, 10), CRect(kNaN, 0, 5, 5), CRect(0, 0, 5, kNaN)})
        EXPECT_TRUE(empty.isEmpty()) << empty.left << "," << empty.right << "," << empty.bottom;
    EXPECT_FALSE(CRect(-5, -5, -1, -1).isEmpty());

    CRect bounded(0, 0, 10, 10);
    bounded.bound(CRect(5, -5, 20, 7));
    EXPECT_EQ(bounded, CRect(5, 0, 10, 7));
    CRect disjoint(0, 0, 10, 10);
    disjoint.bound(CRect(20, 20, 30, 30));
    EXPECT_TRUE(disjoint.isEmpty());
    EXPECT_LE(disjoint.left, disjoint.right); // never inverted
    CRect united(0, 0, 1, 1);
    united.unite(CRect(5, -2, 6, 3));
    EXPECT_EQ(united, CRect(0, -2, 6, 3));
}

TEST(Geometry, ButtonStateSeparatesButtonsFromModifiers)
{
    const CButtonState state(kLButton | kRButton | kShift | kControl);
    EXPECT_EQ(state.getButtonState(), kLButton | kRButton);
    EXPECT_EQ(state.getModifierState(), kShift | kControl);
    EXPECT_TRUE(state.isLeftButton() && state.isRightButton());
    EXPECT_FALSE(CButtonState(kShift).isLeftButton());
}

TEST(References, ForgetDeletesAtTheLastReferenceAndSharedPointersBalance)
{
    const int64_t before = ReferenceCounted::liveObjectCount();
    auto* bitmap = new CBitmap(4, 4);
    EXPECT_EQ(ReferenceCounted::liveObjectCount(), before + 2); // the bitmap and its pixels
    bitmap->remember();
    bitmap->forget();
    EXPECT_EQ(ReferenceCounted::liveObjectCount(), before + 2);
    bitmap->forget();
    EXPECT_EQ(ReferenceCounted::liveObjectCount(), before);
    {
        auto adopted = makeOwned<CBitmap>(2, 2);
        EXPECT_EQ(adopted->getNbReference(), 1);
        SharedPointer<CBitmap> copy = adopted;
        SharedPointer<CBitmap> moved = std::move(copy);
        EXPECT_EQ(adopted->getNbReference(), 2);
        EXPECT_FALSE(copy);
        moved = nullptr;
        const SharedPointer<CBitmap>& alias = adopted;
        adopted = alias; // self-assignment keeps the reference
        EXPECT_EQ(adopted->getNbReference(), 1);
    }
    EXPECT_EQ(ReferenceCounted::liveObjectCount(), before);
}

TEST(References, ViewRemembersItsBackgroundAndItsCopiesToo)
{
    const int64_t before = ReferenceCounted::liveObjectCount();
    auto bitmap = makeOwned<CBitmap>(2, 2);
    auto* view = new CView(CRect(0, 0, 10, 10));
    view->setBackground(bitmap);
    CView* copy = view->newCopy();
    EXPECT_EQ(bitmap->getNbReference(), 3);
    EXPECT_EQ(copy->getNbReference(), 1);
    EXPECT_FALSE(copy->isAttached());
    view->setBackground(nullptr);
    EXPECT_EQ(bitmap->getNbReference(), 2);
    view->forget();
    copy->forget();
    EXPECT_EQ(bitmap->getNbReference(), 1);
    bitmap = nullptr;
    EXPECT_EQ(ReferenceCounted::liveObjectCount(), before);
}

} // namespace
