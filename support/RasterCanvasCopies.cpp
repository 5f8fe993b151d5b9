// Buffer-wide operations of the raster canvas: clearing, the source image, copies between
// layers and between canvases, and the shared curve functions.

#include "support/CanvasMath.h"
#include "support/RasterCanvas.h"
#include "vstgui/CBitmap.h"
#include "vstgui/CBitmapPixelAccess.h"

#include <cmath>
#include <cstring>
#include <limits>

using CanvasMath::clampOrLow;
using CanvasMath::toIndex;

void RasterCanvas::clearLayers()
{
    for (auto& layer : colourLayers)
        if (layer)
            std::fill(layer->data.begin(), layer->data.end(), uint8_t(0));
    for (auto& layer : intensityLayers)
        if (layer)
            std::fill(layer->data.begin(), layer->data.end(), 0.f);
}

void RasterCanvas::fillIntensity(float value)
{
    value = clampOrLow(value, 0.f, 1.f);
    if (drawIntensity)
        std::fill(drawIntensity->data.begin(), drawIntensity->data.end(), value);
    if (finalIntensity)
        std::fill(finalIntensity->data.begin(), finalIntensity->data.end(), value);
}

void RasterCanvas::fillSourceImage(uint8_t red, uint8_t green, uint8_t blue)
{
    if (width == 0 || height == 0)
        return;
    if (!sourceImage)
        sourceImage = std::make_unique<ColourBuffer>(width, height, width * height * 4);
    const size_t pixels = std::min<size_t>(size_t(width) * height, sourceImage->data.size() / 4);
    for (size_t i = 0; i < pixels; ++i) {
        uint8_t* pixel = &sourceImage->data[i * 4];
        pixel[0] = blue;
        pixel[1] = green;
        pixel[2] = red;
        pixel[3] = 255;
    }
}

void RasterCanvas::fillSourceImage(const VSTGUI::CColor& colour)
{
    fillSourceImage(colour.red, colour.green, colour.blue);
}

void RasterCanvas::copySourcePixels(VSTGUI::CBitmap* bitmap)
{
    sourceImage.reset();
    VSTGUI::IPlatformBitmap* platformBitmap = bitmap ? bitmap->getPlatformBitmap() : nullptr;
    if (!platformBitmap)
        return;
    // The copy keeps whole groups of four columns; rows are taken as packed.
    const int64_t w = toIndex(std::fabs(bitmap->getWidth())) / 4 * 4;
    const int64_t h = toIndex(std::fabs(bitmap->getHeight()));
    if (uint64_t(w) * uint64_t(h) * 4 > std::numeric_limits<uint32_t>::max())
        return;
    sourceImage = std::make_unique<ColourBuffer>(uint32_t(w), uint32_t(h), uint32_t(w * h * 4));
    VSTGUI::CBitmapPixelAccess* access = VSTGUI::CBitmapPixelAccess::create(bitmap, true);
    if (!access)
        return;
    const uint8_t* address = access->getAddress();
    if (address && !sourceImage->data.empty()) {
        const size_t available = size_t(std::max(access->getBytesPerRow(), 0)) *
                                 size_t(std::max(access->getBitmapHeight(), 0));
        std::memcpy(sourceImage->data.data(), address, std::min(sourceImage->data.size(), available));
    }
    access->forget();
}

void RasterCanvas::copyLayer(int32_t from, int32_t to)
{
    if (from < 0 || from >= kLayerSlots || to < 0 || to >= kLayerSlots)
        return;
    ColourBuffer* fromColour = colourLayers[from].get();
    ColourBuffer* toColour = colourLayers[to].get();
    IntensityBuffer* fromIntensity = intensityLayers[from].get();
    IntensityBuffer* toIntensity = intensityLayers[to].get();
    if (!fromColour || !toColour || !fromIntensity || !toIntensity)
        return;
    if (fromColour->count != toColour->count || fromIntensity->count != toIntensity->count)
        return;
    toColour->data = fromColour->data;
    toIntensity->data = fromIntensity->data;
}

void RasterCanvas::blitLayer(int32_t from, int32_t to, int32_t srcX, int32_t srcY, int32_t dstX, int32_t dstY,
                             int32_t w, int32_t h, float opacity)
{
    from = std::clamp(from, 0, kLayerSlots - 1);
    to = std::clamp(to, 0, kLayerSlots - 1);
    opacity = clampOrLow(opacity, 0.f, 1.f);
    const ColourBuffer* fromColour = colourLayers[from].get();
    const IntensityBuffer* fromIntensity = intensityLayers[from].get();
    ColourBuffer* toColour = colourLayers[to].get();
    IntensityBuffer* toIntensity = intensityLayers[to].get();
    if (from == to || !fromColour || !toColour || !fromIntensity || !toIntensity)
        return;
    const int64_t maxX = int64_t(width) - 1;
    const int64_t maxY = int64_t(height) - 1;
    if (maxX < 0 || maxY < 0)
        return;
    const int64_t sx = std::clamp<int64_t>(srcX, 0, maxX), dx = std::clamp<int64_t>(dstX, 0, maxX);
    const int64_t sy = std::clamp<int64_t>(srcY, 0, maxY), dy = std::clamp<int64_t>(dstY, 0, maxY);
    // The region ends at column maxX and row maxY at the latest.
    auto span = [](int64_t src, int64_t dst, int64_t size, int64_t max) {
        const int64_t fromSource = std::max<int64_t>(std::min(std::max<int64_t>(src + size, 0), max) - src, 0);
        const int64_t fromTarget = std::min(std::max<int64_t>(dst + size, 0), max) - dst;
        return std::min(fromSource, fromTarget);
    };
    const int64_t columns = span(sx, dx, w, maxX);
    const int64_t rows = span(sy, dy, h, maxY);
    if (columns < 1 || rows < 1)
        return;
    for (int64_t i = 0; i < rows; ++i) {
        const size_t source = size_t(sy + i) * fromColour->width + size_t(sx);
        const size_t target = size_t(dy + i) * toColour->width + size_t(dx);
        std::memcpy(&toColour->data[target * 4], &fromColour->data[source * 4], size_t(columns) * 4);
        const size_t sourceI = size_t(sy + i) * fromIntensity->width + size_t(sx);
        const size_t targetI = size_t(dy + i) * toIntensity->width + size_t(dx);
        for (int64_t c = 0; c < columns; ++c)
            toIntensity->data[targetI + c] =
                opacity == 1.f ? fromIntensity->data[sourceI + c] : opacity * fromIntensity->data[sourceI + c];
    }
}

