#include "support/RasterCanvas.h"

#include "support/CanvasMath.h"
#include "vstgui/CBitmap.h"

#include <cstdlib>
#include <limits>
#include <new>

using CanvasMath::toIndex;

RasterCanvas::RasterCanvas(int32_t width, int32_t height, int32_t supersampling, int32_t layers)
{
    init(supersampling);
    setup(width, height, layers);
}

RasterCanvas::RasterCanvas(int32_t supersampling) { init(supersampling); }

RasterCanvas::RasterCanvas(VSTGUI::CBitmap* bitmap, int32_t supersampling, int32_t layers)
{
    init(supersampling);
    loadFromBitmap(bitmap, layers);
}

RasterCanvas::~RasterCanvas() { freeBuffers(); }

void RasterCanvas::init(int32_t factor)
{
    fastDownsample = false;
    width = height = 0;
    lineStyle = 2;
    recordPoints = false;
    pointStart = pointEnd = 0;
    supersampling = factor >= 2 && factor <= 16 ? uint8_t(factor) : 1;
    layerCount = 1;
    sampleStep = 0.25f;
}

void RasterCanvas::freeLayers()
{
    drawColour = finalColour = nullptr;
    drawIntensity = finalIntensity = nullptr;
    for (auto& layer : colourLayers)
        layer.reset();
    for (auto& layer : intensityLayers)
        layer.reset();
}

// Everything but the source image: the state of a canvas that holds no drawing.
void RasterCanvas::releaseDrawing()
{
    freeLayers();
    rowIntensity = {};
    rowEdgeIntensity = {};
    points = {};
    pointStart = pointEnd = 0;
    if (outputBitmap)
        outputBitmap->forget();
    outputBitmap = nullptr;
    width = height = 0;
    layerCount = 1;
}

void RasterCanvas::freeBuffers()
{
    releaseDrawing();
    sourceImage.reset();
    recordPoints = false;
}

void RasterCanvas::setup(int32_t newWidth, int32_t newHeight, int32_t layers)
{
    const uint64_t w = uint64_t(std::llabs(int64_t(newWidth)));
    const uint64_t h = uint64_t(std::llabs(int64_t(newHeight)));
    const uint64_t s = supersampling;
    releaseDrawing();
    // Buffer counts are 32-bit: a size whose bytes do not fit is refused, not allocated short.
    if (w * h * 4 * s * s > std::numeric_limits<uint32_t>::max())
        return;
    try {
        width = uint32_t(w);
        height = uint32_t(h);
        // layers + 1 clamped to [2, 6], without the sum (2147483647 layers would overflow it).
        layerCount = s > 1 ? 2 : std::clamp(layers, 1, kLayerSlots - 1) + 1;
        for (int32_t i = 0; i < layerCount; ++i) {
            colourLayers[i] = std::make_unique<ColourBuffer>(width, height, uint32_t(w * h * 4));
            intensityLayers[i] = std::make_unique<IntensityBuffer>(width, height, uint32_t(w * h));
        }
        const uint32_t drawWidth = uint32_t(w * s);
        const uint32_t drawHeight = uint32_t(h * s);
        if (s > 1) {
            colourLayers[kSupersampledSlot] =
                std::make_unique<ColourBuffer>(drawWidth, drawHeight, uint32_t(w * h * s * s * 4));
            intensityLayers[kSupersampledSlot] =
                std::make_unique<IntensityBuffer>(drawWidth, drawHeight, uint32_t(w * h * s * s));
            drawColour = colourLayers[kSupersampledSlot].get();
            drawIntensity = intensityLayers[kSupersampledSlot].get();
            finalColour = colourLayers[1].get();
            finalIntensity = intensityLayers[1].get();
        } else {
            drawColour = colourLayers[1].get();
            drawIntensity = intensityLayers[1].get();
        }
        rowIntensity.assign(drawHeight + s, 0.f);
        rowEdgeIntensity.assign(drawHeight + s, 0.f);
        points.assign(drawWidth + s, FloatPoint{0.f, 0.f});
        outputBitmap = new VSTGUI::CBitmap(double(drawWidth), double(drawHeight));
    } catch (const std::bad_alloc&) {
        // A canvas that cannot hold its buffers holds none and draws nothing.
        releaseDrawing();
    }
}

