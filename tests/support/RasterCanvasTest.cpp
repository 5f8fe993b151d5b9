// The canvas object: set-up and refused sizes, write modes, copies and presentation.

#include "support/RasterCanvas.h"
#include "vstgui/CBitmap.h"
#include "vstgui/CBitmapPixelAccess.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>

namespace {

float intensityAt(const RasterCanvas& canvas, int layer, uint32_t x, uint32_t y)
{
    const auto& buffer = *canvas.intensityLayers[size_t(layer)];
    return buffer.data[y * buffer.width + x];
}

uint8_t blueAt(const RasterCanvas& canvas, int layer, uint32_t x, uint32_t y)
{
    const auto& buffer = *canvas.colourLayers[size_t(layer)];
    return buffer.data[(y * buffer.width + x) * 4];
}

void setPixel(RasterCanvas& canvas, int layer, uint32_t x, uint32_t y, uint8_t blue, float intensity)
{
    auto& colour = *canvas.colourLayers[size_t(layer)];
    colour.data[(y * colour.width + x) * 4] = blue;
    canvas.intensityLayers[size_t(layer)]->data[y * colour.width + x] = intensity;
}

TEST(RasterCanvasTest, SetupSizesFactorsAndLayers)
{
    struct Case {
        int32_t width, height, supersampling, layers;
        uint32_t expectWidth;
        int expectFactor, expectLayers;
        bool expectDrawing;
    };
    const Case cases[] = {
        {8, 4, 0, 1, 8, 1, 2, true},          {8, 4, 17, 0, 8, 1, 2, true},
        {8, 4, 2, 5, 8, 2, 2, true},          {8, 4, 16, 1, 8, 16, 2, true},
        {-8, -4, 1, 9, 8, 1, 6, true},        {8, 4, 1, 3, 8, 1, 4, true},
        // Byte counts beyond 32 bits are refused, not allocated short.
        {65536, 16384, 1, 1, 0, 1, 1, false}, {4096, 4096, 16, 1, 0, 16, 1, false},
        {INT_MIN, 5, 1, 1, 0, 1, 1, false},
        // layers + 1 clamped to [2, 6], also where the sum would overflow.
        {8, 4, 1, INT_MAX, 8, 1, 6, true},    {8, 4, 1, 4, 8, 1, 5, true},
        {8, 4, 1, INT_MIN, 8, 1, 2, true},
    };
    for (const Case& c : cases) {
        RasterCanvas canvas(c.width, c.height, c.supersampling, c.layers);
        SCOPED_TRACE(testing::Message() << c.width << " x " << c.height << " s " << c.supersampling);
        EXPECT_EQ(canvas.width, c.expectWidth);
        EXPECT_EQ(canvas.supersampling, c.expectFactor);
        EXPECT_EQ(canvas.layerCount, c.expectLayers);
        ASSERT_EQ(canvas.drawColour != nullptr, c.expectDrawing);
        if (!c.expectDrawing)
            continue;
        const uint32_t s = uint32_t(c.expectFactor);
        EXPECT_EQ(canvas.drawColour->width, 8 * s);
        EXPECT_EQ(canvas.drawColour, canvas.colourLayers[s > 1 ? 2 : 1].get());
        EXPECT_EQ(canvas.finalColour, s > 1 ? canvas.colourLayers[1].get() : nullptr);
        EXPECT_EQ(canvas.rowIntensity.size(), 4 * s + s);
        EXPECT_EQ(canvas.points.size(), 8 * s + s);
        EXPECT_EQ(canvas.outputBitmap->getWidth(), 8.0 * s);
    }
}

TEST(RasterCanvasTest, WriteModes)
{
    using Write = void (RasterCanvas::*)(uint32_t, uint32_t, uint8_t, uint8_t, uint8_t, float);
    struct Case {
        Write write;
        uint8_t storedBlue;
        float stored;
        uint8_t newBlue;
        float written;
        uint8_t expectBlue;
        float expect;
    };
    const Case cases[] = {
        {&RasterCanvas::putPixel, 50, 1.f, 20, 0.2f, 20, 0.2f},
        {&RasterCanvas::putPixelIfGreater, 50, 0.5f, 20, 0.5f, 50, 0.5f},
        {&RasterCanvas::putPixelIfGreater, 50, 0.5f, 20, 0.6f, 20, 0.6f},
        {&RasterCanvas::putPixelIfLess, 50, 0.5f, 20, 0.4f, 20, 0.4f},
        {&RasterCanvas::putPixelIfLess, 50, 0.5f, 20, 0.5f, 50, 0.5f},
        {&RasterCanvas::putPixelLighten, 50, 0.5f, 20, 0.9f, 50, 0.9f}, // darker, brighter: colour kept
        {&RasterCanvas::putPixelLighten, 50, 0.5f, 90, 0.1f, 90, 0.5f},
        {&RasterCanvas::putPixelDarken, 50, 0.5f, 20, 0.9f, 20, 0.5f},
        {&RasterCanvas::putPixelDarken, 50, 0.5f, 90, 0.1f, 50, 0.1f},
        {&RasterCanvas::putPixelXor, 0x0f, 1.f, 0xff, 1.f, 0xf0, 0.f},
        {&RasterCanvas::putPixelXor, 0x0f, 0.5f, 0xff, 1.f, 0xf0, 1.f},
        // Truncated to integers and the result clamped: 2 xor 2, 0 xor 3, 1 xor -2.
        {&RasterCanvas::putPixelXor, 0x0f, 2.f, 0xff, 2.7f, 0xf0, 0.f},
        {&RasterCanvas::putPixelXor, 0x0f, 0.f, 0xff, 3.f, 0xf0, 1.f},
        {&RasterCanvas::putPixelXor, 0x0f, 1.f, 0xff, -2.5f, 0xf0, 0.f},
    };
    for (const Case& c : cases) {
        RasterCanvas canvas(4, 4, 1, 1);
        setPixel(canvas, 1, 2, 1, c.storedBlue, c.stored);
        (canvas.*c.write)(2, 1, 0, 0, c.newBlue, c.written);
        EXPECT_EQ(blueAt(canvas, 1, 2, 1), c.expectBlue);
        EXPECT_FLOAT_EQ(intensityAt(canvas, 1, 2, 1), c.expect);
        // Outside the buffer (negative coordinates wrap to large ones): nothing changes.
        (canvas.*c.write)(4, 1, 0, 0, 7, 0.3f);
        (canvas.*c.write)(uint32_t(-1), 0, 0, 0, 7, 0.3f);
        (canvas.*c.write)(0, 4, 0, 0, 7, 0.3f);
        for (size_t i = 0; i < 16; ++i)
            EXPECT_TRUE(i == 6 || canvas.drawIntensity->data[i] == 0.f) << i;
    }
    // Equal colour sums (blue 50 against red 20 + green 30): lighten and darken keep the colour.
    for (auto write : {&RasterCanvas::putPixelLighten, &RasterCanvas::putPixelDarken}) {
        RasterCanvas canvas(4, 4, 1, 1);
        setPixel(canvas, 1, 2, 1, 50, 0.5f);
        (canvas.*write)(2, 1, 20, 30, 0, 0.5f);
        EXPECT_EQ(canvas.drawColour->data[(4 + 2) * 4 + 2], 0);
    }
}

TEST(RasterCanvasTest, LayerAndRegionCopies)
{
    RasterCanvas canvas(6, 5, 1, 2);
    for (uint32_t y = 0; y < 5; ++y)
        for (uint32_t x = 0; x < 6; ++x)
            setPixel(canvas, 1, x, y, uint8_t(10 + x), 0.8f);
    canvas.blitLayer(1, 1, 0, 0, 0, 0, 6, 5, 1.f);
    canvas.blitLayer(1, 2, 0, 0, 0, 0, 6, 5, 0.5f);
    EXPECT_EQ(blueAt(canvas, 2, 4, 3), 14);
    EXPECT_FLOAT_EQ(intensityAt(canvas, 2, 4, 3), 0.4f);
    EXPECT_EQ(intensityAt(canvas, 2, 5, 0), 0.f); // the last column and row stay
    EXPECT_EQ(intensityAt(canvas, 2, 0, 4), 0.f);
    canvas.blitLayer(1, 0, 1, 0, 0, 0, 6, 5, 1.f); // source columns 1 to 4: the last is never read
    EXPECT_EQ(blueAt(canvas, 0, 3, 0), 14);
    EXPECT_EQ(intensityAt(canvas, 0, 4, 0), 0.f);

    RasterCanvas small(4, 3, 1, 1);
    small.copyDrawingToLayer(&canvas, 2, 1, 3, 0); // pixel (2, 2) reads (4, 3)
    EXPECT_EQ(blueAt(small, 1, 2, 2), 14);
    EXPECT_FLOAT_EQ(intensityAt(small, 1, 2, 2), 0.8f);
    EXPECT_EQ(intensityAt(small, 1, 3, 0), 0.f); // maxColumns 3
    canvas.copyDrawingToLayer(&small, 0, 0, 0, 0); // the other is smaller: nothing
    EXPECT_EQ(blueAt(canvas, 1, 0, 0), 10);
    small.copyDrawingToLayer(&canvas, 3, 0, 0, 0); // region beyond the right edge: nothing
    EXPECT_EQ(blueAt(small, 1, 0, 0), 12);

    // A 10-pixel-wide bitmap gives an 8-pixel-wide source image, which a region copy of the
    // 10-wide canvas's rows would overrun.
    VSTGUI::CBitmap bitmap(10, 3);
    RasterCanvas fromBitmap(&bitmap, 1, 1);
    ASSERT_TRUE(fromBitmap.sourceImage);
    EXPECT_EQ(fromBitmap.sourceImage->width, 8u);
    EXPECT_EQ(fromBitmap.width, 10u);
    small.copySourceImageToLayer(&fromBitmap, 0, 0, 0, 0);
    EXPECT_EQ(blueAt(small, 1, 0, 0), 12);

    // A canvas's source image onto itself comes out unchanged; with maxColumns 2 the new image
    // holds only the first two columns.
    small.fillSourceImage(1, 2, 3);
    const std::vector<uint8_t> image = small.sourceImage->data;
    small.copySourceImageFrom(&small, 0, 0, 0, 0);
    EXPECT_EQ(small.sourceImage->data, image);
    small.copySourceImageFrom(&small, 0, 0, 2, 0);
    EXPECT_EQ(small.sourceImage->data[(4 + 1) * 4 + 3], 255);
    EXPECT_EQ(small.sourceImage->data[(4 + 2) * 4 + 3], 0);
}

TEST(RasterCanvasTest, CurveFunctions)
{
    EXPECT_EQ(RasterCanvas::curveExp(0.f), 0.25f);
    EXPECT_NEAR(RasterCanvas::curveExp(1.f), 4.06701f, 1e-4f); // x = 2.7724: 399.888 / 24.581 / 4
    EXPECT_EQ(RasterCanvas::curvePow(3.f, 0.f), std::pow(3.f, 0.25f));
    EXPECT_EQ(RasterCanvas::curvePowNatural(2.f, 1.f), 128.f); // exponent 28 / 4
}

TEST(RasterCanvasTest, PresentCompositesLayers)
{
    struct Case {
        bool sourceImage;
        float layerIntensity;
        uint8_t expectBlue;
    };
    const Case cases[] = {{false, 0.04f, 0}, {false, 0.05f, 10}, {true, 0.5f, 150}, {true, 0.04f, 100}};
    for (const Case& c : cases) {
        RasterCanvas canvas(8, 8, 1, 2);
        if (c.sourceImage)
            canvas.fillSourceImage(100, 100, 100);
        setPixel(canvas, c.sourceImage ? 1 : 2, 3, 3, 200, c.layerIntensity);
        canvas.present(nullptr, VSTGUI::CRect(0, 0, 8, 8));
        const int base = c.sourceImage ? 0 : 1;
        EXPECT_EQ(blueAt(canvas, base, 3, 3), c.expectBlue);
        VSTGUI::CBitmapPixelAccess* access = VSTGUI::CBitmapPixelAccess::create(canvas.outputBitmap);
        EXPECT_EQ(access->getAddress()[(3 * 8 + 3) * 4], c.expectBlue);
        access->forget();
    }
    // Layers 2 and 3 onto layer 1, in that order: 200 x 0.25 + 100 x 0.75 = 125, then
    // 15 x 0.25 + 125 x 0.75 = 97.5, truncated.
    RasterCanvas canvas(8, 8, 1, 3);
    setPixel(canvas, 1, 3, 3, 100, 0.f);
    setPixel(canvas, 2, 3, 3, 200, 0.25f);
    setPixel(canvas, 3, 3, 3, 15, 0.25f);
    canvas.present(nullptr, VSTGUI::CRect(0, 0, 8, 8));
    EXPECT_EQ(blueAt(canvas, 1, 3, 3), 97);
}

TEST(RasterCanvasTest, PresentReducesSupersampledDrawing)
{
    for (bool fast : {false, true}) {
        RasterCanvas canvas(8, 8, 2, 1);
        canvas.fastDownsample = fast;
        canvas.putPixel(0, 0, 0, 0, 120, 1.f);
        canvas.putPixel(1, 1, 0, 0, 200, 1.f);
        canvas.putPixel(2, 2, 0, 0, 80, 1.f);
        canvas.putPixel(3, 4, 0, 0, 240, 1.f); // below output pixel (1, 2)
        canvas.putPixel(4, 2, 0, 0, 160, 1.f); // right of output pixel (1, 1)
        setPixel(canvas, 1, 5, 0, 9, 0.7f);
        canvas.present(nullptr, VSTGUI::CRect(0, 0, 8, 8));
        if (!fast) {
            EXPECT_FLOAT_EQ(intensityAt(canvas, 1, 0, 0), 0.5f); // block (1..2, 1..2)
            EXPECT_EQ(blueAt(canvas, 1, 0, 0), (200 + 80) / 4);
            EXPECT_FLOAT_EQ(intensityAt(canvas, 1, 5, 0), 0.7f); // the last three columns stay
        } else {
            EXPECT_FLOAT_EQ(intensityAt(canvas, 1, 0, 0), 0.5f); // four samples at (0..1, 0..1)
            EXPECT_EQ(blueAt(canvas, 1, 0, 0), 70);              // 320 / 4 x 0.88
            EXPECT_EQ(blueAt(canvas, 1, 1, 1), 17 + (35 + 52) / 8); // 80 / 4 x 0.88, and the glow
            EXPECT_EQ(blueAt(canvas, 1, 5, 0), 0);
        }
        // The output-size picture fills the drawing-size bitmap's top-left corner row by row.
        VSTGUI::CBitmapPixelAccess* access = VSTGUI::CBitmapPixelAccess::create(canvas.outputBitmap);
        EXPECT_EQ(access->getBytesPerRow(), 16 * 4);
        for (uint32_t y = 0; y < 8; ++y)
            for (uint32_t x = 0; x < 8; ++x)
                ASSERT_EQ(access->getAddress()[y * 64 + x * 4], blueAt(canvas, 1, x, y)) << x << ", " << y;
        EXPECT_EQ(access->getAddress()[9 * 64 + 9 * 4 + 3], 0);
        access->forget();
    }
}

} // namespace
