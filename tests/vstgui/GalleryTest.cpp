// A frame holding the drawn controls, driven through the offscreen back end, checked at literal
// pixels, and written as a PNG for people to look at.

#include "TestSupport.h"

#include "vstgui/CAnimKnob.h"
#include "vstgui/COnOffButton.h"
#include "vstgui/CSplashScreen.h"

using namespace VSTGUI;
using testsupport::makeBitmap;

namespace {

const CColor kBack(20, 40, 80, 255);
const CColor kLedOff(90, 20, 20, 255);
const CColor kLedOn(40, 255, 60, 255);
const CColor kAbout(240, 200, 40, 255);

struct Gallery : testsupport::OffscreenRig {
    Gallery() : OffscreenRig(480, 240)
    {
        frame->setBackground(makeBitmap(480, 240, [](int32_t, int32_t) { return kBack; }));
        // 63 frames of 40 x 40; frame f has red 4 f.
        auto strip = makeBitmap(40, 40 * 63, [](int32_t, int32_t y) { return CColor(uint8_t(4 * (y / 40)), 0, 255, 255); });
        knob = new CAnimKnob(CRect(40, 40, 80, 80), &listener, 0, 63, 40, strip);
        knob->setValue(0.25f);
        frame->addView(knob);
        // Two states of 12 x 12 stacked: off above, on below.
        auto led = makeBitmap(12, 24, [](int32_t, int32_t y) { return y < 12 ? kLedOff : kLedOn; });
        toggle = new COnOffButton(CRect(300, 50, 312, 62), &listener, 16, led);
        frame->addView(toggle);
        // The picture shows over (0, 0, 240, 120) only.
        auto about = makeBitmap(480, 240, [](int32_t, int32_t) { return kAbout; });
        frame->addView(new CSplashScreen(CRect(380, 40, 460, 80), &listener, 23, about, CRect(0, 0, 240, 120)));
        frame->idle();
    }
    int32_t knobFrameShown() const { return backEnd->getPixel(45, 45).red / 4; }

    CAnimKnob* knob;
    COnOffButton* toggle;
};

} // namespace

TEST(Gallery, ControlsDrawTheirStateAndReportTheirClicks)
{
    Gallery g;
    // Knob frames: floor(value x 62). 0.25 x 62 = 15.5 shows frame 15; 0.56 x 62 = 34.72 shows
    // frame 34, and only the knob's own 40 x 40 of the strip.
    EXPECT_EQ(g.knobFrameShown(), 15);
    g.knob->setValue(0.56f);
    g.frame->idle();
    EXPECT_EQ(std::pair(g.knobFrameShown(), g.backEnd->getPixel(45, 85)), std::pair(34, kBack));
    ASSERT_TRUE(g.backEnd->writePng(testsupport::outputPath("vstgui_gallery.png")));

    // The switch flips between min and max on a left press, reports it, and shows the lower
    // half only at its maximum; a right press falls through to the editor.
    EXPECT_EQ(g.backEnd->getPixel(305, 55), kLedOff);
    EXPECT_EQ(g.backEnd->mouseDown(CPoint(305, 55), 2), 3);
    g.frame->idle();
    EXPECT_EQ(std::pair(g.toggle->getValue(), g.backEnd->getPixel(300, 50)), std::pair(1.f, kLedOn));
    EXPECT_EQ(g.backEnd->mouseDown(CPoint(305, 55), 8), 2);
    EXPECT_EQ(g.editor.unhandledDowns.size(), 1u);
    g.backEnd->mouseDown(CPoint(305, 55), 2);
    g.toggle->setValue(0.7f);
    g.frame->idle();
    EXPECT_EQ(g.backEnd->getPixel(311, 61), kLedOff);

    // The splash screen opens on a left press only, over its own area, and takes every press
    // until the next left click hides it.
    g.backEnd->mouseDown(CPoint(400, 60), 8);
    EXPECT_EQ(g.frame->getModalView(), nullptr);
    EXPECT_EQ(g.backEnd->mouseDown(CPoint(400, 60), 2), 3);
    g.frame->idle();
    EXPECT_EQ((std::vector{g.backEnd->getPixel(60, 60), g.backEnd->getPixel(239, 119), g.backEnd->getPixel(240, 119)}),
              (std::vector{kAbout, kAbout, kBack}));
    EXPECT_EQ(g.backEnd->mouseDown(CPoint(10, 200), 8), 2);
    EXPECT_EQ(g.editor.unhandledDowns.size(), 2u); // not the editor's
    EXPECT_EQ(g.backEnd->mouseDown(CPoint(60, 60), 2), 3);
    EXPECT_EQ(g.knob->getValue(), 0.56f); // the knob under the click was not pressed

    EXPECT_EQ(std::pair(g.listener.calls, g.listener.begins - g.listener.ends),
              std::pair(std::vector<testsupport::RecordingListener::Call>{{16, 1}, {16, 0}, {23, 1}, {23, 0}}, 0));

    // Closed mid-drag with the splash screen up, the frame returns every reference (the rig counts).
    g.backEnd->mouseDown(CPoint(60, 60), 2);
    g.backEnd->mouseMoved(CPoint(60, 50), 2);
    g.backEnd->mouseDown(CPoint(400, 60), 2);
    g.frame->idle();
}
