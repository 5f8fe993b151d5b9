// Knob input through the offscreen back end. Buttons and results are the toolkit's published
// numbers: left 2, right 8, Shift 16, Control 32; results 1 handled, 2 not handled, 3 handled
// without moves or release. The editor's knob mode is 2 (linear).

#include "TestSupport.h"

#include "vstgui/CAnimKnob.h"

#include <limits>
#include <thread>

using namespace VSTGUI;

namespace {

constexpr float kNaNf = std::numeric_limits<float>::quiet_NaN();
constexpr int32_t kLeft = 2, kRight = 8, kShiftKey = 16, kControlKey = 32;
const CPoint kCentre(120, 120);

struct Rig : testsupport::OffscreenRig {
    CAnimKnob* addKnob(const CRect& size = CRect(100, 100, 140, 140), float value = 0.5f)
    {
        auto* knob = new CAnimKnob(size, &listener, 3, 63, 40, nullptr);
        knob->setValue(value);
        knob->setZoomFactor(4.f);
        frame->addView(knob);
        return knob;
    }
};

TEST(Control, SetValueOnlyClampsAndStoresAndIdleRedrawsItFromAnyThread)
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
    EXPECT_EQ(rig.backEnd->getPresentedAreas(), (std::vector<CRect>{CRect(100, 100, 140, 140)}));
    const float inf = std::numeric_limits<float>::infinity();
    for (auto [in, stored] : {std::pair{0.25f, 0.25f}, {-1.f, 0.f}, {7.f, 1.f}, {kNaNf, 0.f}, {inf, 1.f}}) {
        knob->setValue(in);
        EXPECT_EQ(knob->getValue(), stored) << in;
    }
    // Edits nest; an unmatched end is ignored. Listener and editor hear each.
    knob->beginEdit();
    knob->beginEdit();
    knob->endEdit();
    EXPECT_TRUE(knob->isEditing());
    knob->endEdit();
    knob->endEdit();
    const auto& host = rig.editor;
    EXPECT_EQ(std::tuple(knob->isEditing(), rig.listener.begins, rig.listener.ends, host.editorBegins, host.editorEnds),
              std::tuple(false, 2, 2, std::vector{3, 3}, std::vector{3, 3}));
}

TEST(Control, ControlClickAloneRestoresTheDefaultValueOnce)
{
    Rig rig;
    CAnimKnob* knob = rig.addKnob(CRect(100, 100, 140, 140), 0.9f);
    EXPECT_EQ(rig.backEnd->mouseDown(kCentre, kLeft | kControlKey), 3);
    EXPECT_EQ(std::tuple(knob->getValue(), rig.listener.calls.size(), knob->isEditing()), std::tuple(0.5f, 1u, false));
    // Already at the default: accepted, nothing to report. Other modifiers are no reset.
    for (auto [buttons, reset] : {std::pair{kLeft | kControlKey, true}, {kLeft | kShiftKey | kControlKey, false},
                                  {kRight | kControlKey, false}})
        EXPECT_EQ(knob->checkDefaultValue(buttons), reset) << buttons;
    EXPECT_EQ(rig.listener.calls.size(), 1u);
}

// 200 pixels cover the range; with Shift, 200 x the zoom factor 4. Up and right both increase;
// any pointer position, however far or NaN, converts safely.
TEST(Control, LinearDragFollowsTheMouseWithShiftZoomAndBoundedDistance)
{
    const struct {
        CPoint to;
        int32_t buttons;
        float expected;
    } cases[] = {
        {CPoint(120, 70), kLeft, 0.75f},           {CPoint(170, 120), kLeft, 0.75f},
        {CPoint(120, 170), kLeft, 0.25f},          {CPoint(120, 70), kLeft | kShiftKey, 0.5625f},
        {CPoint(120, 21), kLeft, 0.995f},          {CPoint(-500, 120), kLeft, 0.f},
        {CPoint(1e300, 120), kLeft, 1.f},          {CPoint(120, double(kNaNf)), kLeft, 0.f},
    };
    for (const auto& c : cases) {
        Rig rig;
        CAnimKnob* knob = rig.addKnob();
        EXPECT_EQ(rig.backEnd->mouseDown(kCentre, c.buttons), 1);
        rig.backEnd->mouseMoved(c.to, c.buttons);
        EXPECT_NEAR(knob->getValue(), c.expected, 1e-6) << c.to.x << "," << c.to.y;
        rig.backEnd->mouseUp(c.to, c.buttons);
        EXPECT_FALSE(knob->isEditing());
    }
}

// Only the left button turns the knob; Shift changing mid-drag keeps the value continuous; a cancel
// restores the value at the press. The wheel steps by the increment per notch, a tenth of it with Shift.
TEST(Control, KnobIgnoresOtherButtonsCancelRestoresTheStartAndTheWheelSteps)
{
    Rig rig;
    CAnimKnob* knob = rig.addKnob(CRect(100, 100, 140, 140), 0.3f);
    EXPECT_EQ(rig.backEnd->mouseDown(kCentre, kRight), 2);
    rig.backEnd->mouseDown(kCentre, kLeft);
    rig.backEnd->mouseMoved(CPoint(120, 100), kLeft); // +0.1
    rig.backEnd->mouseMoved(CPoint(120, 100), kLeft | kShiftKey);
    EXPECT_NEAR(knob->getValue(), 0.4f, 1e-6);
    rig.backEnd->mouseMoved(CPoint(120, 20), kLeft | kShiftKey); // 80 more at a quarter
    EXPECT_NEAR(knob->getValue(), 0.5f, 1e-6);
    rig.frame->onMouseCancel();
    EXPECT_EQ(std::pair(knob->getValue(), knob->isEditing()), std::pair(0.3f, false));
    rig.backEnd->mouseMoved(CPoint(120, 10), 0);
    EXPECT_EQ(knob->getValue(), 0.3f);

    knob->setWheelInc(0.01f);
    EXPECT_TRUE(rig.backEnd->wheel(kCentre, 3));
    EXPECT_NEAR(knob->getValue(), 0.33f, 1e-6);
    EXPECT_TRUE(rig.backEnd->wheel(kCentre, -10, kShiftKey));
    EXPECT_NEAR(knob->getValue(), 0.32f, 1e-6);
    EXPECT_FALSE(rig.backEnd->wheel(kCentre, kNaNf) || rig.backEnd->wheel(CPoint(5, 5), 1)); // NaN, no knob there
    EXPECT_EQ(rig.listener.calls.size(), 3u + 2u); // two moves that change the value, the cancel, two notches
}

} // namespace
