// Builds a frame holding every control type with generated pictures, drives it through the
// offscreen back end as a user would, checks values, reports and pixels, and writes a snapshot.

#include "TestSupport.h"

#include "vstgui/CAnimKnob.h"
#include "vstgui/CFrame.h"
#include "vstgui/COffscreenContext.h"
#include "vstgui/COnOffButton.h"
#include "vstgui/CSplashScreen.h"
#include "vstgui/CTextEdit.h"
#include "vstgui/CVSTGUITimer.h"
#include "vstgui/OffscreenPlatformFrame.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

using namespace VSTGUI;
using testsupport::RecordingListener;

namespace {

constexpr int32_t kBackgroundId = 9101;
constexpr int32_t kKnobStripId = 9102;
constexpr int32_t kLedId = 9103;
constexpr int32_t kAboutId = 9104;
constexpr int32_t kFrames = 63;
constexpr int32_t kKnobSize = 40;
const CColor kPopupBack(245, 255, 100, 230);
const CColor kLedOff(90, 20, 20, 255);
const CColor kLedOn(40, 255, 60, 255);
const CColor kAboutColour(240, 200, 40, 255);

// A picture drawn with the toolkit itself, registered as a PNG resource.
void registerDrawn(int32_t id, CCoord w, CCoord h, const std::function<void(CDrawContext&)>& paint)
{
    auto context = COffscreenContext::create(nullptr, w, h);
    paint(*context);
    testsupport::registerPng(id, *context->getBitmap()->getPlatformBitmap());
}

// Frame f of the strip: a dark disc with an orange pointer at its angle, and a marker block in
// the top-left corner whose red byte is 4 f, so that tests can tell which frame is shown.
CColor knobPixel(int32_t x, int32_t yInStrip)
{
    const int32_t frame = yInStrip / kKnobSize;
    const int32_t y = yInStrip % kKnobSize;
    if (x < 3 && y < 3)
        return CColor(uint8_t(4 * frame), 0, 255, 255);
    const double dx = x + 0.5 - kKnobSize / 2.0;
    const double dy = kKnobSize / 2.0 - (y + 0.5);
    const double radius = std::hypot(dx, dy);
    if (radius > 18)
        return kTransparentCColor;
    const double angle = 1.25 * std::numbers::pi - 1.5 * std::numbers::pi * frame / (kFrames - 1);
    const double along = dx * std::cos(angle) + dy * std::sin(angle);
    const double across = std::fabs(-dx * std::sin(angle) + dy * std::cos(angle));
    if (along > 4 && across < 2)
        return CColor(255, 140, 20, 255);
    return radius > 16 ? CColor(150, 150, 160, 255) : CColor(60, 60, 70, 255);
}

void registerPictures()
{
    registerDrawn(kBackgroundId, 480, 240, [](CDrawContext& c) {
        for (int32_t y = 0; y < 240; y += 4) {
            c.setFillColor(CColor(20, uint8_t(30 + y / 8), uint8_t(50 + y / 6), 255));
            c.drawRect(CRect(0, y, 480, y + 4), kDrawFilled);
        }
        c.setFrameColor(CColor(90, 110, 140, 255));
        for (int32_t x = 0; x < 480; x += 40)
            c.drawRect(CRect(x, 0, x + 41, 241), kDrawStroked);
        c.setFont(kSystemFont, 14);
        c.setFontColor(CColor(220, 230, 255, 255));
        c.drawString("TOOLKIT GALLERY", CRect(0, 200, 480, 230), kCenterText);
    });
    testsupport::registerPng(kKnobStripId, *testsupport::makeBitmap(kKnobSize, kKnobSize * kFrames, knobPixel));
    testsupport::registerPng(kLedId, *testsupport::makeBitmap(12, 24, [](int32_t x, int32_t y) {
        const bool rim = x == 0 || x == 11 || y % 12 == 0 || y % 12 == 11;
        return rim ? CColor(20, 20, 20, 255) : (y < 12 ? kLedOff : kLedOn);
    }));
    testsupport::registerPng(kAboutId, *testsupport::makeBitmap(480, 240, [](int32_t, int32_t) { return kAboutColour; }));
}

SharedPointer<CBitmap> resource(int32_t id)
{
    auto bitmap = makeOwned<CBitmap>(CResourceDescription(id));
    EXPECT_NE(bitmap->getPlatformBitmap(), nullptr) << id;
    return bitmap;
}

// Toggles an LED at every timer tick.
struct Heartbeat : CBaseObject {
    explicit Heartbeat(CControl* led) : led(led) {}
    CMessageResult notify(CBaseObject*, IdStringPtr) override
    {
        led->setValue(led->getValue() == 0.f ? 1.f : 0.f);
        return kMessageNotified;
    }
    CControl* led;
};

struct Gallery : testsupport::OffscreenRig {
    Gallery() : OffscreenRig(480, 240)
    {
        static const bool registered = (registerPictures(), true);
        (void)registered;
        frame->setBackground(resource(kBackgroundId));
        auto strip = resource(kKnobStripId);
        auto led = resource(kLedId);
        for (int32_t i = 0; i < 3; ++i) {
            knobs[i] = new CAnimKnob(CRect(40 + 80 * i, 40, 80 + 80 * i, 80), &listener, i, kFrames, kKnobSize, strip);
            knobs[i]->setValue(0.25f * float(i + 1));
            frame->addView(knobs[i]);
        }
        toggle = new COnOffButton(CRect(300, 50, 312, 62), &listener, 16, led);
        frame->addView(toggle);
        auto* heartbeatLed = new COnOffButton(CRect(340, 50, 352, 62), nullptr, 40, led);
        frame->addView(heartbeatLed);
        frame->addView(new CSplashScreen(CRect(380, 40, 460, 80), &listener, 23, resource(kAboutId), CRect(0, 0, 480, 240)));
        auto* valueDisplay = new CParamDisplay(CRect(40, 130, 120, 150));
        valueDisplay->setBackColor(CColor(10, 10, 10, 255));
        valueDisplay->setFrameColor(CColor(200, 200, 200, 255));
        valueDisplay->setValue(0.5f);
        frame->addView(valueDisplay);
        auto* textEdit = new CTextEdit(CRect(160, 130, 280, 150), &listener, 30, "Zarn Pro");
        textEdit->setBackColor(CColor(30, 30, 60, 255));
        frame->addView(textEdit);
        heartbeat = makeOwned<Heartbeat>(heartbeatLed);
        timer = makeOwned<CVSTGUITimer>(heartbeat.get(), 200, true);
        frame->idle();
    }
    ~Gallery() { timer->stop(); }

