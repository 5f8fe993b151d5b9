#include "EditorRig.h"

#include "controls/QelCParamDisplay.h"
#include "editor/CTapButton.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <vector>

namespace editortest {
namespace {

constexpr CPoint kBackground(20, 20);

class EditorTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        storeUISize(0);
        ASSERT_TRUE(rig.open());
    }

    // The last automation the host heard and the controller that went with it.
    void expectReported(int32_t index, float value)
    {
        const auto automation = rig.host.callsWith(audioMasterAutomate);
        ASSERT_FALSE(automation.empty());
        EXPECT_EQ(automation.back().index, index);
        EXPECT_FLOAT_EQ(automation.back().opt, value);
        const auto events = rig.host.callsWith(audioMasterProcessEvents);
        ASSERT_FALSE(events.empty());
        ASSERT_EQ(events.back().midiEvents.size(), 1u);
        const char* data = events.back().midiEvents[0].midiData;
        EXPECT_EQ((std::vector<int>{uint8_t(data[0]), data[1], data[2]}),
                  (std::vector<int>{0xB0, 39 + index, int(value * 127.0f)}));
    }

    EditorRig rig;
};

TEST_F(EditorTest, OpensWithTheCurrentProgramsValuesOnEveryControl)
{
    rig.plugin->dispatch(effEditClose);
    rig.plugin->dispatch(effSetProgram, 0, 5);
    ASSERT_TRUE(rig.open());
    const SynthProgram& program = rig.synth->getEngine().getPrograms()[5];
    for (int32_t tag = 0; tag < kNumParams; ++tag)
        EXPECT_EQ(rig.control(tag)->getValue(), program.values[tag]) << tag;
    EXPECT_EQ(rig.control(kPitchCoarse)->getViewSize(), CRect(72, 69, 114, 111));
    EXPECT_EQ(rig.control(kTapPadTag)->getViewSize(), CRect(534, 204, 660, 270));
}

// Values from the host, MIDI or a program change reach the controls at the next idle, on the
// user-interface thread; nothing outside 0 to 21 changes a control.
TEST_F(EditorTest, ParameterAndProgramChangesMoveTheControlsAtTheNextIdle)
{
    rig.setParameter(kAmpDecay, 0.125f);
    EXPECT_NE(rig.control(kAmpDecay)->getValue(), 0.125f);
    rig.idle();
    EXPECT_EQ(rig.control(kAmpDecay)->getValue(), 0.125f);

    for (int32_t index : {22, 23, -1, 100})
        rig.editor->setParameter(index, 0.75f);
    rig.idle();
    EXPECT_EQ(rig.control(kTapPadTag)->getValue(), 0.0f);
    EXPECT_EQ(rig.control(kSplashTag)->getValue(), 0.0f);

    rig.plugin->dispatch(effSetProgram, 0, 3);
    rig.idle();
    for (int32_t tag = 0; tag < kNumParams; ++tag)
        EXPECT_EQ(rig.control(tag)->getValue(), rig.synth->getEngine().getPrograms()[3].values[tag]) << tag;

}

TEST_F(EditorTest, KnobDragsSetTheParameterReportItAndEchoTheController)
{
    rig.setParameter(kAmpDecay, 0.25f);
    rig.idle();
    const CPoint centre = rig.centreOf(kAmpDecay);
    struct Drag {
        int32_t pressModifiers;
        int32_t dragModifiers;
        double up;
        float expected;
    } drags[] = {
        {0, 0, 50, 0.5f},                       // 200 pixels cover the whole range
        {kShift, kShift, 100, 0.375f},          // Shift: a quarter as far
        {0, kControl | kAlt, 50, 0.5f},         // dropped during the drag
        {kShift, kShift | kControl, 100, 0.375f} // only Shift reaches the knob
    };
    for (const Drag& drag : drags) {
        SCOPED_TRACE(drag.dragModifiers);
        rig.setParameter(kAmpDecay, 0.25f);
        rig.idle();
        ASSERT_EQ(rig.press(centre, kLButton | drag.pressModifiers), kMouseEventHandled);
        rig.move(CPoint(centre.x, centre.y - drag.up), kLButton | drag.dragModifiers);
        rig.release(CPoint(centre.x, centre.y - drag.up));
        EXPECT_FLOAT_EQ(rig.parameter(kAmpDecay), drag.expected);
        expectReported(kAmpDecay, drag.expected);
    }

    // Control+click restores the middle of the range.
    EXPECT_EQ(rig.press(centre, kLButton | kControl), kMouseDownEventHandledButDontNeedMovedOrUpEvents);
    EXPECT_FLOAT_EQ(rig.parameter(kAmpDecay), 0.5f);
    expectReported(kAmpDecay, 0.5f);
    EXPECT_FALSE(rig.editor->getValueDisplay()->isAttached());
}

