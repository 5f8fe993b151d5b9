#include "EditorRig.h"

#include "controls/QelCParamDisplay.h"
#include "editor/KnobValueText.h"
#include "engine/Zarn.h"

#include <functional>
#include <limits>

namespace editortest {

// The time asked for, one begin, the automations, one end.
Calls edit(int32_t index, int automations)
{
    Calls calls(size_t(automations) + 3, {0, index, 0});
    calls[0] = {7, 0, 0}, std::get<0>(calls[1]) = 43, std::get<0>(calls.back()) = 44;
    return calls;
}

// The texts read, besides the value, whether the MIDI switch fixes the pitch (key) and the hold
// time (sustain); Pitch-Start's reads the pitch factor 1.0 and the start offset 400 Hz.
TEST(KnobValueText, EachParameterInItsUnit)
{
    const std::tuple<int32_t, float, bool, float, const char*> rows[] = {
        {kPitchCoarse, 0.0f, false, 0, "-12.0"},  {kPitchCoarse, 0.5f, false, 0, "0.0"},
        {kPitchCoarse, 1.0f, false, 0, "+12.0"},  {kPitchCoarse, 0.0f, true, 0, "25.00 Hz"},
        {kPitchCoarse, 0.5f, true, 0, "50.00 Hz"}, {kPitchFine, 0.25f, false, 0, "-50 ct"},
        {kPitchFine, 0.5f, false, 0, "0 ct"},      {kPitchFine, 0.75f, false, 0, "+50 ct"},
        {kPitchDecay, 0.5f, false, 0, "10.0 ms"},  {kAmpDecay, 1.0f, false, 0, "2000 ms"},
        {kTimbreDecay, 0.0f, false, 0, "2 ms"},    {kTimbreDecay, 0.5f, false, 0, "25 ms"},
        {kLfoRate, 0.5f, false, 0, "10.0 Hz"},     {kAmpSustain, 0.9f, false, 0, "Legato"},
        {kAmpSustain, 0.9f, true, 0, "0.0 ms"},    {kAmpSustain, 0.1f, false, 0.4f, "400.0 ms"},
        {kPitchStart, 0.5f, true, 0, "450 Hz"},    {kPitchStart, 0.5f, false, 0, "50 %"},
        {kPitchCurve, 0.0f, false, 0, "-100.0 %"}, {kMidi, std::numeric_limits<float>::quiet_NaN(), false, 0, "Off"},
        {kVolume, 0.25f, false, 0, "25 %"},
    };
    Zarn engine;
    engine.coarseFactor = 1.0;
    engine.pitchStartHz = 400.0;
    for (const auto& [tag, v, key, sustain, expected] : rows) {
        engine.fixedPitch = key ? 1 : 0;
        engine.sustainTime = sustain;
        char text[256];
        formatKnobValueText(text, sizeof text, tag, v, engine);
        EXPECT_STREQ(text, expected) << "tag " << tag << " at " << v;
    }
}

TEST(Editor, EveryUserEditActsBetweenOneBeginAndOneEnd)
{
    EditorRig rig;
    ASSERT_TRUE(rig.open());
    rig.plugin->start(48000.0f, 64);
    QelCParamDisplay* popup = rig.editor->getValueDisplay();
    const CRect knob = rig.control(kAmpDecay)->getViewSize();
    const CPoint centre = knob.getCenter(), up(centre.x, centre.y - 100), pad = rig.centreOf(kTapPadTag);
    // After a gesture: the host calls, Amp-Decay, the pop-up, and the keys down in the next block.
    const auto outcome = [&] {
        float left[64], right[64];
        float* outputs[] = {left, right};
        rig.plugin->processReplacing(outputs, 64);
        const auto& keys = rig.synth->getEngine().keyDown;
        return std::tuple(rig.edits(), rig.parameter(kAmpDecay), popup->isAttached(),
                          std::count(keys.begin(), keys.end(), 1), keys[31]);
    };
    // Every gesture on a thread of the host's own, as Ardour drives the editor.
    for (const int32_t buttons : {int32_t(kLButton), kLButton | kShift}) { // Shift: a quarter as far
        rig.set(kAmpDecay, 0.0f);
        std::tuple<std::string, std::string, CCoord> shown;
        rig.onHostThread([&] {
            rig.press(centre, buttons);
            const std::string pressed = popup->popupText;
            rig.move(up, buttons), rig.backEnd->wheel(centre, -1.0f); // a wheel step within the drag: no second begin
            rig.move(CPoint(centre.x, centre.y - 200), buttons);
            shown = {pressed, popup->popupText, popup->getViewSize().top};
            rig.release(centre);
        });
        EXPECT_EQ(shown, std::tuple("12 ms", buttons & kShift ? "43 ms" : "2000 ms", knob.bottom + 5)); // below the knob
        EXPECT_EQ(outcome(), std::tuple(edit(7, 3), buttons & kShift ? 0.25f : 1.0f, false, 0, 0));
    }
    // A gesture; then the host calls, Amp-Decay, and whether note 31 alone is held.
    const std::tuple<std::function<void()>, Calls, float, int> gestures[] = {
        {[&] { rig.press(centre, kLButton | kControl | kShift); }, {{7, 0, 0}, {43, 7, 0}}, 0.25f, 0}, // a drag, no pop-up
        {[&] { rig.press(centre, kLButton | kControl); }, edit(7, 1), 0.5f, 0},                       // the reset
        {[&] { rig.backEnd->wheel(centre, 1.0f); }, edit(7, 1), 0.51f, 0},
        {[&] { rig.press(CPoint(560, 138)); }, edit(16, 1), 0.51f, 0}, // Lfo-Free
        {[&] { rig.press(CPoint(460, 235)); }, edit(19, 1), 0.51f, 0}, // model 5
        {[&] { rig.press(pad), rig.release(pad); }, {}, 0.51f, 1},    // the tap pad holds its note...
        {[&] { rig.move(pad), rig.press(rig.centreOf(kSplashTag)), rig.press(rig.centreOf(kSplashTag)); }, {}, 0.51f, 0},
        {[&] { rig.press(centre), rig.move(up), rig.editor->getFrame()->onMouseCancel(); }, edit(7, 2), 0.51f, 0},
    };
    for (const auto& row : gestures) {
        const auto& [gesture, calls, ampDecay, held] = row;
        rig.onHostThread(gesture);
        EXPECT_EQ(outcome(), std::tuple(calls, ampDecay, false, held, held)) << &row - gestures;
        rig.onHostThread([&] { rig.release(centre); }), rig.edits();
    }

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
        rig.set(kAmpDecay, 0.5f);
        ASSERT_TRUE(rig.open()); // closes first if open
        rig.presenter.choices = {1};
        rig.press(kBackground, kRButton);
        rig.onHostThread([&] { rig.press(centre), rig.move(up); });
        interrupt();
        EXPECT_EQ(rig.edits(), edit(7, 1)) << &interrupt - interruptions;
    }
}

