#include "controls/DropHighlight.h"

#include "tests/vstgui/TestSupport.h"
#include "vstgui/CDrawContext.h"

#include <gtest/gtest.h>

using namespace VSTGUI;

namespace {

const CColor kGrey(100, 100, 100, 255);
const CColor kLower(0, 255, 0, 255);

// A grey view that draws its highlight over itself, as a client view does.
struct MarkedView : CView {
    MarkedView(const CRect& size, CBitmap* bitmap, bool isTarget) : CView(size), highlight(owned(new DropHighlight(this, bitmap)))
    {
        if (isTarget)
            setDropTarget(highlight);
    }
    void draw(CDrawContext* context) override
    {
        context->setFillColor(kGrey);
        context->drawRect(getViewSize(), kDrawFilled);
        highlight->draw(context);
        setDirty(false);
    }
    SharedPointer<DropHighlight> highlight;
};

TEST(DropHighlight, ADragOverTheViewMarksItWithTheBitmapsLowerHalfUntilItDropsButNotWithoutBeingTheTarget)
{
    auto states = makeOwned<CBitmap>(testsupport::makeBitmap(20, 20, [](int32_t, int32_t y) { return y < 10 ? kGrey : kLower; }));
    testsupport::OffscreenRig rig;
    rig.frame->addView(new MarkedView(CRect(100, 10, 150, 60), states, true));
    auto* untargeted = new MarkedView(CRect(200, 10, 250, 60), nullptr, false);
    rig.frame->addView(untargeted);
    const auto pixelAfter = [&](CPoint probe) {
        rig.frame->idle();
        return rig.backEnd->getPixel(int(probe.x), int(probe.y));
    };
    rig.backEnd->dragEnter(CPoint(110, 30));
    EXPECT_EQ(pixelAfter(CPoint(101, 11)), kLower);
    EXPECT_EQ(rig.backEnd->getPixel(101, 21), kGrey); // half the bitmap's height
    EXPECT_FALSE(rig.backEnd->drop(CPoint(110, 30)));
    EXPECT_EQ(pixelAfter(CPoint(101, 11)), kGrey);
    // The red frame (the gallery shows it) only for the view's drop target.
    rig.backEnd->dragEnter(CPoint(210, 30));
    EXPECT_FALSE(untargeted->highlight->highlighted);
    EXPECT_EQ(untargeted->highlight->enter(), 0);
    EXPECT_EQ(pixelAfter(CPoint(201, 30)), kGrey);
}

} // namespace
