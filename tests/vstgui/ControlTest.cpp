#include "TestSupport.h"

#include "vstgui/CAnimKnob.h"
#include "vstgui/CFrame.h"
#include "vstgui/COnOffButton.h"
#include "vstgui/CSplashScreen.h"
#include "vstgui/OffscreenPlatformFrame.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <thread>

using namespace VSTGUI;
using testsupport::RecordingEditor;
using testsupport::RecordingListener;

namespace {

struct Rig {
    explicit Rig(int32_t knobMode = kLinearMode) : frame(new CFrame(CRect(0, 0, 300, 300), &editor))
    {
        editor.setFrame(frame);
        editor.setKnobMode(knobMode);
        frame->open(nullptr);
        backEnd = OffscreenPlatformFrame::of(frame);
    }
    ~Rig() { frame->close(); }
    CAnimKnob* addKnob(const CRect& size = CRect(100, 100, 140, 140), int32_t tag = 3)
    {
        auto* knob = new CAnimKnob(size, &listener, tag, 63, 40, nullptr);
        frame->addView(knob);
        return knob;
    }

    RecordingEditor editor;
    RecordingListener listener;
    CFrame* frame;
    OffscreenPlatformFrame* backEnd;
};

} // namespace

TEST(Control, SetValueOnlyClampsAndStores)
{
    Rig rig;
    CAnimKnob* knob = rig.addKnob();
    rig.frame->idle();
    struct Case {
        float in;
        float stored;
    };
    const Case cases[] = {{0.25f, 0.25f}, {-1.f, 0.f}, {7.f, 1.f}, {std::numeric_limits<float>::quiet_NaN(), 0.f},
                          {std::numeric_limits<float>::infinity(), 1.f}};
    for (const Case& c : cases) {
        knob->setValue(c.in);
        EXPECT_EQ(knob->getValue(), c.stored) << c.in;
    }
    EXPECT_TRUE(rig.listener.calls.empty());
    EXPECT_TRUE(knob->isDirty()); // the value changed since the last draw
    rig.frame->idle();
    EXPECT_FALSE(knob->isDirty());

    knob->setMin(0.2f);
    knob->setMax(0.4f);
    knob->setValue(0.9f);
    EXPECT_FLOAT_EQ(knob->getValue(), 0.4f);
}

TEST(Control, SetValueFromAnotherThreadIsPickedUpByIdle)
{
    Rig rig;
    CAnimKnob* knob = rig.addKnob();
    rig.frame->idle();
    rig.backEnd->clearPresentedAreas();
    std::thread writer([knob] {
        for (int i = 0; i <= 100; ++i)
            knob->setValue(float(i) / 100.f);
    });
    writer.join();
    rig.frame->idle();
    EXPECT_EQ(knob->getValue(), 1.f);
    ASSERT_EQ(rig.backEnd->getPresentedAreas().size(), 1u);
    EXPECT_EQ(rig.backEnd->getPresentedAreas()[0], knob->getViewSize());
}

TEST(Control, EditsNestAndReachListenerAndEditor)
{
    Rig rig;
    CAnimKnob* knob = rig.addKnob(CRect(0, 0, 40, 40), 7);
    knob->beginEdit();
    knob->beginEdit();
    EXPECT_TRUE(knob->isEditing());
    knob->endEdit();
    knob->endEdit();
    knob->endEdit(); // unmatched: ignored
    EXPECT_FALSE(knob->isEditing());
    EXPECT_EQ(rig.listener.begins, 2);
    EXPECT_EQ(rig.listener.ends, 2);
    EXPECT_EQ(rig.editor.editorBegins, (std::vector<int32_t>{7, 7}));
    EXPECT_EQ(rig.editor.editorEnds.size(), 2u);
}

TEST(Control, ControlClickRestoresTheDefaultValue)
{
    Rig rig;
    CAnimKnob* knob = rig.addKnob();
    knob->setValue(0.9f);
    EXPECT_EQ(rig.backEnd->mouseDown(CPoint(120, 120), kLButton | kControl),
              kMouseDownEventHandledButDontNeedMovedOrUpEvents);
    EXPECT_EQ(knob->getValue(), 0.5f);
    ASSERT_EQ(rig.listener.calls.size(), 1u);
    EXPECT_EQ(rig.listener.calls[0].value, 0.5f);
    EXPECT_FALSE(knob->isEditing());
    // Already at the default: accepted, nothing to report. Other modifiers are no reset.
    EXPECT_TRUE(knob->checkDefaultValue(kLButton | kControl));
    EXPECT_FALSE(knob->checkDefaultValue(kLButton | kControl | kShift));
    EXPECT_FALSE(knob->checkDefaultValue(kRButton | kControl));
    EXPECT_EQ(rig.listener.calls.size(), 1u);
}

