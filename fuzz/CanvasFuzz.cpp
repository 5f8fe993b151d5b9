// Random operation sequences with random arguments on canvases of random sizes and factors:
// no argument may read or write outside a buffer (the sanitizers watch every access).

#include "support/RasterCanvas.h"
#include "vstgui/CBitmap.h"

#include <cmath>
#include <fuzzer/FuzzedDataProvider.h>
#include <limits>
#include <vector>

namespace {

// Mostly values around the canvas, sometimes the extremes.
float anyFloat(FuzzedDataProvider& input)
{
    constexpr float kSpecial[] = { std::numeric_limits<float>::quiet_NaN(), std::numeric_limits<float>::infinity(),
        -std::numeric_limits<float>::infinity(), 1e30f, -1e30f, 3e9f, -0.f };
    if (input.ConsumeIntegralInRange(0, 15) == 0)
        return kSpecial[input.ConsumeIntegralInRange<size_t>(0, std::size(kSpecial) - 1)];
    return input.ConsumeFloatingPointInRange(-80.f, 200.f);
}

int32_t anyInt(FuzzedDataProvider& input)
{
    if (input.ConsumeIntegralInRange(0, 15) == 0)
        return input.ConsumeIntegral<int32_t>();
    return input.ConsumeIntegralInRange(-80, 200);
}

// Circles cost one chord per drawing pixel of circumference: radii stay drawable.
int32_t radius(FuzzedDataProvider& input) { return input.ConsumeIntegralInRange(-20, 300); }

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    FuzzedDataProvider input(data, size);
    const int32_t width = input.ConsumeIntegralInRange(-48, 48);
    const int32_t height = input.ConsumeIntegralInRange(-48, 48);
    const int32_t factor = input.ConsumeIntegralInRange(-1, 17);
    RasterCanvas canvas(width, height, factor, input.ConsumeIntegralInRange(-2, 8));
    RasterCanvas other(input.ConsumeIntegralInRange(0, 40), input.ConsumeIntegralInRange(0, 40), 1, 1);
    other.fillSourceImage(1, 2, 3);
    if (input.ConsumeIntegralInRange(0, 3) != 0)
        canvas.fillSourceImage(4, 5, 6);
    std::vector<RasterCanvas::FloatPoint> points;
    std::vector<VSTGUI::CPoint> cpoints;

