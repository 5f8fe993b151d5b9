#include "controls/DropHighlight.h"

#include "ControlsTestSupport.h"
#include "tests/vstgui/TestSupport.h"

#include <gtest/gtest.h>

using namespace VSTGUI;

namespace {

const CColor kGrey(100, 100, 100, 255), kGreen(0, 255, 0, 255), kBlue(0, 0, 255, 255);

TEST(DropHighlight, ADragOverTheViewMarksAndRedrawsItUntilItDropsOrLeaves)
{
    testsupport::OffscreenRig rig;
    auto* view = new CView(CRect(100, 10, 150, 60));
    view->setDropTarget(owned(new DropHighlight(view)));
    auto* highlight = static_cast<DropHighlight*>(view->getDropTarget().get());
    rig.frame->addView(view);
    for (bool drop : {true, false}) {
        rig.frame->idle();
        rig.backEnd->clearPresentedAreas();
        EXPECT_EQ(rig.backEnd->dragEnter(CPoint(110, 30)), DragOperation::Copy);
        EXPECT_TRUE(highlight->highlighted);
        rig.frame->idle();
        EXPECT_EQ(rig.backEnd->getPresentedAreas(), std::vector<CRect>{CRect(100, 10, 150, 60)});
        EXPECT_FALSE(drop ? rig.backEnd->drop(CPoint(110, 30)) : (rig.backEnd->dragLeave(CPoint(300, 30)), false));
        EXPECT_FALSE(highlight->highlighted);
    }
}

TEST(DropHighlight, DrawsTheBitmapsLowerHalfAtTheRectanglesCornerOrARedFrameTwoPixelsWideAndRestoresTheContext)
{
    auto states = makeOwned<CBitmap>(testsupport::makeBitmap(20, 20, [](int32_t, int32_t y) { return y < 10 ? kGrey : kGreen; }));
    const CRect viewSize(10, 10, 60, 50), given(30, 25, 35, 30);
    // Bitmap, rectangle given, a drop target, highlighted; the lower half's top-left (-1: a red frame; none: nothing).
    for (auto [bitmap, rect, target, highlighted, corner] :
         {std::tuple{states.get(), (const CRect*)nullptr, true, true, CPoint(10, 10)}, {states.get(), &given, true, true, {30, 25}},
          {nullptr, &given, true, true, {-1, -1}}, {states.get(), nullptr, true, false, {}}, {states.get(), nullptr, false, true, {}},
          {nullptr, nullptr, false, true, {}}}) {
        auto view = makeOwned<CView>(viewSize);
        auto highlight = owned(new DropHighlight(view, bitmap));
        if (target)
            view->setDropTarget(highlight);
        if (highlighted)
            highlight->enter();
        const auto shown = painted(80, 60, [&, rect = rect](CDrawContext& c) {
            c.setLineWidth(3);
            c.setFrameColor(kBlue);
            highlight->draw(&c, rect);
            EXPECT_EQ(std::pair(c.getLineWidth(), c.getFrameColor()), std::pair(CCoord(3), kBlue));
        });
        const auto expected = painted(80, 60, [&, corner = corner](CDrawContext& c) {
            c.setLineWidth(2);
            c.setFrameColor(CColor(255, 0, 0, 255));
            if (corner.x == -1)
                c.drawRect(viewSize, kDrawStroked);
            c.setFillColor(kGreen);
            if (corner.x > 0)
                c.drawRect(CRect(corner.x, corner.y, corner.x + 20, corner.y + 10), kDrawFilled); // its width, half its height
        });
        EXPECT_EQ(shown, expected) << corner.x << " " << target << " " << highlighted;
    }
}

} // namespace