// One begin, the automation, one end, whatever ends the edit.
std::vector<std::pair<int32_t, int32_t>> edit(int32_t index, int automations)
{
    std::vector<std::pair<int32_t, int32_t>> calls{{43, index}};
    calls.insert(calls.end(), size_t(automations), {0, index});
    calls.emplace_back(44, index);
    return calls;
}

TEST_F(EditorTest, EveryUserEditReachesTheHostBetweenOneBeginAndOneEnd)
{
    rig.setParameter(kAmpDecay, 0.25f);
    rig.idle();
    rig.edits();
    const CPoint knob = rig.centreOf(kAmpDecay);
    const CPoint up(knob.x, knob.y - 50);
    rig.press(knob);
    rig.move(up);
    rig.backEnd->wheel(knob, 1.0f); // within the drag: no second begin
    rig.release(up);
    EXPECT_EQ(rig.edits(), edit(7, 2));
    rig.press(knob, kLButton | kControl); // back to the middle
    EXPECT_EQ(rig.edits(), edit(7, 1));
    rig.backEnd->wheel(knob, 1.0f);
    EXPECT_EQ(rig.edits(), edit(7, 1));
    rig.press(CPoint(560, 138)); // Lfo-Free
    EXPECT_EQ(rig.edits(), edit(16, 1));
    rig.press(CPoint(460, 235)); // model 5
    EXPECT_EQ(rig.edits(), edit(19, 1));
    rig.press(rig.centreOf(kTapPadTag));
    rig.move(rig.centreOf(kTapPadTag));
    rig.press(rig.centreOf(kSplashTag));
    rig.press(rig.centreOf(kSplashTag));
    EXPECT_EQ(rig.edits(), (std::vector<std::pair<int32_t, int32_t>>{}));

    // A cancelled drag restores the value and hides the pop-up.
    const float before = rig.parameter(kAmpDecay);
    rig.press(knob);
    rig.move(up);
    rig.editor->getFrame()->onMouseCancel();
    EXPECT_EQ(rig.edits(), edit(7, 2));
    EXPECT_EQ(rig.parameter(kAmpDecay), before);
    EXPECT_FALSE(rig.editor->getValueDisplay()->isAttached());

    // A drag that the size change, the host's close, the control's removal or the plug-in's
    // deletion cuts short.
    const struct {
        std::function<void()> before, interrupt;
    } interruptions[] = {
        {[] {}, [&] { rig.plugin->dispatch(effEditClose); }},
        {[] {}, [&] { rig.editor->getFrame()->removeView(rig.control(kAmpDecay), false); }},
        {[&] {
             rig.presenter.choices = {1};
             rig.press(CPoint(20, 20), kRButton);
         },
         [&] { rig.idle(); }},
        {[] {}, [&] { rig.plugin->close(); }},
    };
    for (const auto& interruption : interruptions) {
        storeUISize(0);
        rig.plugin->dispatch(effEditClose);
        rig.setParameter(kAmpDecay, 0.25f);
        ASSERT_TRUE(rig.open());
        interruption.before();
        rig.edits();
        rig.press(knob);
        rig.move(up);
        interruption.interrupt();
        EXPECT_EQ(rig.edits(), edit(7, 1)) << &interruption - interruptions;
    }
}

TEST_F(EditorTest, ThePopUpShowsTheValueTextBelowOrAboveTheKnobUntilRelease)
{
    QelCParamDisplay* popup = rig.editor->getValueDisplay();
    rig.setParameter(kAmpDecay, 0.0f);
    rig.idle();
    const CRect knob = rig.control(kAmpDecay)->getViewSize();
    rig.press(knob.getCenter());
    ASSERT_TRUE(popup->isAttached());
    EXPECT_STREQ(popup->popupText, "12 ms");
    EXPECT_EQ(popup->getViewSize().top, knob.bottom + 5);
    rig.move(CPoint(knob.getCenter().x, knob.getCenter().y - 200));
    EXPECT_STREQ(popup->popupText, "2000 ms");
    EXPECT_EQ(popup->getViewSize().top, knob.bottom + 5); // redrawn in place
    rig.release(knob.getCenter());
    EXPECT_FALSE(popup->isAttached());

    // The Volume knob is too near the window's bottom edge for the pop-up to open below it.
    const CRect volume = rig.control(kVolume)->getViewSize();
    rig.press(volume.getCenter());
    EXPECT_EQ(popup->getViewSize().bottom, volume.top - 5);
    EXPECT_STREQ(popup->popupText, (std::to_string(int(std::lround(rig.parameter(kVolume) * 100))) + " %").c_str());
    rig.release(volume.getCenter());

    // A right click is taken by the knob: no pop-up, no change, no menu.
    const float before = rig.parameter(kAmpDecay);
    EXPECT_EQ(rig.press(knob.getCenter(), kRButton), kMouseDownEventHandledButDontNeedMovedOrUpEvents);
    EXPECT_FALSE(popup->isAttached());
    EXPECT_EQ(rig.parameter(kAmpDecay), before);
    EXPECT_TRUE(rig.presenter.shownTitles.empty());
}

