#include "controls/QelCMouseForwarder.h"

#include "tests/vstgui/TestSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace VSTGUI;

namespace {

// Records what reaches it and answers presses with a chosen result.
struct Target : CView {
    Target(const CRect& size, std::vector<std::string>& log) : CView(size), log(log) {}
    CMouseEventResult onMouseDown(CPoint& where, const CButtonState& buttons) override
    {
        return record("down", where, buttons), kMouseEventHandled;
    }
    CMouseEventResult onMouseUp(CPoint& where, const CButtonState& buttons) override
    {
        return record("up", where, buttons), kMouseEventHandled;
    }
    CMouseEventResult onMouseMoved(CPoint& where, const CButtonState& buttons) override
    {
        return record("move", where, buttons), kMouseEventNotHandled;
    }
    void record(const char* what, const CPoint& where, const CButtonState& buttons)
    {
        log.push_back(std::string(what) + " " + std::to_string(int(where.x)) + "," + std::to_string(int(where.y)) +
                      " " + std::to_string(buttons()));
    }
    std::vector<std::string>& log;
};

TEST(MouseForwarder, PassesAPressOnePixelInsideTheTargetAndItsMovesUnchanged)
{
    testsupport::OffscreenRig rig;
    std::vector<std::string> log;
    auto* target = new Target(CRect(200, 100, 240, 140), log);
    rig.frame->addView(target);
    auto* forwarder = new QelCMouseForwarder(CRect(10, 10, 60, 60), target);
    rig.frame->addView(forwarder);
    EXPECT_EQ(rig.backEnd->mouseDown(CPoint(20, 30), kLButton | kShift), kMouseEventHandled);
    EXPECT_EQ(rig.backEnd->mouseMoved(CPoint(25, 35), kLButton), kMouseEventNotHandled);
    EXPECT_EQ(rig.backEnd->mouseUp(CPoint(25, 35), kRButton), kMouseEventHandled);
    EXPECT_EQ(log, (std::vector<std::string>{"down 201,101 18", "move 25,35 2", "up 201,101 8"}));
}

TEST(MouseForwarder, WithoutATargetOrWithOneRemovedFromItsFrameNothingIsCalled)
{
    std::vector<std::string> log;
    // No target, then a target its frame removed and released: the forwarder's reference is the
    // last, and the target is not called.
    for (bool withTarget : {false, true}) {
        testsupport::OffscreenRig rig;
        auto* target = new Target(CRect(200, 100, 240, 140), log);
        rig.frame->addView(target);
        auto forwarder = makeOwned<QelCMouseForwarder>(CRect(10, 10, 60, 60), withTarget ? target : nullptr);
        rig.frame->removeView(target);
        CPoint where(20, 30);
        EXPECT_EQ(forwarder->onMouseDown(where, kLButton), kMouseDownEventHandledButDontNeedMovedOrUpEvents);
        EXPECT_EQ(forwarder->onMouseMoved(where, kLButton), kMouseEventHandled);
        EXPECT_EQ(forwarder->onMouseUp(where, kLButton), kMouseEventHandled);
        EXPECT_TRUE(log.empty());
    }
}

} // namespace
