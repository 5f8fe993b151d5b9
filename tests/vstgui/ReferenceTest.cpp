#include "vstgui/CBitmap.h"
#include "vstgui/CView.h"
#include "vstgui/SharedPointer.h"

#include <gtest/gtest.h>

using namespace VSTGUI;

TEST(References, ForgetDeletesAtTheLastReference)
{
    const int64_t before = ReferenceCounted::liveObjectCount();
    auto* bitmap = new CBitmap(4, 4);
    EXPECT_EQ(ReferenceCounted::liveObjectCount(), before + 2); // the bitmap and its pixels
    bitmap->remember();
    EXPECT_EQ(bitmap->getNbReference(), 2);
    bitmap->forget();
    EXPECT_EQ(ReferenceCounted::liveObjectCount(), before + 2);
    bitmap->forget();
    EXPECT_EQ(ReferenceCounted::liveObjectCount(), before);
}

TEST(References, SharedPointerRemembersOrAdopts)
{
    const int64_t before = ReferenceCounted::liveObjectCount();
    {
        auto adopted = makeOwned<CBitmap>(2, 2);
        EXPECT_EQ(adopted->getNbReference(), 1);
        SharedPointer<CBitmap> copy = adopted;
        EXPECT_EQ(adopted->getNbReference(), 2);
        SharedPointer<CBitmap> moved = std::move(copy);
        EXPECT_EQ(adopted->getNbReference(), 2);
        EXPECT_FALSE(copy);
        moved = nullptr;
        EXPECT_EQ(adopted->getNbReference(), 1);
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
    EXPECT_EQ(bitmap->getNbReference(), 2);
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
