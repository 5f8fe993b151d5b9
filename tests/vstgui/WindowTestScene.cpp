#include "WindowTestScene.h"

#include "vstgui/CParamDisplay.h"

#include <cstdlib>

namespace testsupport {

const CRect WindowTestScene::kKnobRect(20, 20, 52, 52);
const CRect WindowTestScene::kSwitchRect(80, 30, 100, 50);

namespace {

constexpr int32_t kKnobFrames = 8;

SharedPointer<CBitmap> bitmapOf(const SharedPointer<IPlatformBitmap>& pixels)
{
    return makeOwned<CBitmap>(pixels);
}

} // namespace

CFrame* WindowTestScene::makeFrame(RecordingEditor& editor, IControlListener& listener)
{
    auto* frame = new CFrame(CRect(0, 0, kWidth, kHeight), &editor);
    editor.setFrame(frame);
    auto background = bitmapOf(makeBitmap(int32_t(kWidth), int32_t(kHeight), [](int32_t x, int32_t y) {
        return CColor(uint8_t(x * 255 / int32_t(kWidth)), uint8_t(y * 255 / int32_t(kHeight)), 90, 255);
    }));
    frame->setBackground(background.get());
    // Each knob frame its own colour, half transparent, so blending shows as well.
    auto strip = bitmapOf(makeBitmap(32, 32 * kKnobFrames, [](int32_t x, int32_t y) {
        const int32_t index = y / 32;
        const bool ring = (x - 16) * (x - 16) + (y % 32 - 16) * (y % 32 - 16) < 15 * 15;
        return ring ? CColor(uint8_t(30 * index), 200, uint8_t(255 - 30 * index), 180) : CColor(0, 0, 0, 0);
    }));
    auto* knob = new CAnimKnob(kKnobRect, &listener, kKnobTag, kKnobFrames, 32, strip.get());
    knob->setWheelInc(0.1f);
    frame->addView(knob);
    auto states = bitmapOf(makeBitmap(20, 40, [](int32_t, int32_t y) {
        return y < 20 ? CColor(60, 60, 60, 255) : CColor(250, 220, 0, 255);
    }));
    frame->addView(new COnOffButton(kSwitchRect, &listener, kSwitchTag, states.get()));
    auto* text = new CParamDisplay(CRect(10, 70, 150, 90));
    text->setValue(0.75f);
    text->setBackColor(CColor(20, 20, 40, 255));
    frame->addView(text);
    return frame;
}

CAnimKnob* WindowTestScene::knobOf(CFrame* frame)
{
    return dynamic_cast<CAnimKnob*>(frame->getView(0));
}

COnOffButton* WindowTestScene::switchOf(CFrame* frame)
{
    return dynamic_cast<COnOffButton*>(frame->getView(1));
}

std::vector<uint8_t> offscreenPixelsOfScene()
{
    RecordingEditor editor;
    RecordingListener listener;
    CFrame* frame = WindowTestScene::makeFrame(editor, listener);
    frame->open(nullptr, PlatformType::kOffscreen);
    frame->idle();
    const IPlatformBitmap* pixels = frame->getBackBuffer();
    std::vector<uint8_t> copy(pixels->getPixels(), pixels->getPixels() + size_t(pixels->getBytesPerRow()) * size_t(pixels->getPixelHeight()));
    frame->close();
    return copy;
}

} // namespace testsupport

namespace testsupport {

const char* windowTestSetting()
{
    const char* setting = std::getenv("ZARN_WINDOW_TESTS");
    return setting && *setting ? setting : nullptr;
}

} // namespace testsupport
