// The bitmap font against the toolkit's own stb_truetype text on a knob's 9-character value
// text at 12 and 20 pixels: measuring, and drawing uncached (every call renders afresh) and
// cached (the font keeps the drawn bitmap).

#include "support/BitmapFont.h"
#include "tools/font-gen/FontImage.h"
#include "vstgui/CBitmap.h"
#include "vstgui/COffscreenContext.h"

#include <benchmark/benchmark.h>

namespace {

constexpr char kValueText[] = "440.00 Hz";
const VSTGUI::CColor kInk(20, 20, 20);

struct FontAtSize {
    explicit FontAtSize(int32_t size) : image(FontImage::render(FontImage::kNativeHeight))
    {
        font.setImage(&image, size);
    }
    VSTGUI::CBitmap image;
    BitmapFont font;
};

void bitmapFontMeasure(benchmark::State& state)
{
    FontAtSize f(int32_t(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(f.font.getStringWidth(kValueText, nullptr));
}
BENCHMARK(bitmapFontMeasure)->Arg(12)->Arg(20);

// range(1): 1 with the string cache.
void bitmapFontDraw(benchmark::State& state)
{
    FontAtSize f(int32_t(state.range(0)));
    f.font.useStringCache = state.range(1) != 0;
    auto context = VSTGUI::COffscreenContext::create(nullptr, 120, 40);
    for (auto _ : state) {
        VSTGUI::CRect rect(0, 0, 120, 40);
        f.font.drawString(kValueText, context, rect, &kInk, 1, 1.f, false, false);
    }
}
BENCHMARK(bitmapFontDraw)->Args({12, 0})->Args({20, 0})->Args({12, 1})->Args({20, 1})->Unit(benchmark::kMicrosecond);

void toolkitTextMeasure(benchmark::State& state)
{
    VSTGUI::CFontDesc font("Arial", double(state.range(0)));
    auto context = VSTGUI::COffscreenContext::create(nullptr, 120, 40);
    context->setFont(&font);
    for (auto _ : state)
        benchmark::DoNotOptimize(context->getStringWidth(kValueText));
}
BENCHMARK(toolkitTextMeasure)->Arg(12)->Arg(20);

void toolkitTextDraw(benchmark::State& state)
{
    VSTGUI::CFontDesc font("Arial", double(state.range(0)));
    auto context = VSTGUI::COffscreenContext::create(nullptr, 120, 40);
    context->setFont(&font);
    context->setFontColor(kInk);
    for (auto _ : state)
        context->drawString(kValueText, VSTGUI::CRect(0, 0, 120, 40), VSTGUI::kCenterText, true);
}
BENCHMARK(toolkitTextDraw)->Arg(12)->Arg(20)->Unit(benchmark::kMicrosecond);

} // namespace