TEST(Editor, TheLedsShowTheEnginesModelAndASwitchAtItsMaximumAlone)
{
    EditorRig rig;
    rig.plugin->dispatch(effSetProgram, 0, 7);
    ASSERT_TRUE(rig.open()); // at the current program
    EXPECT_EQ(litModel(rig.pixels()), 6);
    const int32_t factoryModels[] = {0, 7, 1, 4, 5, 0, 0, 6, 3};
    for (int32_t program = 0; program < 64; ++program) {
        rig.plugin->dispatch(effSetProgram, 0, program);
        rig.idle();
        EXPECT_EQ(litModel(rig.pixels()), program < 9 ? factoryModels[program] : rig.synth->getEngine().model) << program;
    }
    // The model boxes are half-open: their right and bottom edges and the gaps select nothing.
    const std::pair<CPoint, int32_t> clicks[] = {{{400, 225}, 0}, {{375, 231}, 1}, {{452, 225}, 3}, {{438, 225}, 3},
                                                 {{376, 267}, 3}, {{515, 260}, 7}, {{516, 260}, 3}};
    for (const auto& [at, model] : clicks) {
        rig.set(kModel, 3.0f / 7.0f);
        rig.press(at);
        EXPECT_EQ(rig.parameter(kModel), float(model) / 7.0f) << at.x;
    }
    rig.set(kModel, 0.5f);
    std::vector<int32_t> shown{litModel(rig.pixels())}; // then Lfo-Free's LED at 0, 0.7 and 1
    for (float value : {0.0f, 0.7f, 1.0f}) {
        rig.set(kLfoFree, value);
        shown.push_back(brightness(rig.pixels(), 555, 138));
    }
    for (int32_t index : {22, 23, -1, 100}) // no parameters: the tap pad and the logo do not move
        rig.editor->setParameter(index, 0.75f);
    rig.idle();
    shown.push_back(int32_t(rig.control(kTapPadTag)->getValue() + rig.control(kSplashTag)->getValue()));
    EXPECT_EQ(std::tuple(shown[0], shown[2] == shown[1], shown[3] > shown[1], shown[4]), std::tuple(3, true, true, 0));
}