bool RasterCanvas::drawingIndex(int64_t x, int64_t y, size_t& index) const
{
    if (!drawColour || x < 0 || y < 0 || x >= int64_t(drawColour->width) || y >= int64_t(drawColour->height))
        return false;
    index = size_t(y) * drawColour->width + size_t(x);
    return true;
}

void RasterCanvas::recordPoint(int64_t column, int64_t row)
{
    if (column >= 0 && uint64_t(column) < points.size())
        points[size_t(column)] = FloatPoint{float(column), float(int64_t(drawColour->height) - row)};
}

namespace {

void writeColour(uint8_t* pixel, uint8_t red, uint8_t green, uint8_t blue)
{
    pixel[0] = blue;
    pixel[1] = green;
    pixel[2] = red;
}

int colourSum(uint8_t red, uint8_t green, uint8_t blue) { return int(red) + int(green) + int(blue); }

} // namespace

void RasterCanvas::putPixel(uint32_t x, uint32_t y, uint8_t red, uint8_t green, uint8_t blue, float intensity)
{
    size_t i;
    if (!drawingIndex(x, y, i))
        return;
    drawIntensity->data[i] = intensity;
    writeColour(&drawColour->data[i * 4], red, green, blue);
}

void RasterCanvas::putPixelIfGreater(uint32_t x, uint32_t y, uint8_t red, uint8_t green, uint8_t blue,
                                     float intensity)
{
    if (drawColour)
        offer(x, y, red, green, blue, intensity);
}

void RasterCanvas::putPixelIfLess(uint32_t x, uint32_t y, uint8_t red, uint8_t green, uint8_t blue, float intensity)
{
    size_t i;
    if (!drawingIndex(x, y, i) || !(intensity < drawIntensity->data[i]))
        return;
    drawIntensity->data[i] = intensity;
    writeColour(&drawColour->data[i * 4], red, green, blue);
}

void RasterCanvas::putPixelLighten(uint32_t x, uint32_t y, uint8_t red, uint8_t green, uint8_t blue,
                                   float intensity)
{
    size_t i;
    if (!drawingIndex(x, y, i))
        return;
    drawIntensity->data[i] = std::max(intensity, drawIntensity->data[i]);
    uint8_t* pixel = &drawColour->data[i * 4];
    if (colourSum(red, green, blue) > colourSum(pixel[2], pixel[1], pixel[0]))
        writeColour(pixel, red, green, blue);
}

void RasterCanvas::putPixelDarken(uint32_t x, uint32_t y, uint8_t red, uint8_t green, uint8_t blue, float intensity)
{
    size_t i;
    if (!drawingIndex(x, y, i))
        return;
    drawIntensity->data[i] = std::min(intensity, drawIntensity->data[i]);
    uint8_t* pixel = &drawColour->data[i * 4];
    if (colourSum(red, green, blue) < colourSum(pixel[2], pixel[1], pixel[0]))
        writeColour(pixel, red, green, blue);
}

void RasterCanvas::putPixelXor(uint32_t x, uint32_t y, uint8_t red, uint8_t green, uint8_t blue, float intensity)
{
    size_t i;
    if (!drawingIndex(x, y, i))
        return;
    const int64_t mixed = toIndex(intensity) ^ toIndex(drawIntensity->data[i]);
    drawIntensity->data[i] = float(std::clamp<int64_t>(mixed, 0, 1));
    uint8_t* pixel = &drawColour->data[i * 4];
    pixel[0] ^= blue;
    pixel[1] ^= green;
    pixel[2] ^= red;
}
