#include "controls/QelCMouseForwarder.h"

#include "tests/vstgui/TestSupport.h"

#include <gtest/gtest.h>

using namespace VSTGUI;

namespace {

// Logs "down|move|up x,y buttons" and answers presses and releases as handled, moves as not handled.
struct Target : CView {
    Target(std::vector<std::string>& log) : CView(CRect(200, 100, 240, 140)), log(log) {}
    CMouseEventResult onMouseDown(CPoint& at, const CButtonState& b) override { return record("down", at, b, 1); }
    CMouseEventResult onMouseUp(CPoint& at, const CButtonState& b) override { return record("up", at, b, 1); }
    CMouseEventResult onMouseMoved(CPoint& at, const CButtonState& b) override { return record("move", at, b, 2); }
    CMouseEventResult record(const char* what, const CPoint& at, const CButtonState& b, int result)
    {
        log.push_back(std::string(what) + " " + std::to_string(int(at.x)) + "," + std::to_string(int(at.y)) + " " + std::to_string(b()));
        return CMouseEventResult(result);
    }
    std::vector<std::string>& log;
};

TEST(MouseForwarder, PassesAPressOnePixelInsideTheTargetButNeverReachesATargetOutOfItsFrame)
{
    // No target, a target in the frame, a target its frame removed and released (the forwarder's
    // reference is then the last).
    for (int target : {0, 1, 2}) {
        std::vector<std::string> log;
        testsupport::OffscreenRig rig;
        auto* view = new Target(log);
        rig.frame->addView(view);
        auto* forwarder = new QelCMouseForwarder(CRect(10, 10, 60, 60), target ? view : nullptr);
        rig.frame->addView(forwarder);
        if (target == 2)
            rig.frame->removeView(view);
        CPoint where(25, 35);
        EXPECT_EQ((std::tuple{rig.backEnd->mouseDown(CPoint(20, 30), kLButton | kShift), forwarder->onMouseMoved(where, kLButton),
                             forwarder->onMouseUp(where, kRButton)}),
                  target == 1 ? std::tuple(kMouseEventHandled, kMouseEventNotHandled, kMouseEventHandled)
                              : std::tuple(kMouseDownEventHandledButDontNeedMovedOrUpEvents, kMouseEventHandled, kMouseEventHandled));
        EXPECT_EQ(log, (target == 1 ? std::vector<std::string>{"down 201,101 18", "move 25,35 2", "up 201,101 8"} : std::vector<std::string>()));
    }
}

} // namespace
