// Repaint cost of the toolkit's software renderer at the editor's largest size: a full repaint of
// a 1434 x 600 frame with 24 controls, and the idle pass after one knob changed. Decoding a PNG of
// the largest panel's size, whose data is inflated twice (once bounded by the declared rows).

#include "vstgui/CAnimKnob.h"
#include "vstgui/CFrame.h"
#include "vstgui/COnOffButton.h"
#include "vstgui/CSplashScreen.h"
#include "vstgui/PngCodec.h"

#include <benchmark/benchmark.h>

#include <functional>
#include <memory>

namespace {

using namespace VSTGUI;

SharedPointer<CBitmap> picture(int32_t width, int32_t height, const std::function<uint32_t(int32_t, int32_t)>& bgra)
{
    CPoint size(width, height);
    auto pixels = IPlatformBitmap::create(&size);
    auto access = pixels->lockPixels(true);
    auto* out = reinterpret_cast<uint8_t*>(access->getAddress());
    for (int32_t y = 0; y < height; ++y)
        for (int32_t x = 0; x < width; ++x, out += 4) {
            const uint32_t c = bgra(x, y);
            out[0] = uint8_t(c);
            out[1] = uint8_t(c >> 8);
            out[2] = uint8_t(c >> 16);
            out[3] = uint8_t(c >> 24);
        }
    return makeOwned<CBitmap>(pixels);
}

// A knob frame: an opaque disc in a transparent square, as a knob strip has.
uint32_t knobPixel(int32_t x, int32_t y)
{
    const int32_t dx = x - 42;
    const int32_t dy = y % 84 - 42;
    return dx * dx + dy * dy < 38 * 38 ? 0xFF505864u + uint32_t(y / 84) : 0u;
}

struct HugeEditorFrame {
    HugeEditorFrame() : frame(new CFrame(CRect(0, 0, 1434, 600), nullptr))
    {
        frame->open(nullptr, PlatformType::kOffscreen);
        frame->setBackground(picture(1434, 600, [](int32_t x, int32_t y) { return 0xFF000000u | uint32_t(x ^ y); }));
        auto strip = picture(84, 84 * 63, knobPixel);
        auto led = picture(24, 48, [](int32_t, int32_t y) { return y < 24 ? 0xFF301010u : 0xFF30FF30u; });
        auto tap = picture(252, 132, [](int32_t, int32_t) { return 0xC0806040u; });
        auto about = picture(1434, 600, [](int32_t, int32_t) { return 0xFFE0C020u; });
        for (int32_t i = 0; i < 17; ++i) { // tags 0 to 15 and 21
            auto* knob = new CAnimKnob(CRect(CPoint(144 + 108 * (i % 10), 138 + 126 * (i / 10)), CPoint(84, 84)),
                                       nullptr, i, 63, 84, strip);
            knob->setValue(float(i) / 17.f);
            frame->addView(knob);
            knobs.push_back(knob);
        }
        for (int32_t i = 0; i < 5; ++i) // switches and the model selector
            frame->addView(new COnOffButton(CRect(CPoint(1098, 264 + 36 * i), CPoint(126, 24)), nullptr, 16 + i, led));
        auto* pad = new COnOffButton(CRect(CPoint(1068, 408), CPoint(252, 132)), nullptr, 22, tap);
        pad->setValue(1.f);
        frame->addView(pad);
        frame->addView(new CSplashScreen(CRect(114, 408, 450, 540), nullptr, 23, about, CRect(0, 0, 1434, 600)));
        frame->idle();
    }
    ~HugeEditorFrame() { frame->close(); }

    CFrame* frame;
    std::vector<CAnimKnob*> knobs;
};

void BM_VstguiFullRepaint(benchmark::State& state)
{
    HugeEditorFrame editor;
    for (auto _ : state) {
        editor.frame->invalid();
        editor.frame->idle();
    }
    state.counters["controls"] = double(editor.frame->getNbViews());
}
BENCHMARK(BM_VstguiFullRepaint)->Unit(benchmark::kMillisecond);

void BM_VstguiIdleOneKnob(benchmark::State& state)
{
    HugeEditorFrame editor;
    float value = 0.f;
    for (auto _ : state) {
        value = value > 0.9f ? 0.f : value + 0.05f;
        editor.knobs[3]->setValue(value);
        editor.frame->idle();
    }
}
BENCHMARK(BM_VstguiIdleOneKnob)->Unit(benchmark::kMicrosecond);

void BM_PngDecodeHugePanel(benchmark::State& state)
{
    const auto panel = picture(1434, 600, [](int32_t x, int32_t y) { return 0xFF000000u | uint32_t(x * 3 ^ y * 5); });
    const std::vector<uint8_t> png = PngCodec::encode(*panel->getPlatformBitmap());
    int32_t width = 0, height = 0;
    std::vector<uint8_t> pixels;
    for (auto _ : state)
        benchmark::DoNotOptimize(PngCodec::decode(png.data(), png.size(), width, height, pixels));
    state.counters["png bytes"] = double(png.size());
}
BENCHMARK(BM_PngDecodeHugePanel)->Unit(benchmark::kMillisecond);

} // namespace