TEST(EditorSize, ARightClickWhereNoControlTakesItChoosesTheSizeForTheNextIdle)
{
    const int64_t objects = ReferenceCounted::liveObjectCount();
    {
        EditorRig rig(3); // a size stored by something else: none
        ASSERT_TRUE(rig.open());
        ASSERT_TRUE(rig.open()); // a second open replaces the first frame
        // A right click on a knob or the tap pad opens no menu, on the panel or a model box it does.
        // Pitch-Coarse covers 72 to 113 by 69 to 110: its right and bottom edges are the panel's.
        for (const CPoint& at : {rig.centreOf(kPitchCoarse), CPoint(113, 110), rig.centreOf(kTapPadTag), kBackground,
                                 CPoint(400, 225), CPoint(114, 90), CPoint(90, 111)}) {
            rig.press(at, kRButton);
            rig.release(at, kRButton);
        }
        EXPECT_EQ(rig.presenter.shownTitles, (std::vector<std::vector<std::string>>(4, {"Default", "Large", "Huge", "-"})));
        rig.presenter.choices = {0}; // the size shown: nothing to do
        rig.press(kBackground, kRButton);
        EXPECT_EQ(std::pair(rig.press(kBackground), rig.editor->isResizePending()), std::pair(kMouseEventNotHandled, false));

        rig.presenter.choices = {1};
        const CMouseEventResult chosen = rig.press(kBackground, kRButton);
        ERect* rect = nullptr;
        rig.plugin->dispatch(effEditGetRect, 0, 0, &rect);
        const auto beforeIdle = std::tuple(chosen, rect->right, rect->bottom);
        rig.heard({});
        EditorRig::sleeps.clear();
        rig.idle(); // one size request before the rebuild, one by it
        EXPECT_EQ(std::tuple(beforeIdle, rect->right, rect->bottom, EditorRig::sleeps, rig.heard({15})),
                  std::tuple(std::tuple(kMouseDownEventHandledButDontNeedMovedOrUpEvents, 717, 300), 956, 400,
                             std::vector<uint32_t>{200}, Calls(2, {15, 956, 400})));
        std::vector<bool> checked; // the menu's check mark: on the current size alone
        rig.presenter.whileOpen = [&](COptionMenu& menu) {
            checked = {menu.getEntry(0)->isChecked(), menu.getEntry(1)->isChecked(), menu.getEntry(2)->isChecked()};
        };
        rig.press(kBackground, kRButton);
        EXPECT_EQ(std::tuple(rig.control(kSplashTag)->getViewSize(), rig.editor->getLayout().fontSize, checked),
                  std::tuple(CRect(76, 272, 300, 360), 13.0, std::vector<bool>{false, true, false}));

        // Another instance opens at the stored size; each editor hit-tests with its own layout.
        EditorRig huge(2);
        ASSERT_TRUE(huge.open());
        huge.press(CPoint(920, 470));
        rig.press(CPoint(613, 313));
        EXPECT_EQ(std::tuple(huge.control(kPitchCoarse)->getViewSize(), huge.parameter(kModel), rig.parameter(kModel)),
                  std::tuple(CRect(144, 138, 228, 222), 5.0f / 7.0f, 5.0f / 7.0f));

        // The host closes the editor, or the whole plug-in, while the size menu waits for the user;
        // the choice made meanwhile is stored for the next open.
        rig.presenter.choices = {0};
        rig.presenter.whileOpen = [&](COptionMenu&) { rig.plugin->dispatch(effEditClose); };
        huge.presenter.whileOpen = [&](COptionMenu&) { huge.plugin->close(); };
        rig.press(kBackground, kRButton);
        huge.press(kBackground, kRButton);
        ASSERT_TRUE(rig.open());
        EXPECT_EQ(rig.editor->getUISizeIndex(), 0);
    }
    EXPECT_EQ(ReferenceCounted::liveObjectCount(), objects);
}

} // namespace editortest
