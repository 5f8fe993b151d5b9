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
    registerDrawn(kAboutId, 480, 240, [](CDrawContext& c) {
        c.setFillColor(kAboutColour);
        c.setFrameColor(kBlackCColor);
        c.setLineWidth(4);
        c.drawRect(CRect(0, 0, 480, 240), kDrawFilledAndStroked);
        c.setFont(kSystemFont, 28);
        c.setFontColor(kBlackCColor);
        c.drawString("About the gallery", CRect(0, 80, 480, 160));
    });
}

SharedPointer<CBitmap> resource(int32_t id)
{
    auto bitmap = makeOwned<CBitmap>(CResourceDescription(id));
    EXPECT_NE(bitmap->getPlatformBitmap(), nullptr) << id;
    return bitmap;
}

// A knob that shows a value box below itself while it is dragged, as the editor's knobs do.
struct PopupKnob : CAnimKnob {
    PopupKnob(const CRect& size, IControlListener* listener, int32_t tag, CBitmap* strip, CParamDisplay* popup)
        : CAnimKnob(size, listener, tag, kFrames, kKnobSize, strip), popup(popup)
    {
    }
    CMouseEventResult onMouseDown(CPoint& where, const CButtonState& buttons) override
    {
        const CMouseEventResult result = CAnimKnob::onMouseDown(where, buttons);
        if (result == kMouseEventHandled && getFrame()) {
            const CRect& size = getViewSize();
            popup->setViewSize(CRect(size.left - 20, size.bottom + 5, size.right + 20, size.bottom + 27), false);
            popup->setValue(getValue());
            getFrame()->addView(popup);
            popup->remember(); // the frame's reference; the gallery keeps its own
        }
        return result;
    }
    CMouseEventResult onMouseMoved(CPoint& where, const CButtonState& buttons) override
    {
        const CMouseEventResult result = CAnimKnob::onMouseMoved(where, buttons);
        if (popup->isAttached())
            popup->setValue(getValue());
        return result;
    }
    CMouseEventResult onMouseUp(CPoint& where, const CButtonState& buttons) override
    {
        if (popup->isAttached())
            getFrame()->removeView(popup, true);
        return CAnimKnob::onMouseUp(where, buttons);
    }
    CParamDisplay* popup;
};

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

        popup = new CParamDisplay(CRect(0, 0, 10, 10));
        popup->setBackColor(kPopupBack);
        popup->setFrameColor(kBlackCColor);
        popup->setFontColor(kBlackCColor);
        popup->setFont(kSystemFont);

        auto strip = resource(kKnobStripId);
        auto led = resource(kLedId);
        for (int32_t i = 0; i < 3; ++i) {
            knobs[i] = new PopupKnob(CRect(40 + 80 * i, 40, 80 + 80 * i, 80), &listener, i, strip, popup);
            knobs[i]->setZoomFactor(4.f);
            knobs[i]->setValue(0.25f * float(i + 1));
            frame->addView(knobs[i]);
        }
        toggle = new COnOffButton(CRect(300, 50, 312, 62), &listener, 16, led);
        frame->addView(toggle);
        auto* heartbeatLed = new COnOffButton(CRect(340, 50, 352, 62), nullptr, 40, led);
        frame->addView(heartbeatLed);
        frame->addView(new CSplashScreen(CRect(380, 40, 460, 80), &listener, 23, resource(kAboutId), CRect(0, 0, 480, 240)));
        valueDisplay = new CParamDisplay(CRect(40, 130, 120, 150));
        valueDisplay->setBackColor(CColor(10, 10, 10, 255));
        valueDisplay->setFrameColor(CColor(200, 200, 200, 255));
        valueDisplay->setValue(0.5f);
        frame->addView(valueDisplay);
        textEdit = new CTextEdit(CRect(160, 130, 280, 150), &listener, 30, "Zarn Pro");
        textEdit->setBackColor(CColor(30, 30, 60, 255));
        frame->addView(textEdit);

        heartbeat = makeOwned<Heartbeat>(heartbeatLed);
        timer = makeOwned<CVSTGUITimer>(heartbeat.get(), 200, true);

        editor.downHook = [this](CPoint& where, const CButtonState& buttons) { return sizeMenu(where, buttons); };
        frame->idle();
    }
    ~Gallery()
    {
        timer->stop();
        popup->forget();
    }

    // The editor's right-click menu: added, shown, removed, read, released.
    CMouseEventResult sizeMenu(const CPoint& where, const CButtonState& buttons)
    {
        if (buttons.getButtonState() != kRButton)
            return kMouseEventNotImplemented;
        auto* menu = new COptionMenu(CRect(where.x, where.y, where.x + 100, where.y + 20), &listener, 99999,
                                     nullptr, nullptr, COptionMenu::kCheckStyle);
        menu->setTransparency(true);
        for (const char* title : {"Default", "Large", "Huge"})
            menu->addEntry(title);
        menu->addSeparator(-1);
        frame->addView(menu);
        menu->checkEntryAlone(sizeIndex);
        menu->popup();
        frame->removeView(menu, false);
        const int32_t chosen = menu->getCurrentIndex(true);
        menu->forget();
        if (chosen >= 0 && chosen <= 2)
            sizeIndex = chosen;
        return kMouseDownEventHandledButDontNeedMovedOrUpEvents;
    }

    int32_t knobFrameShown(int32_t i) const
    {
        const CRect& size = knobs[i]->getViewSize();
        return backEnd->getPixel(int32_t(size.left) + 1, int32_t(size.top) + 1).red / 4;
    }
    // Pixels inside area whose colour is far from both given colours (text strokes).
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

    CParamDisplay* popup;
    PopupKnob* knobs[3];
    COnOffButton* toggle;
    CParamDisplay* valueDisplay;
    CTextEdit* textEdit;
    SharedPointer<Heartbeat> heartbeat;
    SharedPointer<CVSTGUITimer> timer;
    int32_t sizeIndex = 0;
};

} // namespace

