#include "controls/DropHighlight.h"

#include "tests/vstgui/TestSupport.h"
#include "vstgui/CDrawContext.h"

#include <gtest/gtest.h>

using namespace VSTGUI;

namespace {

const CColor kGrey(100, 100, 100, 255);
const CColor kRed(255, 0, 0, 255);
const CColor kUpper(0, 0, 255, 255);
const CColor kLower(0, 255, 0, 255);

// A grey view that draws its highlight over itself, as a client view does.
struct MarkedView : CView {
    using CView::CView;
    void draw(CDrawContext* context) override
    {
        context->setFillColor(kGrey);
        context->drawRect(getViewSize(), kDrawFilled);
        if (highlight)
            highlight->draw(context);
        setDirty(false);
    }
    SharedPointer<DropHighlight> highlight;
};

TEST(DropHighlight, ADragOverTheViewMarksItWithAFrameOrTheBitmapsLowerHalfUntilItLeavesOrDrops)
{
    auto states = makeOwned<CBitmap>(testsupport::makeBitmap(20, 20, [](int32_t, int32_t y) { return y < 10 ? kUpper : kLower; }));
    testsupport::OffscreenRig rig;
    // The view, its bitmap, whether the highlight is its drop target.
    const std::tuple<CRect, CBitmap*, bool> views[] = {
        {CRect(10, 10, 60, 60), nullptr, true}, {CRect(100, 10, 150, 60), states, true}, {CRect(200, 10, 250, 60), nullptr, false}};
    for (auto [size, bitmap, isTarget] : views) {
        auto* view = new MarkedView(size);
        view->highlight = owned(new DropHighlight(view, bitmap));
        if (isTarget)
            view->setDropTarget(view->highlight);
        rig.frame->addView(view);
    }
    const auto after = [&](auto drag, CPoint probe) {
        drag();
        rig.frame->idle();
        return rig.backEnd->getPixel(int(probe.x), int(probe.y));
    };
    EXPECT_EQ(after([&] { rig.backEnd->dragEnter(CPoint(30, 30)); }, CPoint(11, 30)), kRed);
    EXPECT_EQ(rig.backEnd->getPixel(12, 30), kGrey);
    EXPECT_EQ(after([&] { rig.backEnd->dragMove(CPoint(110, 30)); }, CPoint(11, 30)), kGrey);
    EXPECT_EQ(rig.backEnd->getPixel(101, 11), kLower);
    EXPECT_EQ(rig.backEnd->getPixel(101, 21), kGrey); // half the bitmap's height
    EXPECT_EQ(after([&] { EXPECT_FALSE(rig.backEnd->drop(CPoint(110, 30))); }, CPoint(101, 11)), kGrey);
    // A highlight that is not the view's drop target neither hears drags nor draws.
    auto* untargeted = static_cast<MarkedView*>(rig.frame->getView(2));
    rig.backEnd->dragEnter(CPoint(210, 30));
    EXPECT_FALSE(untargeted->highlight->highlighted);
    untargeted->highlight->enter();
    EXPECT_EQ(after([] {}, CPoint(201, 30)), kGrey);
}

} // namespace