TEST_F(EditorTest, TheTapPadPlaysItsNoteFromTheStartOfTheNextBlock)
{
    host::Host referenceHost;
    auto reference = host::PluginInstance::create(&VSTPluginMain, referenceHost);
    for (auto* plugin : {rig.plugin.get(), reference.get()})
        plugin->start(48000.0f, 64);
    float left[64], right[64], referenceLeft[64], referenceRight[64];
    float* outputs[] = {left, right};
    float* referenceOutputs[] = {referenceLeft, referenceRight};

    const CPoint pad = rig.centreOf(kTapPadTag);
    EXPECT_EQ(rig.press(pad), kMouseEventHandled);
    EXPECT_TRUE(dynamic_cast<CTapButton*>(rig.control(kTapPadTag))->isPressed());
    rig.release(pad); // the release leaves the note held
    rig.plugin->processReplacing(outputs, 64);
    reference->sendMidi({{0, {0x90, 31, 100}}});
    reference->processReplacing(referenceOutputs, 64);
    EXPECT_TRUE(std::equal(left, left + 64, referenceLeft));
    EXPECT_NE(left[1], 0.0f);

    rig.move(CPoint(pad.x + 1, pad.y)); // the first movement lets go
    EXPECT_FALSE(dynamic_cast<CTapButton*>(rig.control(kTapPadTag))->isPressed());
    rig.plugin->processReplacing(outputs, 64);
    reference->sendMidi({{0, {0x80, 31, 0}}});
    reference->processReplacing(referenceOutputs, 64);
    EXPECT_TRUE(std::equal(left, left + 64, referenceLeft));
}

TEST_F(EditorTest, ModelBoxesAreHalfOpenAndTheGapsChangeNothing)
{
    const struct {
        CPoint at;
        int32_t model; // -1: unchanged
    } clicks[] = {
        {{400, 225}, 0}, {{460, 235}, 5}, {{375, 231}, 1},  {{452, 225}, -1}, // left of box 4
        {{438, 225}, -1}, {{376, 267}, -1}, {{515, 260}, 7}, {{516, 260}, -1},
    };
    for (const auto& click : clicks) {
        SCOPED_TRACE(testing::Message() << click.at.x << ", " << click.at.y);
        rig.setParameter(kModel, 3.0f / 7.0f);
        rig.idle();
        rig.host.clearCalls();
        rig.press(click.at);
        const float expected = click.model < 0 ? 3.0f / 7.0f : float(click.model) / 7.0f;
        EXPECT_EQ(rig.parameter(kModel), expected);
        EXPECT_EQ(rig.host.callsWith(audioMasterAutomate).size(), click.model < 0 ? 0u : 1u);
    }
}

TEST_F(EditorTest, ARightClickOpensTheSizeMenuOnlyWhereNoControlTakesIt)
{
    const struct {
        CPoint at;
        bool menu;
    } clicks[] = {
        {rig.centreOf(kPitchCoarse), false},
        {rig.centreOf(kTapPadTag), false},
        {kBackground, true},
        {CPoint(400, 225), true}, // a model box
    };
    for (const auto& click : clicks) {
        rig.presenter.shownTitles.clear();
        rig.press(click.at, kRButton);
        rig.release(click.at, kRButton);
        EXPECT_EQ(!rig.presenter.shownTitles.empty(), click.menu) << click.at.x << ", " << click.at.y;
    }
    EXPECT_EQ(rig.presenter.shownTitles.back(), (std::vector<std::string>{"Default", "Large", "Huge", "-"}));
    EXPECT_EQ(rig.press(kBackground, kLButton), kMouseEventNotHandled);
}

} // namespace
} // namespace editortest