// 200 pixels cover the range; with Shift, 200 x the zoom factor. Up and right both increase.
TEST(Control, LinearDragFollowsTheMouseWithShiftZoom)
{
    struct Case {
        CPoint to;
        int32_t buttons;
        float expected;
    };
    const Case cases[] = {
        {CPoint(120, 70), kLButton, 0.65f},          // 50 up
        {CPoint(170, 120), kLButton, 0.75f},         // 50 right
        {CPoint(120, 170), kLButton, 0.25f},         // 50 down
        {CPoint(120, 70), kLButton | kShift, 0.5625f}, // zoom 4: a quarter as far
        {CPoint(120, -500), kLButton, 1.f},
        {CPoint(-500, 120), kLButton, 0.f},
        {CPoint(1e300, 120), kLButton, 1.f},
        {CPoint(120, std::numeric_limits<double>::quiet_NaN()), kLButton, 0.f},
    };
    for (const Case& c : cases) {
        Rig rig;
        CAnimKnob* knob = rig.addKnob();
        knob->setZoomFactor(4.f);
        knob->setValue(c.expected == 0.65f ? 0.4f : 0.5f);
        EXPECT_EQ(rig.backEnd->mouseDown(CPoint(120, 120), c.buttons), kMouseEventHandled);
        rig.backEnd->mouseMoved(c.to, c.buttons);
        EXPECT_NEAR(knob->getValue(), c.expected, 1e-6) << c.to.x << "," << c.to.y;
        EXPECT_FALSE(rig.listener.calls.empty());
        rig.backEnd->mouseUp(c.to, c.buttons);
        EXPECT_FALSE(knob->isEditing());
    }
}

TEST(Control, ShiftChangingMidDragKeepsTheValueContinuous)
{
    Rig rig;
    CAnimKnob* knob = rig.addKnob();
    knob->setZoomFactor(4.f);
    knob->setValue(0.5f);
    rig.backEnd->mouseDown(CPoint(120, 120), kLButton);
    rig.backEnd->mouseMoved(CPoint(120, 100), kLButton); // +0.1
    EXPECT_NEAR(knob->getValue(), 0.6f, 1e-6);
    rig.backEnd->mouseMoved(CPoint(120, 100), kLButton | kShift);
    EXPECT_NEAR(knob->getValue(), 0.6f, 1e-6);
    rig.backEnd->mouseMoved(CPoint(120, 20), kLButton | kShift); // 80 more at a quarter
    EXPECT_NEAR(knob->getValue(), 0.7f, 1e-6);
}

TEST(Control, CircularModeFollowsTheAngle)
{
    struct Case {
        CPoint at;
        float expected;
    };
    // Centre (120, 120): lower left is 0, top is 0.5, lower right is 1; the gap at the bottom
    // snaps to the nearer end.
    const Case cases[] = {{CPoint(100, 140), 0.f}, {CPoint(120, 80), 0.5f}, {CPoint(140, 140), 1.f},
                          {CPoint(80, 120), 1.f / 6}, {CPoint(119, 150), 0.f}, {CPoint(121, 150), 1.f}};
    for (const Case& c : cases) {
        Rig rig(kCircularMode);
        CAnimKnob* knob = rig.addKnob(CRect(60, 60, 180, 180));
        rig.backEnd->mouseDown(c.at, kLButton);
        EXPECT_NEAR(knob->getValue(), c.expected, 1e-5) << c.at.x << "," << c.at.y;
    }
}

TEST(Control, KnobIgnoresOtherButtonsAndCancelRestoresTheStart)
{
    Rig rig;
    CAnimKnob* knob = rig.addKnob();
    knob->setValue(0.3f);
    EXPECT_EQ(rig.backEnd->mouseDown(CPoint(120, 120), kRButton), kMouseEventNotHandled);
    EXPECT_EQ(rig.editor.unhandledDowns.size(), 1u);
    rig.backEnd->mouseDown(CPoint(120, 120), kLButton);
    rig.backEnd->mouseMoved(CPoint(120, 60), kLButton);
    EXPECT_NE(knob->getValue(), 0.3f);
    rig.frame->onMouseCancel();
    EXPECT_EQ(knob->getValue(), 0.3f);
    EXPECT_FALSE(knob->isEditing());
    // A move without the left button does not turn the knob.
    rig.backEnd->mouseMoved(CPoint(120, 10), 0);
    EXPECT_EQ(knob->getValue(), 0.3f);
}

TEST(Control, WheelStepsByTheIncrement)
{
    Rig rig;
    CAnimKnob* knob = rig.addKnob();
    knob->setWheelInc(0.01f);
    knob->setValue(0.5f);
    EXPECT_TRUE(rig.backEnd->wheel(CPoint(120, 120), 3));
    EXPECT_NEAR(knob->getValue(), 0.53f, 1e-6);
    EXPECT_TRUE(rig.backEnd->wheel(CPoint(120, 120), -10, kShift));
    EXPECT_NEAR(knob->getValue(), 0.52f, 1e-6);
    EXPECT_TRUE(rig.backEnd->wheel(CPoint(120, 120), std::numeric_limits<float>::quiet_NaN()) == false);
    EXPECT_FALSE(rig.backEnd->wheel(CPoint(5, 5), 1));
    EXPECT_EQ(rig.listener.calls.size(), 2u);
}