TEST(Gallery, DrivesEveryControlAndWritesASnapshot)
{
    Gallery g;
    // Knob frames follow the values: floor(v x 62).
    EXPECT_EQ((std::vector<int32_t>{g.knobFrameShown(0), g.knobFrameShown(1), g.knobFrameShown(2)}),
              (std::vector<int32_t>{15, 31, 46}));
    EXPECT_GT(g.inkPixels(g.textEdit->getViewSize(), CColor(30, 30, 60, 255)), 30);
    EXPECT_GT(g.inkPixels(g.valueDisplay->getViewSize(), CColor(10, 10, 10, 255)), 20); // "0.50"

    // Drag knob 0 up by 62 pixels: +0.31. The value box shows below the knob meanwhile.
    EXPECT_EQ(g.backEnd->mouseDown(CPoint(60, 60), kLButton), kMouseEventHandled);
    EXPECT_EQ(g.backEnd->mouseMoved(CPoint(60, -2), kLButton), kMouseEventHandled);
    g.frame->idle();
    EXPECT_NEAR(g.knobs[0]->getValue(), 0.56f, 1e-5);
    EXPECT_EQ(g.knobFrameShown(0), 34);
    const CColor box = g.backEnd->getPixel(24, 88);
    EXPECT_GT(box.red, 200);
    EXPECT_GT(box.green, 200);
    EXPECT_LT(box.blue, 140);
    EXPECT_GT(g.inkPixels(g.popup->getViewSize(), box), 20); // "0.56"
    ASSERT_TRUE(g.backEnd->writePng(testsupport::outputPath("vstgui_gallery.png")));
    EXPECT_EQ(g.backEnd->mouseUp(CPoint(60, -2), kLButton), kMouseEventHandled);
    EXPECT_FALSE(g.popup->isAttached());
    g.frame->idle();
    EXPECT_LT(g.backEnd->getPixel(24, 88).red, 100); // the box is gone

    // With Shift a quarter as far: 80 pixels give +0.1.
    g.backEnd->mouseDown(CPoint(140, 60), kLButton | kShift);
    g.backEnd->mouseMoved(CPoint(140, -20), kLButton | kShift);
    g.backEnd->mouseUp(CPoint(140, -20), kLButton | kShift);
    EXPECT_NEAR(g.knobs[1]->getValue(), 0.6f, 1e-5);

    // Control+click restores the default.
    EXPECT_EQ(g.backEnd->mouseDown(CPoint(220, 60), kLButton | kControl),
              kMouseDownEventHandledButDontNeedMovedOrUpEvents);
    EXPECT_EQ(g.knobs[2]->getValue(), 0.5f);
    EXPECT_FALSE(g.popup->isAttached());
    g.frame->idle();
    EXPECT_EQ(g.knobFrameShown(2), 31);

    // The switch toggles on a left press and shows its maximum only as on; a right press
    // falls through to the editor's menu.
    EXPECT_EQ(g.backEnd->getPixel(305, 55), kLedOff);
    EXPECT_EQ(g.backEnd->mouseDown(CPoint(305, 55), kLButton), kMouseDownEventHandledButDontNeedMovedOrUpEvents);
    g.frame->idle();
    EXPECT_EQ(g.backEnd->getPixel(305, 55), kLedOn);
    g.presenter.choices = {1};
    EXPECT_EQ(g.backEnd->mouseDown(CPoint(305, 55), kRButton), kMouseDownEventHandledButDontNeedMovedOrUpEvents);
    EXPECT_EQ(g.sizeIndex, 1);
    EXPECT_EQ(g.toggle->getValue(), 1.f);
    g.backEnd->mouseDown(CPoint(305, 55), kLButton);
    EXPECT_EQ(g.toggle->getValue(), 0.f);
    g.toggle->setValue(0.7f);
    g.frame->idle();
    EXPECT_EQ(g.backEnd->getPixel(305, 55), kLedOff);

    // Right click on the background: the menu again, this time dismissed.
    EXPECT_EQ(g.backEnd->mouseDown(CPoint(10, 200), kRButton), kMouseDownEventHandledButDontNeedMovedOrUpEvents);
    EXPECT_EQ(g.sizeIndex, 1);
    EXPECT_EQ(g.presenter.shownTitles.size(), 2u);
    EXPECT_EQ(g.frame->getNbViews(), 8); // the menus came and went
    // A left click on the background is nobody's.
    EXPECT_EQ(g.backEnd->mouseDown(CPoint(10, 200), kLButton), kMouseEventNotHandled);
    EXPECT_EQ(g.editor.unhandledDowns.size(), 3u);

    // Timer ticks blink the heartbeat LED.
    EXPECT_EQ(g.backEnd->getPixel(345, 55), kLedOff);
    g.backEnd->advanceTime(200);
    g.frame->idle();
    EXPECT_EQ(g.backEnd->getPixel(345, 55), kLedOn);
    g.backEnd->advanceTime(200);
    g.frame->idle();
    EXPECT_EQ(g.backEnd->getPixel(345, 55), kLedOff);

    // The splash screen opens on a left press only and covers the frame until the next click.
    g.backEnd->mouseDown(CPoint(400, 60), kRButton); // falls through to the editor's menu
    EXPECT_EQ(g.frame->getModalView(), nullptr);
    EXPECT_EQ(g.backEnd->mouseDown(CPoint(400, 60), kLButton), kMouseDownEventHandledButDontNeedMovedOrUpEvents);
    g.frame->idle();
    EXPECT_EQ(g.backEnd->getPixel(60, 60), kAboutColour);
    EXPECT_EQ(g.backEnd->mouseDown(CPoint(10, 200), kRButton), kMouseEventNotHandled); // not the editor's either
    EXPECT_EQ(g.presenter.shownTitles.size(), 3u);
    EXPECT_EQ(g.backEnd->mouseDown(CPoint(60, 60), kLButton), kMouseDownEventHandledButDontNeedMovedOrUpEvents);
    EXPECT_NEAR(g.knobs[0]->getValue(), 0.56f, 1e-5); // the knob under the click was not pressed
    g.frame->idle();
    EXPECT_EQ(g.knobFrameShown(0), 34);

    // Text edit: focus on a click, lost on a click elsewhere.
    EXPECT_EQ(g.backEnd->mouseDown(CPoint(200, 140), kLButton), kMouseDownEventHandledButDontNeedMovedOrUpEvents);
    EXPECT_TRUE(g.textEdit->isPlatformEditOpen());
    EXPECT_EQ(g.frame->getFocusView(), g.textEdit);
    g.backEnd->mouseDown(CPoint(10, 200), kLButton);
    EXPECT_FALSE(g.textEdit->isPlatformEditOpen());
    EXPECT_EQ(g.frame->getFocusView(), nullptr);
    EXPECT_STREQ(g.textEdit->getText(), "Zarn Pro");
    g.textEdit->setText(nullptr);
    EXPECT_STREQ(g.textEdit->getText(), "");

    // What the listener heard, in order.
    std::vector<int32_t> tags;
    for (const auto& call : g.listener.calls)
        tags.push_back(call.tag);
    EXPECT_EQ(tags, (std::vector<int32_t>{0, 1, 2, 16, 99999, 16, 23, 23}));
    EXPECT_EQ(g.listener.calls.at(6).value, 1.f); // the splash screen shown
    EXPECT_EQ(g.listener.calls.at(7).value, 0.f); // and hidden
    EXPECT_EQ(g.listener.begins, g.listener.ends);
}

// Opening and closing a full frame many times returns every reference.
TEST(Gallery, OpenAndCloseManyTimesLeavesNothingBehind)
{
    const int64_t before = ReferenceCounted::liveObjectCount();
    for (int i = 0; i < 30; ++i) {
        Gallery g;
        g.backEnd->mouseDown(CPoint(60, 60), kLButton); // leave a drag and the value box open
        g.backEnd->mouseMoved(CPoint(60, 50), kLButton);
        if (i % 2)
            g.backEnd->mouseDown(CPoint(400, 60), kLButton); // and the splash screen up
        g.frame->idle();
    }
    EXPECT_EQ(ReferenceCounted::liveObjectCount(), before);
}