    // The value box below knob 0, as the editor's knobs show one while they are dragged.
    CParamDisplay* showValueBox()
    {
        auto* box = new CParamDisplay(CRect(20, 85, 100, 107));
        box->setBackColor(kPopupBack);
        box->setFrameColor(kBlackCColor);
        box->setFontColor(kBlackCColor);
        box->setValue(knobs[0]->getValue());
        frame->addView(box);
        return box;
    }
    int32_t knobFrameShown(int32_t i) const
    {
        const CRect& size = knobs[i]->getViewSize();
        return backEnd->getPixel(int32_t(size.left) + 1, int32_t(size.top) + 1).red / 4;
    }
    // Pixels inside area whose colour is far from the fill (text strokes).
    int inkPixels(const CRect& area, const CColor& fill) const
    {
        int count = 0;
        for (int32_t y = int32_t(area.top) + 2; y < int32_t(area.bottom) - 2; ++y)
            for (int32_t x = int32_t(area.left) + 2; x < int32_t(area.right) - 2; ++x) {
                const CColor c = backEnd->getPixel(x, y);
                count += std::abs(c.red - fill.red) + std::abs(c.green - fill.green) + std::abs(c.blue - fill.blue) > 150;
            }
        return count;
    }

    CAnimKnob* knobs[3];
    COnOffButton* toggle;
    SharedPointer<Heartbeat> heartbeat;
    SharedPointer<CVSTGUITimer> timer;
};

} // namespace

