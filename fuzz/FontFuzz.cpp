// Random font images (decoded pixels with markers sprinkled in, or PNG bytes), layouts, sizes,
// scales, kerning tables and texts: measuring and drawing may never reach outside the font's
// tables, the image, the glyph rectangles or the coverage buffers (the sanitizers watch).

#include "platform/Shell.h"
#include "support/BitmapFont.h"
#include "vstgui/CBitmap.h"
#include "vstgui/COffscreenContext.h"

#include <fuzzer/FuzzedDataProvider.h>
#include <limits>
#include <string>
#include <vector>

namespace {

VSTGUI::SharedPointer<VSTGUI::CBitmap> anyImage(FuzzedDataProvider& input)
{
    if (input.ConsumeBool()) {
        const std::vector<uint8_t> png = input.ConsumeBytes<uint8_t>(input.ConsumeIntegralInRange(0, 2048));
        return VSTGUI::makeOwned<VSTGUI::CBitmap>(VSTGUI::IPlatformBitmap::createFromMemory(png.data(), png.size()));
    }
    VSTGUI::CPoint size(input.ConsumeIntegralInRange(1, 700), input.ConsumeIntegralInRange(1, 40));
    auto pixels = VSTGUI::IPlatformBitmap::create(&size);
    if (!pixels)
        return nullptr;
    uint8_t* p = pixels->getPixels();
    const size_t bytes = size_t(pixels->getPixelWidth()) * size_t(pixels->getPixelHeight()) * 4;
    // Markers every few columns in row 0, then random bytes anywhere.
    const int step = input.ConsumeIntegralInRange(2, 12);
    for (int x = step; x < pixels->getPixelWidth(); x += step)
        p[x * 4] = 255, p[x * 4 + 1] = 0, p[x * 4 + 2] = 255, p[x * 4 + 3] = 255;
    for (int n = input.ConsumeIntegralInRange(0, 64); n > 0; --n)
        p[input.ConsumeIntegralInRange<size_t>(0, bytes - 1)] = input.ConsumeIntegral<uint8_t>();
    return VSTGUI::makeOwned<VSTGUI::CBitmap>(pixels);
}

float anyScale(FuzzedDataProvider& input)
{
    constexpr float kSpecial[] = {std::numeric_limits<float>::quiet_NaN(), std::numeric_limits<float>::infinity(),
                                  1e30f, -3.f, 0.f};
    if (input.ConsumeIntegralInRange(0, 7) == 0)
        return kSpecial[input.ConsumeIntegralInRange<size_t>(0, std::size(kSpecial) - 1)];
    return input.ConsumeFloatingPointInRange(0.05f, 2.f);
}

int discardMessage(HWND, const char*, const char*, UINT)
{
    return 1;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    platform::setMessageBoxSink(discardMessage);
    FuzzedDataProvider input(data, size);
    static auto context = VSTGUI::COffscreenContext::create(nullptr, 160, 60);
    BitmapFont font;
    font.layoutSelector = input.ConsumeIntegralInRange(-1, 3);
    auto image = anyImage(input);
    font.setImage(image, input.ConsumeIntegralInRange(-10, 2000));
    const std::vector<uint8_t> table = input.ConsumeBytes<uint8_t>(input.ConsumeIntegralInRange(0, 64) * 4);
    font.loadKerning(reinterpret_cast<const KerningRecord*>(table.data()), int32_t(table.size() / 4));
    while (input.remaining_bytes() > 0) {
        switch (input.ConsumeIntegralInRange(0, 5)) {
        case 0:
            font.setSize(input.ConsumeIntegral<int32_t>());
            break;
        case 1:
            // Now and then a spacing that takes every width sum beyond 32 bits.
            font.spacing = input.ConsumeIntegralInRange(0, 7) ? input.ConsumeIntegralInRange(-40, 40)
                                                              : input.ConsumeIntegral<int32_t>();
            font.useImage = input.ConsumeIntegralInRange(0, 7) != 0;
            font.useStringCache = input.ConsumeBool();
            break;
        case 2:
            font.scale = anyScale(input);
            break;
        default: {
            const std::string text = input.ConsumeRandomLengthString(300);
            VSTGUI::CRect rect(input.ConsumeFloatingPointInRange(-50.f, 150.f), input.ConsumeFloatingPointInRange(-20.f, 60.f),
                               0, 0);
            rect.right = rect.left + (input.ConsumeBool() ? anyScale(input) * 100 : input.ConsumeIntegralInRange(-5, 200));
            rect.bottom = rect.top + input.ConsumeIntegralInRange(0, 60);
            const VSTGUI::CColor colour(input.ConsumeIntegral<uint8_t>(), input.ConsumeIntegral<uint8_t>(),
                                        input.ConsumeIntegral<uint8_t>());
            const int32_t alignment = input.ConsumeIntegralInRange(-1, 3);
            font.getStringWidth(text.c_str(), context);
            font.getStringWidthDirect(text.c_str(), nullptr);
            font.getLineHeight();
            font.drawString(text.c_str(), context, rect, &colour, alignment, anyScale(input), input.ConsumeBool(),
                            input.ConsumeBool());
            font.drawStringDirect(text.c_str(), context, rect, &colour, alignment);
        }
        }
    }
    return 0;
}
