// The canvas object: set-up and refused sizes, write modes, copies and presentation.

#include "support/RasterCanvas.h"
#include "vstgui/CBitmap.h"
#include "vstgui/CBitmapPixelAccess.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>

namespace {

using std::tuple;

// An intensity, or a colour's blue byte, of a layer at (x, y).
template <typename Buffer> auto element(const Buffer& b, uint32_t x, uint32_t y, uint32_t step) { return b.data[(y * b.width + x) * step]; }
float intensityAt(const RasterCanvas& canvas, int layer, uint32_t x, uint32_t y) { return element(*canvas.intensityLayers[size_t(layer)], x, y, 1); }
uint8_t blueAt(const RasterCanvas& canvas, int layer, uint32_t x, uint32_t y) { return element(*canvas.colourLayers[size_t(layer)], x, y, 4); }

void setPixel(RasterCanvas& canvas, int layer, uint32_t x, uint32_t y, uint8_t blue, float intensity)
{
    auto& colour = *canvas.colourLayers[size_t(layer)];
    colour.data[(y * colour.width + x) * 4] = blue;
    canvas.intensityLayers[size_t(layer)]->data[y * colour.width + x] = intensity;
}

// The blue byte of the output bitmap at byte offset.
uint8_t outputByte(RasterCanvas& canvas, size_t offset)
{
    VSTGUI::CBitmapPixelAccess* access = VSTGUI::CBitmapPixelAccess::create(canvas.outputBitmap);
    const uint8_t byte = access->getAddress()[offset];
    return access->forget(), byte;
}

TEST(RasterCanvasTest, SetupSizesFactorsAndLayers)
{
    // width, height, factor and layers asked; width (0: refused), factor and layer count kept.
    // Byte counts beyond 32 bits are refused, not allocated short; layers + 1 is clamped to
    // [2, 6], also where the sum would overflow.
    for (auto [width, height, factor, layers, keptWidth, s, keptLayers] :
         {tuple{8, 4, 0, 1, 8u, 1, 2}, {8, 4, 17, 0, 8u, 1, 2}, {8, 4, 2, 5, 8u, 2, 2}, {8, 4, 16, 1, 8u, 16, 2},
          {-8, -4, 1, 9, 8u, 1, 6}, {8, 4, 1, 3, 8u, 1, 4}, {65536, 16384, 1, 1, 0u, 1, 1}, {4096, 4096, 16, 1, 0u, 16, 1},
          {INT_MIN, 5, 1, 1, 0u, 1, 1}, {8, 4, 1, INT_MAX, 8u, 1, 6}, {8, 4, 1, 4, 8u, 1, 5}, {8, 4, 1, INT_MIN, 8u, 1, 2}}) {
        RasterCanvas canvas(width, height, factor, layers);
        SCOPED_TRACE(testing::Message() << width << " x " << height << " s " << factor << " layers " << layers);
        ASSERT_EQ(tuple(canvas.width, canvas.supersampling, canvas.layerCount, canvas.drawColour != nullptr),
                  tuple(keptWidth, s, keptLayers, keptWidth > 0));
        if (keptWidth == 0)
            continue;
        const uint32_t u = uint32_t(s);
        EXPECT_EQ(tuple(canvas.drawColour->width, canvas.drawColour, canvas.finalColour, canvas.rowIntensity.size(),
                        canvas.points.size(), canvas.outputBitmap->getWidth()),
                  tuple(8 * u, canvas.colourLayers[u > 1 ? 2 : 1].get(), u > 1 ? canvas.colourLayers[1].get() : nullptr,
                        size_t(4 * u + u), size_t(8 * u + u), 8.0 * u));
    }
}

TEST(RasterCanvasTest, WriteModes)
{
    using Write = void (RasterCanvas::*)(uint32_t, uint32_t, uint8_t, uint8_t, uint8_t, float);
    const Write greater = &RasterCanvas::putPixelIfGreater, less = &RasterCanvas::putPixelIfLess, lighten = &RasterCanvas::putPixelLighten,
                darken = &RasterCanvas::putPixelDarken, xorWrite = &RasterCanvas::putPixelXor;
    // mode, stored blue and intensity, written blue and intensity, expected blue and intensity.
    // Xor truncates to integers and clamps the result: 2 xor 2, 0 xor 3, 1 xor -2.
    for (auto [write, storedBlue, stored, newBlue, written, expectBlue, expect] :
         {tuple{Write(&RasterCanvas::putPixel), 50, 1.f, 20, 0.2f, 20, 0.2f}, {greater, 50, 0.5f, 20, 0.5f, 50, 0.5f},
          {greater, 50, 0.5f, 20, 0.6f, 20, 0.6f}, {less, 50, 0.5f, 20, 0.4f, 20, 0.4f}, {less, 50, 0.5f, 20, 0.5f, 50, 0.5f},
          {lighten, 50, 0.5f, 20, 0.9f, 50, 0.9f}, {lighten, 50, 0.5f, 90, 0.1f, 90, 0.5f},
          {darken, 50, 0.5f, 20, 0.9f, 20, 0.5f}, {darken, 50, 0.5f, 90, 0.1f, 50, 0.1f},
          {xorWrite, 0x0f, 1.f, 0xff, 1.f, 0xf0, 0.f}, {xorWrite, 0x0f, 0.5f, 0xff, 1.f, 0xf0, 1.f},
          {xorWrite, 0x0f, 2.f, 0xff, 2.7f, 0xf0, 0.f}, {xorWrite, 0x0f, 0.f, 0xff, 3.f, 0xf0, 1.f},
          {xorWrite, 0x0f, 1.f, 0xff, -2.5f, 0xf0, 0.f}}) {
        RasterCanvas canvas(4, 4, 1, 1);
        setPixel(canvas, 1, 2, 1, uint8_t(storedBlue), stored);
        (canvas.*write)(2, 1, 0, 0, uint8_t(newBlue), written);
        EXPECT_EQ(tuple(blueAt(canvas, 1, 2, 1), intensityAt(canvas, 1, 2, 1)), tuple(expectBlue, expect)) << storedBlue << " " << written;
        // Outside the buffer (negative coordinates wrap to large ones): nothing changes.
        for (auto [x, y] : {std::pair{4u, 1u}, {uint32_t(-1), 0u}, {0u, 4u}})
            (canvas.*write)(x, y, 0, 0, 7, 0.3f);
        for (size_t i = 0; i < 16; ++i)
            EXPECT_TRUE(i == 6 || canvas.drawIntensity->data[i] == 0.f) << i;
    }
    // Equal colour sums (blue 50 against red 20 + green 30): lighten and darken keep the colour.
    for (Write write : {lighten, darken}) {
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
    // The last column and row stay.
    EXPECT_EQ(tuple(blueAt(canvas, 2, 4, 3), intensityAt(canvas, 2, 4, 3), intensityAt(canvas, 2, 5, 0), intensityAt(canvas, 2, 0, 4)),
              tuple(14, 0.4f, 0.f, 0.f));
    canvas.blitLayer(1, 0, 1, 0, 0, 0, 6, 5, 1.f); // source columns 1 to 4: the last is never read
    EXPECT_EQ(tuple(blueAt(canvas, 0, 3, 0), intensityAt(canvas, 0, 4, 0)), tuple(14, 0.f));

    RasterCanvas small(4, 3, 1, 1);
    small.copyDrawingToLayer(&canvas, 2, 1, 3, 0); // pixel (2, 2) reads (4, 3); maxColumns 3
    EXPECT_EQ(tuple(blueAt(small, 1, 2, 2), intensityAt(small, 1, 2, 2), intensityAt(small, 1, 3, 0)), tuple(14, 0.8f, 0.f));
    canvas.copyDrawingToLayer(&small, 0, 0, 0, 0); // the other is smaller: nothing
    small.copyDrawingToLayer(&canvas, 3, 0, 0, 0); // region beyond the right edge: nothing
    EXPECT_EQ(tuple(blueAt(canvas, 1, 0, 0), blueAt(small, 1, 0, 0)), tuple(10, 12));

    // A 10-pixel-wide bitmap gives an 8-pixel-wide source image, which a region copy of the
    // 10-wide canvas's rows would overrun.
    VSTGUI::CBitmap bitmap(10, 3);
    RasterCanvas fromBitmap(&bitmap, 1, 1);
    ASSERT_TRUE(fromBitmap.sourceImage);
    EXPECT_EQ(tuple(fromBitmap.sourceImage->width, fromBitmap.width), tuple(8u, 10u));
    small.copySourceImageToLayer(&fromBitmap, 0, 0, 0, 0);
    EXPECT_EQ(blueAt(small, 1, 0, 0), 12);

    // A canvas's source image onto itself comes out unchanged; with maxColumns 2 the new image
    // holds only the first two columns.
    small.fillSourceImage(1, 2, 3);
    const std::vector<uint8_t> image = small.sourceImage->data;
    small.copySourceImageFrom(&small, 0, 0, 0, 0);
    EXPECT_EQ(small.sourceImage->data, image);
    small.copySourceImageFrom(&small, 0, 0, 2, 0);
    EXPECT_EQ(tuple(small.sourceImage->data[(4 + 1) * 4 + 3], small.sourceImage->data[(4 + 2) * 4 + 3]), tuple(255, 0));
}

TEST(RasterCanvasTest, CurveFunctions)
{
    EXPECT_NEAR(RasterCanvas::curveExp(1.f), 4.06701f, 1e-4f); // x = 2.7724: 399.888 / 24.581 / 4
    // curvePowNatural: exponent 28 / 4
    EXPECT_EQ(tuple(RasterCanvas::curveExp(0.f), RasterCanvas::curvePow(3.f, 0.f), RasterCanvas::curvePowNatural(2.f, 1.f)),
              tuple(0.25f, std::pow(3.f, 0.25f), 128.f));
}

TEST(RasterCanvasTest, PresentCompositesLayersAndReducesSupersampledDrawing)
{
    // With a source image the drawing blends onto it; without, onto layer 1 from intensity 0.05.
    for (auto [sourceImage, layerIntensity, expectBlue] : {tuple{false, 0.04f, 0}, {false, 0.05f, 10}, {true, 0.5f, 150}, {true, 0.04f, 100}}) {
        RasterCanvas canvas(8, 8, 1, 2);
        if (sourceImage)
            canvas.fillSourceImage(100, 100, 100);
        setPixel(canvas, sourceImage ? 1 : 2, 3, 3, 200, layerIntensity);
        canvas.present(nullptr, VSTGUI::CRect(0, 0, 8, 8));
        EXPECT_EQ(tuple(blueAt(canvas, sourceImage ? 0 : 1, 3, 3), outputByte(canvas, (3 * 8 + 3) * 4)), tuple(expectBlue, expectBlue));
    }
    // Layers 2 and 3 onto layer 1, in that order: 200 x 0.25 + 100 x 0.75 = 125, then
    // 15 x 0.25 + 125 x 0.75 = 97.5, truncated.
    RasterCanvas canvas(8, 8, 1, 3);
    setPixel(canvas, 1, 3, 3, 100, 0.f);
    setPixel(canvas, 2, 3, 3, 200, 0.25f);
    setPixel(canvas, 3, 3, 3, 15, 0.25f);
    canvas.present(nullptr, VSTGUI::CRect(0, 0, 8, 8));
    EXPECT_EQ(blueAt(canvas, 1, 3, 3), 97);

    for (bool fast : {false, true}) { // supersampled drawing reduced
        RasterCanvas reduced(8, 8, 2, 1);
        reduced.fastDownsample = fast;
        // (3, 4) lies below output pixel (1, 2), (4, 2) right of output pixel (1, 1).
        for (auto [x, y, blue] : {tuple{0u, 0u, 120}, {1u, 1u, 200}, {2u, 2u, 80}, {3u, 4u, 240}, {4u, 2u, 160}})
            reduced.putPixel(x, y, 0, 0, uint8_t(blue), 1.f);
        setPixel(reduced, 1, 5, 0, 9, 0.7f);
        reduced.present(nullptr, VSTGUI::CRect(0, 0, 8, 8));
        // Slow: block (1..2, 1..2), and the last three columns stay. Fast: four samples at
        // (0..1, 0..1), 320 / 4 x 0.88; 80 / 4 x 0.88 and the glow.
        EXPECT_FLOAT_EQ(intensityAt(reduced, 1, 0, 0), 0.5f);
        if (!fast)
            EXPECT_EQ(tuple(blueAt(reduced, 1, 0, 0), intensityAt(reduced, 1, 5, 0)), tuple((200 + 80) / 4, 0.7f));
        else
            EXPECT_EQ(tuple(blueAt(reduced, 1, 0, 0), blueAt(reduced, 1, 1, 1), blueAt(reduced, 1, 5, 0)), tuple(70, 17 + (35 + 52) / 8, 0));
        // The output-size picture fills the drawing-size bitmap's top-left corner row by row.
        for (uint32_t y = 0; y < 8; ++y)
            for (uint32_t x = 0; x < 8; ++x)
                ASSERT_EQ(outputByte(reduced, y * 64 + x * 4), blueAt(reduced, 1, x, y)) << x << ", " << y;
        EXPECT_EQ(outputByte(reduced, 9 * 64 + 9 * 4 + 3), 0);
    }
}

} // namespace