void RasterCanvas::copyRegionFrom(const RasterCanvas* other, int32_t x, int32_t y, int32_t maxColumns,
                                  int32_t maxRows, bool fromSourceImage, bool intoSourceImage)
{
    if (!other)
        return;
    const ColourBuffer* read = fromSourceImage ? other->sourceImage.get() : other->drawColour;
    if (!read || x < 0 || y < 0)
        return;
    const int64_t otherWidth = other->width;
    if (otherWidth - x < int64_t(width) || int64_t(other->height) - y < int64_t(height))
        return;
    // A read buffer narrower than the other canvas (a source image cut to groups of four columns)
    // would be read beyond its end.
    if (uint64_t(read->data.size()) / 4 < uint64_t(otherWidth) * other->height)
        return;
    const IntensityBuffer* readIntensity = fromSourceImage ? nullptr : other->drawIntensity;
    if (!fromSourceImage && (!readIntensity || readIntensity->data.size() < uint64_t(otherWidth) * other->height))
        return;

    // The new source image replaces the old one only after the copy: the canvas may read its own.
    std::unique_ptr<ColourBuffer> newImage;
    ColourBuffer* target;
    if (intoSourceImage) {
        newImage = std::make_unique<ColourBuffer>(width, height, width * height * 4);
        target = newImage.get();
    } else {
        target = colourLayers[1].get();
        if (!target || !drawIntensity || target->data.size() < size_t(width) * height * 4)
            return;
    }
    const int64_t columns = maxColumns > 0 ? std::min<int64_t>(width, maxColumns) : int64_t(width);
    const int64_t rows = maxRows > 0 ? std::min<int64_t>(height, maxRows) : int64_t(height);
    for (int64_t c = 0; c < columns; ++c) {
        for (int64_t r = 0; r < rows; ++r) {
            const size_t to = size_t(r) * width + size_t(c);
            const size_t from = size_t(r + y) * size_t(otherWidth) + size_t(c + x);
            std::memcpy(&target->data[to * 4], &read->data[from * 4], 4);
            if (!intoSourceImage && to < drawIntensity->data.size())
                drawIntensity->data[to] = fromSourceImage ? 1.f : readIntensity->data[from];
        }
    }
    if (newImage)
        sourceImage = std::move(newImage);
}

void RasterCanvas::copySourceImageFrom(const RasterCanvas* other, int32_t x, int32_t y, int32_t maxColumns,
                                       int32_t maxRows)
{
    copyRegionFrom(other, x, y, maxColumns, maxRows, true, true);
}

void RasterCanvas::copyDrawingToSourceImage(const RasterCanvas* other, int32_t x, int32_t y, int32_t maxColumns,
                                            int32_t maxRows)
{
    copyRegionFrom(other, x, y, maxColumns, maxRows, false, true);
}

void RasterCanvas::copySourceImageToLayer(const RasterCanvas* other, int32_t x, int32_t y, int32_t maxColumns,
                                          int32_t maxRows)
{
    copyRegionFrom(other, x, y, maxColumns, maxRows, true, false);
}

void RasterCanvas::copyDrawingToLayer(const RasterCanvas* other, int32_t x, int32_t y, int32_t maxColumns,
                                      int32_t maxRows)
{
    copyRegionFrom(other, x, y, maxColumns, maxRows, false, false);
}

float RasterCanvas::curveExp(float v)
{
    const float x = 2.7724f * v;
    return (120.f + 60.f * x + 12.f * x * x + x * x * x) / (120.f - 60.f * x + 12.f * x * x - x * x * x) * 0.25f;
}

float RasterCanvas::curvePow(float base, float v) { return std::pow(base, curveExp(v)); }

float RasterCanvas::curvePowNatural(float base, float v)
{
    const float x = 4.f * v - 2.f;
    return std::pow(base, (12.f + 6.f * x + x * x) / (12.f - 6.f * x + x * x));
}

double RasterCanvas::expInterpolate(double t, double from, double to)
{
    return std::exp(std::log(to / from) * t) * from;
}

void RasterCanvas::orderByX(int32_t& x1, int32_t& y1, int32_t& x2, int32_t& y2)
{
    if (x1 > x2) {
        std::swap(x1, x2);
        std::swap(y1, y2);
    }
}

void RasterCanvas::orderByX(float& x1, float& y1, float& x2, float& y2)
{
    if (x1 > x2) {
        std::swap(x1, x2);
        std::swap(y1, y2);
    }
}