    for (int step = 0; step < 24 && input.remaining_bytes() > 0; ++step) {
        const uint8_t r = input.ConsumeIntegral<uint8_t>(), g = input.ConsumeIntegral<uint8_t>();
        const uint8_t b = input.ConsumeIntegral<uint8_t>(), alpha = input.ConsumeIntegral<uint8_t>();
        canvas.lineStyle = input.ConsumeIntegralInRange<uint8_t>(0, 4);
        canvas.recordPoints = input.ConsumeBool();
        canvas.fastDownsample = input.ConsumeBool();
        points.resize(input.ConsumeIntegralInRange<size_t>(0, 40));
        for (auto& point : points)
            point = { anyFloat(input), anyFloat(input) };
        cpoints.resize(points.size());
        for (size_t i = 0; i < points.size(); ++i)
            cpoints[i] = VSTGUI::CPoint(points[i].x, points[i].y);
        const int32_t count = input.ConsumeBool() ? int32_t(points.size()) : anyInt(input);
        const int32_t safeCount = std::min<int32_t>(count, int32_t(points.size()));

        switch (input.ConsumeIntegralInRange(0, 28)) {
        case 0:
            canvas.drawSegment(anyFloat(input), anyFloat(input), anyFloat(input), anyFloat(input), r, g, b,
                anyFloat(input), anyInt(input), input.ConsumeIntegral<uint8_t>(), anyFloat(input), alpha);
            break;
        case 1:
            canvas.drawLongSegment(anyInt(input), anyInt(input), anyInt(input), anyInt(input), r, g, b, anyFloat(input),
                anyInt(input), input.ConsumeIntegral<uint8_t>(), anyFloat(input), alpha);
            break;
        case 2:
            canvas.drawFilledRootCurve(
                anyInt(input), anyInt(input), anyInt(input), anyInt(input), r, g, b, anyFloat(input));
            break;
        case 3:
            canvas.drawExpCurve(anyInt(input), anyInt(input), anyInt(input), anyInt(input), r, g, b, anyFloat(input));
            break;
        case 4:
            canvas.drawPowerCurve(anyInt(input), anyInt(input), anyInt(input), anyInt(input), r, g, b, anyFloat(input));
            break;
        case 5: canvas.drawPolyline(points.data(), safeCount, r, g, b, alpha); break;
        case 6: canvas.drawPolyline(cpoints.data(), safeCount, r, g, b, alpha); break;
        case 7:
            canvas.fillUnderPolyline(
                input.ConsumeBool() ? nullptr : points.data(), safeCount, r, g, b, anyFloat(input));
            break;
        case 8:
            canvas.fillToCentre(input.ConsumeBool() ? nullptr : points.data(), safeCount, r, g, b, anyFloat(input));
            break;
        case 9: canvas.fillToCentre(cpoints.data(), safeCount, r, g, b, anyFloat(input)); break;
        case 10: canvas.drawPoint(anyInt(input), anyInt(input), r, g, b, alpha); break;
        case 11: canvas.drawLineInt(anyInt(input), anyInt(input), anyInt(input), anyInt(input), r, g, b, alpha); break;
        case 12: canvas.drawPolylineInt(cpoints.data(), safeCount, r, g, b, alpha); break;
        case 13: canvas.frameRect(anyInt(input), anyInt(input), anyInt(input), anyInt(input), r, g, b, alpha); break;
        case 14: canvas.drawCircle(anyInt(input), anyInt(input), radius(input), r, g, b, alpha); break;
        case 15: canvas.fillDisc(anyInt(input), anyInt(input), radius(input), r, g, b, alpha); break;
        case 16:
            canvas.fillRect(
                VSTGUI::CRect(anyFloat(input), anyFloat(input), anyFloat(input), anyFloat(input)), r, g, b, alpha);
            break;
        case 17: {
            float bar[] = { anyFloat(input), anyFloat(input), anyFloat(input), anyFloat(input) };
            canvas.drawGradientBar(bar, r, g, b, anyFloat(input));
            break;
        }
        case 18: canvas.clear(r, g, b); break;
        case 19: canvas.putPixelXor(uint32_t(anyInt(input)), uint32_t(anyInt(input)), r, g, b, anyFloat(input)); break;
        case 20:
            canvas.blitLayer(anyInt(input), anyInt(input), anyInt(input), anyInt(input), anyInt(input), anyInt(input),
                anyInt(input), anyInt(input), anyFloat(input));
            break;
        case 21: canvas.copyLayer(anyInt(input), anyInt(input)); break;
        case 22:
            canvas.copyRegionFrom(input.ConsumeBool() ? &other : &canvas, anyInt(input), anyInt(input), anyInt(input),
                anyInt(input), input.ConsumeBool(), input.ConsumeBool());
            break;
        case 23: canvas.fillSourceImage(r, g, b); break;
        case 24: canvas.present(nullptr, VSTGUI::CRect(0, 0, 10, 10)); break;
        case 25: {
            VSTGUI::CBitmap bitmap(input.ConsumeIntegralInRange(-3, 60), input.ConsumeIntegralInRange(-3, 60));
            canvas.loadFromBitmap(&bitmap, anyInt(input));
            break;
        }
        case 26: canvas.setup(anyInt(input) % 64, anyInt(input) % 64, anyInt(input)); break;
        case 27: canvas.fillIntensity(anyFloat(input)), canvas.clearLayers(); break;
        case 28: // the canvas onto itself, whole
            if (input.ConsumeBool())
                canvas.fillSourceImage(r, g, b);
            canvas.copySourceImageFrom(&canvas, 0, 0, anyInt(input), anyInt(input));
            break;
        }
    }
    // Every input ends with the canvas's source image copied onto itself: the copy reads the
    // image that it replaces.
    canvas.copySourceImageFrom(&canvas, 0, 0, 0, 0);
    canvas.present(nullptr, VSTGUI::CRect(0, 0, 10, 10));
    return 0;
}