TEST(Gallery, DrivesEveryControlAndWritesASnapshot)
{
    Gallery g;
    // Knob frames follow the values: floor(v x 62).
    EXPECT_EQ((std::vector<int32_t>{g.knobFrameShown(0), g.knobFrameShown(1), g.knobFrameShown(2)}),
              (std::vector<int32_t>{15, 31, 46}));
    EXPECT_GT(g.inkPixels(CRect(40, 130, 120, 150), CColor(10, 10, 10, 255)), 20); // "0.50"

    // Drag knob 0 up by 62 pixels: +0.31, with the value box shown for the snapshot.
    EXPECT_EQ(g.backEnd->mouseDown(CPoint(60, 60), kLButton), kMouseEventHandled);
    EXPECT_EQ(g.backEnd->mouseMoved(CPoint(60, -2), kLButton), kMouseEventHandled);
    CParamDisplay* box = g.showValueBox();
    g.frame->idle();
    EXPECT_NEAR(g.knobs[0]->getValue(), 0.56f, 1e-5);
    EXPECT_EQ(g.knobFrameShown(0), 34);
    const CColor boxBack = g.backEnd->getPixel(24, 88);
    EXPECT_TRUE(boxBack.red > 200 && boxBack.green > 200 && boxBack.blue < 140);
    EXPECT_GT(g.inkPixels(box->getViewSize(), boxBack), 20); // "0.56"
    ASSERT_TRUE(g.backEnd->writePng(testsupport::outputPath("vstgui_gallery.png")));
    EXPECT_EQ(g.backEnd->mouseUp(CPoint(60, -2), kLButton), kMouseEventHandled);
    g.frame->removeView(box);

    // The switch toggles on a left press and shows its maximum only as on; a right press
    // falls through to the editor.
    EXPECT_EQ(g.backEnd->getPixel(305, 55), kLedOff);
    EXPECT_EQ(g.backEnd->mouseDown(CPoint(305, 55), kLButton), kMouseDownEventHandledButDontNeedMovedOrUpEvents);
    g.frame->idle();
    EXPECT_EQ(g.backEnd->getPixel(305, 55), kLedOn);
    EXPECT_EQ(g.backEnd->mouseDown(CPoint(305, 55), kRButton), kMouseEventNotHandled);
    EXPECT_EQ(g.editor.unhandledDowns.size(), 1u);
    EXPECT_EQ(g.toggle->getValue(), 1.f);
    g.backEnd->mouseDown(CPoint(305, 55), kLButton);
    EXPECT_EQ(g.toggle->getValue(), 0.f);
    g.toggle->setValue(0.7f);
    g.frame->idle();
    EXPECT_EQ(g.backEnd->getPixel(305, 55), kLedOff);

    // Timer ticks blink the heartbeat LED.
    EXPECT_EQ(g.backEnd->getPixel(345, 55), kLedOff);
    g.backEnd->advanceTime(200);
    g.frame->idle();
    EXPECT_EQ(g.backEnd->getPixel(345, 55), kLedOn);
    g.backEnd->advanceTime(200);
    g.frame->idle();
    EXPECT_EQ(g.backEnd->getPixel(345, 55), kLedOff);

    // The splash screen opens on a left press only and takes every press until the next click.
    g.backEnd->mouseDown(CPoint(400, 60), kRButton);
    EXPECT_EQ(g.frame->getModalView(), nullptr);
    EXPECT_EQ(g.backEnd->mouseDown(CPoint(400, 60), kLButton), kMouseDownEventHandledButDontNeedMovedOrUpEvents);
    g.frame->idle();
    EXPECT_EQ(g.backEnd->getPixel(60, 60), kAboutColour);
    EXPECT_EQ(g.backEnd->mouseDown(CPoint(10, 200), kRButton), kMouseEventNotHandled);
    EXPECT_EQ(g.editor.unhandledDowns.size(), 2u); // not the editor's
    EXPECT_EQ(g.backEnd->mouseDown(CPoint(60, 60), kLButton), kMouseDownEventHandledButDontNeedMovedOrUpEvents);
    EXPECT_NEAR(g.knobs[0]->getValue(), 0.56f, 1e-5); // the knob under the click was not pressed
    g.frame->idle();
    EXPECT_EQ(g.knobFrameShown(0), 34);

    // What the listener heard, in order.
    std::vector<int32_t> tags;
    for (const auto& call : g.listener.calls)
        tags.push_back(call.tag);
    EXPECT_EQ(tags, (std::vector<int32_t>{0, 16, 16, 23, 23}));
    EXPECT_EQ(g.listener.calls.at(3).value, 1.f); // the splash screen shown
    EXPECT_EQ(g.listener.calls.at(4).value, 0.f); // and hidden
    EXPECT_EQ(g.listener.begins, g.listener.ends);
}

// Closing a frame mid-drag with a splash screen up returns every reference (the rig counts them).
TEST(Gallery, ClosingMidDragWithTheSplashScreenUpLeavesNothingBehind)
{
    Gallery g;
    g.backEnd->mouseDown(CPoint(60, 60), kLButton);
    g.backEnd->mouseMoved(CPoint(60, 50), kLButton);
    g.showValueBox();
    g.backEnd->mouseDown(CPoint(400, 60), kLButton);
    g.frame->idle();
}
