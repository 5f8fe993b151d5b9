// Presentation of the raster canvas: reduction of a supersampled drawing, composition of the
// layers, the copy into the output bitmap and the drawing into a context; and reloading the
// canvas from a bitmap.

#include "support/CanvasMath.h"
#include "support/RasterCanvas.h"
#include "vstgui/CBitmap.h"
#include "vstgui/CBitmapPixelAccess.h"
#include "vstgui/CDrawContext.h"

#include <cmath>
#include <cstring>

void RasterCanvas::loadFromBitmap(VSTGUI::CBitmap* bitmap, int32_t layers)
{
    if (!bitmap || !bitmap->getPlatformBitmap())
        return;
    freeBuffers();
    const auto side = [](double value) {
        return int32_t(std::clamp<int64_t>(CanvasMath::toIndex(value), INT32_MIN, INT32_MAX));
    };
    const int32_t w = side(bitmap->getWidth()), h = side(bitmap->getHeight());
    copySourcePixels(bitmap);
    setup(w, h, layers);
}

// Each output pixel averages the s x s drawing block whose top-left pixel is (sX + s - 1,
// sY + s - 1); the last three output columns and rows keep what they held.
void RasterCanvas::reduceBoxFilter()
{
    const int64_t s = supersampling, W = drawColour->width;
    const int64_t fw = finalColour->width, fh = finalColour->height;
    const int64_t area = s * s;
    for (int64_t Y = 0; Y <= fh - 4; ++Y) {
        for (int64_t X = 0; X <= fw - 4; ++X) {
            uint32_t sum[3] = {0, 0, 0};
            float intensity = 0.f;
            for (int64_t y = s * Y + s - 1; y < s * Y + 2 * s - 1; ++y) {
                for (int64_t x = s * X + s - 1; x < s * X + 2 * s - 1; ++x) {
                    const size_t i = size_t(y * W + x);
                    const uint8_t* pixel = &drawColour->data[i * 4];
                    sum[0] += pixel[0], sum[1] += pixel[1], sum[2] += pixel[2];
                    intensity += drawIntensity->data[i];
                }
            }
            const size_t o = size_t(Y * fw + X);
            for (int c = 0; c < 3; ++c)
                finalColour->data[o * 4 + size_t(c)] = uint8_t(sum[c] / uint32_t(area));
            finalIntensity->data[o] = intensity / float(area);
        }
    }
}

// Four samples per output pixel, darkened to 0.88, then a glow from the right and lower neighbours.
void RasterCanvas::reduceFast()
{
    const int64_t s = supersampling, W = drawColour->width, H = drawColour->height;
    const int64_t fw = finalColour->width, fh = finalColour->height;
    for (int64_t x = 0; x < W; x += s) {
        for (int64_t y = 0; y < H; y += s) {
            const size_t corners[4] = {size_t(y * W + x), size_t(y * W + x + 1), size_t((y + 1) * W + x),
                                       size_t((y + 1) * W + x + 1)};
            float intensity = 0.f;
            uint32_t sum[3] = {0, 0, 0};
            for (size_t i : corners) {
                intensity += drawIntensity->data[i];
                for (int c = 0; c < 3; ++c)
                    sum[c] += drawColour->data[i * 4 + size_t(c)];
            }
            const size_t o = size_t((y / s) * fw + x / s);
            finalIntensity->data[o] = CanvasMath::clampOrLow(intensity / 4.f, 0.f, 1.f);
            for (int c = 0; c < 3; ++c)
                finalColour->data[o * 4 + size_t(c)] =
                    uint8_t(std::min(255.0, std::trunc(double(sum[c] / 4) * 0.88)));
        }
    }
    // The right and lower neighbours come later in this order: they still hold their values
    // from before the pass.
    std::vector<uint8_t>& bytes = finalColour->data;
    for (int64_t x = 1; x <= fw - 2; ++x) {
        for (int64_t y = 1; y <= fh - 2; ++y) {
            const size_t o = size_t(y * fw + x) * 4, right = o + 4, below = size_t((y + 1) * fw + x) * 4;
            for (size_t c = 0; c < 3; ++c) {
                const uint32_t raised = bytes[o + c] + (uint32_t(bytes[right + c]) + bytes[below + c]) / 8;
                bytes[o + c] = uint8_t(std::min<uint32_t>(raised, 255));
            }
        }
    }
}

// On a supersampled canvas the output bitmap has the drawing size and the picture the output
// size: the picture fills the bitmap's top-left corner, row by row, and the rest stays
// transparent. Never more rows or columns than either holds. False without a pixel accessor.
bool RasterCanvas::copyIntoOutputBitmap(const ColourBuffer& base)
{
    VSTGUI::CBitmapPixelAccess* access = VSTGUI::CBitmapPixelAccess::create(outputBitmap, true);
    if (!access)
        return false;
    if (uint8_t* address = access->getAddress()) {
        const size_t stride = size_t(std::max(access->getBytesPerRow(), 0));
        size_t rows = std::min<size_t>(base.height, size_t(std::max(access->getBitmapHeight(), 0)));
        const size_t rowBytes = std::min<size_t>(size_t(base.width) * 4, stride);
        if (rowBytes == 0)
            rows = 0;
        for (size_t row = 0; row < rows && (row + 1) * size_t(base.width) * 4 <= base.data.size(); ++row)
            std::memcpy(address + row * stride, &base.data[row * size_t(base.width) * 4], rowBytes);
        if (VSTGUI::IPlatformBitmap* platformBitmap = outputBitmap->getPlatformBitmap())
            platformBitmap->pixelsChanged();
    }
    access->forget();
    return true;
}

void RasterCanvas::present(VSTGUI::CDrawContext* context, const VSTGUI::CRect& dest)
{
    if (!outputBitmap || !drawColour || !drawIntensity)
        return;
    if (supersampling >= 2) {
        if (!finalColour || !finalIntensity)
            return;
        if (fastDownsample)
            reduceFast();
        else
            reduceBoxFilter();
    }
    ColourBuffer* base = colourLayers[0].get();
    int32_t firstLayer = 1;
    if (sourceImage) {
        if (base && base->count == sourceImage->count)
            base->data = sourceImage->data;
    } else {
        base = colourLayers[1].get();
        firstLayer = 2;
    }
    if (!base || !intensityLayers[0])
        return;
    const size_t pixels = std::min<size_t>(intensityLayers[0]->data.size(), base->data.size() / 4);
    for (int32_t k = firstLayer; k < layerCount; ++k) {
        const IntensityBuffer* intensity = intensityLayers[size_t(k)].get();
        const ColourBuffer* colour = colourLayers[size_t(k)].get();
        if (!intensity || !colour)
            continue;
        const size_t layerPixels = std::min({pixels, intensity->data.size(), colour->data.size() / 4});
        for (size_t i = 0; i < layerPixels; ++i) {
            const float a = intensity->data[i];
            if (!(a >= 0.05f))
                continue;
            for (size_t c = 0; c < 3; ++c) {
                uint8_t& target = base->data[i * 4 + c];
                target = uint8_t(CanvasMath::clampOrLow(float(colour->data[i * 4 + c]) * a + float(target) * (1.f - a),
                                                        0.f, 255.f));
            }
        }
    }
    if (!copyIntoOutputBitmap(*base))
        return;
    if (context)
        context->drawBitmap(outputBitmap, dest, VSTGUI::CPoint(0, 0), 1.f);
}