TEST(Control, AnimKnobShowsTheFloorFrame)
{
    auto* knob = new CAnimKnob(CRect(0, 0, 10, 10), nullptr, 0, 63, 10, nullptr);
    struct Case {
        float value;
        int32_t frame;
    };
    const Case cases[] = {{0.f, 0}, {0.5f, 31}, {1.f, 62}, {61.99f / 62, 61}, {62.f / 62, 62}, {1e-7f, 0}};
    for (const Case& c : cases) {
        knob->setValue(c.value);
        EXPECT_EQ(knob->getFrameIndex(), c.frame) << c.value;
    }
    knob->forget();
    auto* single = new CAnimKnob(CRect(0, 0, 10, 10), nullptr, 0, 0, 10, nullptr);
    single->setValue(1.f);
    EXPECT_EQ(single->getFrameIndex(), 0);
    CView* copy = single->newCopy();
    EXPECT_EQ(static_cast<CAnimKnob*>(copy)->getValue(), 1.f);
    copy->forget();
    single->forget();
}

TEST(Control, OnOffButtonTogglesOnALeftPressAndDrawsItsHalf)
{
    Rig rig;
    auto picture = makeOwned<CBitmap>(testsupport::makeBitmap(
        10, 20, [](int32_t, int32_t y) { return y < 10 ? CColor(40, 40, 40, 255) : CColor(0, 255, 0, 255); }));
    auto* button = new COnOffButton(CRect(50, 50, 60, 60), &rig.listener, 16, picture);
    rig.frame->addView(button);
    rig.frame->idle();
    EXPECT_EQ(rig.backEnd->getPixel(55, 55), CColor(40, 40, 40, 255));
    EXPECT_EQ(rig.backEnd->mouseDown(CPoint(55, 55), kLButton), kMouseDownEventHandledButDontNeedMovedOrUpEvents);
    EXPECT_EQ(button->getValue(), 1.f);
    rig.frame->idle();
    EXPECT_EQ(rig.backEnd->getPixel(55, 55), CColor(0, 255, 0, 255));
    EXPECT_EQ(rig.backEnd->mouseDown(CPoint(55, 55), kRButton), kMouseEventNotHandled);
    rig.backEnd->mouseDown(CPoint(55, 55), kLButton);
    EXPECT_EQ(button->getValue(), 0.f);
    ASSERT_EQ(rig.listener.calls.size(), 2u);
    EXPECT_EQ(rig.listener.calls[0].value, 1.f);
    EXPECT_EQ(rig.listener.calls[1].value, 0.f);
    button->setValue(0.7f); // not the maximum: drawn off
    rig.frame->idle();
    EXPECT_EQ(rig.backEnd->getPixel(55, 55), CColor(40, 40, 40, 255));
}

TEST(Control, SplashScreenShowsItsPictureModallyUntilTheNextClick)
{
    const int64_t before = ReferenceCounted::liveObjectCount();
    {
        Rig rig;
        auto about = makeOwned<CBitmap>(
            testsupport::makeBitmap(300, 300, [](int32_t, int32_t) { return CColor(250, 250, 0, 255); }));
        auto* splash = new CSplashScreen(CRect(10, 10, 50, 30), &rig.listener, 23, about, CRect(0, 0, 300, 300));
        rig.frame->addView(splash);
        rig.frame->idle();
        EXPECT_EQ(rig.backEnd->mouseDown(CPoint(20, 20), kRButton), kMouseEventNotHandled);
        EXPECT_EQ(rig.frame->getModalView(), nullptr);
        EXPECT_EQ(rig.backEnd->mouseDown(CPoint(20, 20), kLButton), kMouseDownEventHandledButDontNeedMovedOrUpEvents);
        EXPECT_EQ(rig.frame->getModalView(), splash->getModalView());
        EXPECT_EQ(splash->getValue(), 1.f);
        rig.frame->idle();
        EXPECT_EQ(rig.backEnd->getPixel(200, 200), CColor(250, 250, 0, 255));
        // While shown, other presses reach nothing else, not even the editor.
        EXPECT_EQ(rig.backEnd->mouseDown(CPoint(200, 200), kRButton), kMouseEventNotHandled);
        EXPECT_TRUE(rig.editor.unhandledDowns.size() == 1u);
        rig.backEnd->mouseDown(CPoint(200, 200), kLButton);
        EXPECT_EQ(rig.frame->getModalView(), nullptr);
        EXPECT_EQ(splash->getValue(), 0.f);
        rig.frame->idle();
        EXPECT_EQ(rig.backEnd->getPixel(200, 200), CColor(0, 0, 0, 255));
        EXPECT_EQ(rig.listener.calls.size(), 2u);
        // Shown again, then the frame closes with the picture up.
        rig.backEnd->mouseDown(CPoint(20, 20), kLButton);
        EXPECT_NE(rig.frame->getModalView(), nullptr);
    }
    EXPECT_EQ(ReferenceCounted::liveObjectCount(), before);
}
