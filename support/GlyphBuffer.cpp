#include "support/GlyphBuffer.h"

#include "support/CanvasMath.h"
#include "support/GlyphImage.h"
#include "vstgui/CBitmap.h"
#include "vstgui/CBitmapPixelAccess.h"

#include <algorithm>
#include <cmath>
#include <cstring>

using CanvasMath::toIndex;

namespace {

constexpr int64_t kMaxTargetSide = 10000;

uint8_t clampToByte(float value)
{
    return uint8_t(CanvasMath::clampOrLow(value, 0.f, 255.f));
}

void applySlant(GlyphBuffer& buffer)
{
    const uint32_t w = buffer.width, h = buffer.height;
    // 0.3 pixels per row, the bottom row fixed.
    const float step = (float(h) * 0.3f) / float(h);
    float shift = 0.f;
    for (int64_t y = int64_t(h) - 1; y >= 0; --y, shift += step) {
        const uint32_t s = std::min(uint32_t(shift), w);
        uint8_t* row = &buffer.pixels[size_t(y) * w];
        std::memmove(row + s, row, w - s);
        std::memset(row, 0, s);
    }
}

void applyBold(GlyphBuffer& buffer)
{
    const uint32_t w = buffer.width, h = buffer.height;
    for (uint32_t y = 0; y < h; ++y) {
        uint8_t* row = &buffer.pixels[size_t(y) * w];
        for (uint32_t x = w - 1; x >= 1; --x)
            row[x] = std::max(row[x], row[x - 1]);
    }
    for (uint32_t y = h - 1; y >= 1; --y)
        for (uint32_t x = 0; x < w; ++x)
            buffer.pixels[size_t(y) * w + x] = std::max(buffer.pixels[size_t(y) * w + x], buffer.pixels[size_t(y - 1) * w + x]);
}

// Area resampling: each target pixel averages a kx x ky block of the buffer with its first and
// last rows and columns weighted by the target pixel's fractional position; faint pixels (5 and
// below) on the block's rim are left out, and a pixel whose sum stays at 80 or below stays clear.
void reduce(GlyphBuffer& buffer, std::vector<uint8_t>& out, uint32_t tw, uint32_t th)
{
    const uint32_t w = buffer.width, h = buffer.height;
    for (uint32_t y = 0; y < h; ++y)
        buffer.rowOffsets[y] = y * w;
    const float rx = float(w) / float(tw), ry = float(h) / float(th);
    const int64_t kx = std::max<int64_t>(2, int64_t(std::floor(rx)));
    const int64_t ky = std::max<int64_t>(2, int64_t(std::floor(ry)));
    // Blocks that reach past the buffer's right or bottom edge read clear there, instead of the
    // next row's pixels or memory beyond the buffer.
    const auto P = [&](int64_t x, int64_t y) -> float {
        return x < int64_t(w) && y < int64_t(h) ? float(buffer.pixels[buffer.rowOffsets[size_t(y)] + size_t(x)]) : 0.f;
    };
    const auto rim = [&](float value, float weight) { return value > 5.f ? value * weight : 0.f; };
    for (uint32_t ty = 0; ty + 1 < th; ++ty) {
        const float sy = float(ty) * ry;
        const int64_t iy = int64_t(sy);
        const float fy = sy - float(iy);
        const int64_t r0 = std::min<int64_t>(iy, h - 1), r1 = std::min<int64_t>(iy + ky, h - 1);
        for (uint32_t tx = 0; tx + 1 < tw; ++tx) {
            const float sx = float(tx) * rx;
            const int64_t ix = int64_t(sx);
            const float fx = sx - float(ix);
            const int64_t xe = ix + kx;
            float sum = rim(P(ix, r0), (1 - fy) * (1 - fx)) + rim(P(ix, r1), fy * (1 - fx)) +
                        rim(P(xe, r0), (1 - fy) * fx) + rim(P(xe, r1), fy * fx);
            for (int64_t k = 1; k < kx; ++k)
                sum += rim(P(ix + k, r0), 1 - fy) + rim(P(ix + k, r1), fy);
            for (int64_t j = 1; j < ky; ++j)
                sum += rim(P(ix, r0 + j), 1 - fx) + rim(P(xe, r0 + j), fx);
            for (int64_t k = 1; k < kx; ++k)
                for (int64_t j = 1; j < ky; ++j)
                    sum += P(ix + k, r0 + j);
            if (sum > 80.f)
                out[size_t(ty) * tw + tx] = clampToByte(sum / float(kx * ky));
        }
    }
}

void sharpen(const std::vector<uint8_t>& a, std::vector<uint8_t>& b, uint32_t tw, uint32_t th)
{
    b = a;
    if (th < 3)
        return;
    for (uint32_t y = 1; y + 1 < th; ++y) {
        for (uint32_t x = 1; x + 1 < tw; ++x) {
            const size_t i = size_t(y) * tw + x;
            if (a[i] <= 5)
                continue;
            const float around = float(a[i - 1]) + float(a[i + 1]) + float(a[i - tw]) + float(a[i + tw]);
            b[i] = clampToByte(1.2f * float(a[i]) - 0.05f * around);
        }
    }
}

// A one-pixel rim around the ink: light grey for dark text, dark for bright text.
void addHalo(std::vector<uint8_t>& c, const VSTGUI::CColor& colour, uint32_t tw, uint32_t th)
{
    const float r = colour.red, g = colour.green, b = colour.blue;
    const uint8_t lightness = clampToByte(std::sqrt(0.299f * r * r + 0.587f * g * g + 0.114f * b * b));
    const uint8_t shade = lightness < 80 ? 35 : 0, alpha = lightness < 80 ? 35 : 55;
    const auto at = [&](uint32_t x, uint32_t y) { return &c[(size_t(y) * tw + x) * 4]; };
    const auto rimIt = [&](uint8_t* p) { p[0] = p[1] = p[2] = shade, p[3] = alpha; };
    for (uint32_t y = 0; y + 1 < th; ++y)
        for (uint32_t x = 0; x + 1 < tw; ++x)
            if (!at(x, y)[0] && (at(x + 1, y)[0] || at(x, y + 1)[0]))
                rimIt(at(x, y));
    for (uint32_t y = th - 1; y >= 1; --y)
        for (uint32_t x = tw - 1; x >= 1; --x)
            if (!at(x, y)[0] && (at(x - 1, y)[0] || at(x, y - 1)[0]))
                rimIt(at(x, y));
}

} // namespace

