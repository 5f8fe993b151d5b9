#include "EditorRig.h"

#include "controls/QelCParamDisplay.h"
#include "engine/Zarn.h"

#include <functional>

namespace editortest {
namespace {

// One begin, the automations, one end.
Calls edit(int32_t index, int automations)
{
    Calls calls{{43, index}};
    calls.insert(calls.end(), size_t(automations), {0, index});
    calls.emplace_back(44, index);
    return calls;
}

TEST(Editor, EveryUserEditActsBetweenOneBeginAndOneEnd)
{
    EditorRig rig;
    ASSERT_TRUE(rig.open());
    QelCParamDisplay* popup = rig.editor->getValueDisplay();
    const CRect knob = rig.control(kAmpDecay)->getViewSize();
    const CPoint centre = knob.getCenter(), up(centre.x, centre.y - 100);
    for (const int32_t shift : {0, int32_t(kShift)}) { // Shift: a quarter as far
        rig.setParameter(kAmpDecay, 0.0f);
        rig.idle();
        rig.edits();
        rig.press(centre, kLButton | shift);
        EXPECT_STREQ(popup->popupText, "12 ms");
        rig.move(up, kLButton | shift);
        rig.backEnd->wheel(centre, -1.0f); // within the drag: no second begin
        rig.move(CPoint(centre.x, centre.y - 200), kLButton | shift);
        EXPECT_STREQ(popup->popupText, shift ? "43 ms" : "2000 ms");
        EXPECT_EQ(popup->getViewSize().top, knob.bottom + 5); // below the knob
        rig.release(centre);
        EXPECT_FALSE(popup->isAttached());
        EXPECT_EQ(rig.parameter(kAmpDecay), shift ? 0.25f : 1.0f);
        EXPECT_EQ(rig.edits(), edit(7, 3));
    }
    rig.press(centre, kLButton | kControl | kShift); // not a reset: a drag, without the pop-up
    EXPECT_FALSE(popup->isAttached());
    rig.release(centre);
    rig.edits();
    rig.press(centre, kLButton | kControl); // the reset
    EXPECT_EQ(rig.edits(), edit(7, 1));
    EXPECT_EQ(rig.parameter(kAmpDecay), 0.5f);
    EXPECT_FALSE(popup->isAttached());
    rig.backEnd->wheel(centre, 1.0f);
    EXPECT_EQ(rig.edits(), edit(7, 1));
    EXPECT_EQ(rig.parameter(kAmpDecay), 0.51f);
    rig.press(CPoint(560, 138)); // Lfo-Free
    EXPECT_EQ(rig.edits(), edit(16, 1));
    rig.press(CPoint(460, 235)); // model 5
    EXPECT_EQ(rig.edits(), edit(19, 1));
    rig.plugin->start(48000.0f, 64); // the tap pad plays note 31 until the first movement
    float left[64], right[64];
    float* outputs[] = {left, right};
    const auto& keys = rig.synth->getEngine().keyDown;
    const CPoint pad = rig.centreOf(kTapPadTag);
    EXPECT_EQ(rig.press(pad), kMouseEventHandled);
    rig.release(pad);
    rig.plugin->processReplacing(outputs, 64);
    EXPECT_EQ(std::count(keys.begin(), keys.end(), 1), 1);
    EXPECT_EQ(keys[31], 1);
    rig.move(pad);
    rig.plugin->processReplacing(outputs, 64);
    EXPECT_EQ(keys[31], 0);
    rig.press(rig.centreOf(kSplashTag));
    rig.press(rig.centreOf(kSplashTag));
    EXPECT_EQ(rig.edits(), Calls{}); // neither the tap pad nor the logo is a parameter
    rig.press(centre); // a cancelled drag restores the value and hides the pop-up
    rig.move(up);
    rig.editor->getFrame()->onMouseCancel();
    EXPECT_EQ(rig.edits(), edit(7, 2));
    EXPECT_EQ(rig.parameter(kAmpDecay), 0.51f);
    EXPECT_FALSE(popup->isAttached());

    // Drags that the host's close, the control's removal, a size change or the plug-in's deletion
    // cut short.
    const std::function<void()> interruptions[] = {
        [&] { rig.plugin->dispatch(effEditClose); },
        [&] { rig.editor->getFrame()->removeView(rig.control(kAmpDecay), false); },
        [&] { rig.idle(); }, // with a size chosen before the drag
        [&] { rig.plugin->close(); },
    };
    for (const auto& interrupt : interruptions) {
        storeUISize(0);
        rig.plugin->dispatch(effEditClose);
        rig.setParameter(kAmpDecay, 0.5f);
        ASSERT_TRUE(rig.open());
        rig.presenter.choices = {1};
        rig.press(kBackground, kRButton);
        rig.edits();
        rig.press(centre);
        rig.move(up);
        interrupt();
        EXPECT_EQ(rig.edits(), edit(7, 1)) << &interrupt - interruptions;
    }
}

TEST(Editor, TheLedsShowTheEnginesModelAndASwitchAtItsMaximumAlone)
{
    EditorRig rig;
    ASSERT_TRUE(rig.open());
    const int32_t factoryModels[] = {0, 7, 1, 4, 5, 0, 0, 6, 3};
    for (int32_t program = 0; program < 64; ++program) {
        rig.plugin->dispatch(effSetProgram, 0, program);
        rig.idle();
        EXPECT_EQ(litModel(rig.pixels()), program < 9 ? factoryModels[program] : rig.synth->getEngine().model) << program;
    }
    const struct {
        CPoint at;
        int32_t model; // -1: unchanged (3)
    } clicks[] = {{{400, 225}, 0}, {{375, 231}, 1}, {{452, 225}, -1}, {{438, 225}, -1}, // half-open boxes
                  {{376, 267}, -1}, {{515, 260}, 7}, {{516, 260}, -1}};
    for (const auto& click : clicks) {
        rig.setParameter(kModel, 3.0f / 7.0f);
        rig.idle();
        rig.press(click.at);
        EXPECT_EQ(rig.parameter(kModel), float(click.model < 0 ? 3 : click.model) / 7.0f) << click.at.x;
    }
    rig.setParameter(kModel, 0.5f);
    rig.idle();
    EXPECT_EQ(litModel(rig.pixels()), 3);
    std::vector<int32_t> freeLed; // Lfo-Free's LED at 0, 0.7 and 1
    for (float value : {0.0f, 0.7f, 1.0f}) {
        rig.setParameter(kLfoFree, value);
        rig.idle();
        freeLed.push_back(brightness(rig.pixels(), 717, 555, 138));
    }
    EXPECT_EQ(freeLed[1], freeLed[0]);
    EXPECT_GT(freeLed[2], freeLed[0]);
}

} // namespace
} // namespace editortest