GlyphBuffer::GlyphBuffer(int64_t w, int64_t h, bool slant, bool bold) : slant(slant), bold(bold)
{
    if (w < 1 || h < 1 || w > kMaxSide || h > kMaxSide)
        return;
    width = uint32_t(w);
    height = uint32_t(h);
    size = width * height;
    pixels.assign(size, 0);
    rowOffsets.resize(height);
}

VSTGUI::CBitmap* renderGlyphBuffer(GlyphBuffer& buffer, const VSTGUI::CColor& colour, int64_t targetWidth,
                                   int64_t targetHeight)
{
    if (!buffer.hasPixels() || buffer.rowOffsets.size() != buffer.height || targetWidth < 1 ||
        targetHeight < 1 || targetWidth > kMaxTargetSide || targetHeight > kMaxTargetSide)
        return nullptr;
    if (buffer.slant && !buffer.slantApplied) {
        buffer.slantApplied = true;
        applySlant(buffer);
    }
    if (buffer.bold && !buffer.boldApplied) {
        buffer.boldApplied = true;
        applyBold(buffer);
    }
    const uint32_t tw = uint32_t(targetWidth), th = uint32_t(targetHeight);
    const size_t count = size_t(tw) * th;
    std::vector<uint8_t> a(count, 0), b, c(count * 4, 0);
    if (th == buffer.height)
        std::copy_n(buffer.pixels.begin(), std::min<size_t>(buffer.size, count), a.begin());
    else
        reduce(buffer, a, tw, th);
    sharpen(a, b, tw, th);
    for (size_t i = 0; i < count; ++i) {
        if (b[i] <= 10)
            continue;
        const float f = float(b[i]) / 255.f;
        c[i * 4] = uint8_t(f * float(colour.blue));
        c[i * 4 + 1] = uint8_t(f * float(colour.green));
        c[i * 4 + 2] = uint8_t(f * float(colour.red));
        c[i * 4 + 3] = b[i];
    }
    if (th != buffer.height && colour.red > 0 && colour.green > 0 && colour.blue > 0)
        addHalo(c, colour, tw, th);

    auto* bitmap = new VSTGUI::CBitmap(double(tw), double(th));
    VSTGUI::CBitmapPixelAccess* access = VSTGUI::CBitmapPixelAccess::create(bitmap, true);
    if (!access || !access->getAddress()) {
        if (access)
            access->forget();
        bitmap->forget();
        return nullptr;
    }
    const size_t available = size_t(std::max(access->getBytesPerRow(), 0)) * size_t(std::max(access->getBitmapHeight(), 0));
    std::memcpy(access->getAddress(), c.data(), std::min(available, c.size()));
    bitmap->getPlatformBitmap()->pixelsChanged();
    access->forget();
    return bitmap;
}

void copyGlyph(GlyphBuffer& buffer, const GlyphImage& glyphImage, const VSTGUI::CRect& glyphRect,
               const VSTGUI::CPoint& point)
{
    if (!(point.x >= 0 && point.x < buffer.width && point.y >= 0 && point.y < buffer.height) ||
        glyphImage.mask.empty() || !buffer.hasPixels())
        return;
    const int64_t x0 = int64_t(point.x), y0 = int64_t(point.y);
    const int64_t maskWidth = glyphImage.width;
    const int64_t maskRows = maskWidth ? int64_t(glyphImage.mask.size()) / maskWidth : 0;
    const int64_t top = toIndex(std::min(glyphRect.top, glyphRect.bottom)), left = toIndex(glyphRect.left);
    if (top < 0 || left < 0)
        return;
    // The copy stops at the buffer's edges and at the mask's, whatever the rectangle says.
    const int64_t rows = std::min({toIndex(glyphRect.bottom - glyphRect.top), int64_t(buffer.height) - y0, maskRows - top});
    const int64_t columns = std::min({toIndex(glyphRect.right - glyphRect.left), int64_t(buffer.width) - x0, maskWidth - left});
    for (int64_t r = 0; r < rows; ++r)
        for (int64_t x = 0; x < columns; ++x)
            buffer.pixels[size_t(y0 + r) * buffer.width + size_t(x0 + x)] = glyphImage.mask[size_t((top + r) * maskWidth + left + x)];
}
