#include "vstgui/CDrawContext.h"

#include "vstgui/CBitmap.h"
#include "vstgui/FontFace.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <utility>

namespace VSTGUI {

namespace {

// Coordinates are clamped to this before they become integers, so that no conversion overflows
// and sums of two of them fit comfortably in 64 bits.
constexpr double kCoordinateLimit = double(1 << 30);

int32_t toPixel(double value)
{
    return int32_t(std::clamp(std::floor(value + 0.5), -kCoordinateLimit, kCoordinateLimit));
}

uint8_t scaleByte(unsigned value, unsigned factor)
{
    return uint8_t((value * factor + 127) / 255);
}

// Source-over of one premultiplied pixel onto another.
void blendPixel(uint8_t* destination, uint8_t blue, uint8_t green, uint8_t red, uint8_t alpha)
{
    const unsigned inverse = 255u - alpha;
    destination[0] = uint8_t(blue + scaleByte(destination[0], inverse));
    destination[1] = uint8_t(green + scaleByte(destination[1], inverse));
    destination[2] = uint8_t(red + scaleByte(destination[2], inverse));
    destination[3] = uint8_t(alpha + scaleByte(destination[3], inverse));
}

} // namespace

CDrawContext::PixelRect CDrawContext::PixelRect::intersect(const PixelRect& other) const
{
    PixelRect result{std::max(left, other.left), std::max(top, other.top), std::min(right, other.right),
                     std::min(bottom, other.bottom)};
    if (result.isEmpty())
        result = PixelRect{};
    return result;
}

CDrawContext::CDrawContext(IPlatformBitmap* target) : target(target), font(kSystemFont)
{
    fontSize = kSystemFont->getSize();
    resetClipRect();
}

void CDrawContext::setFont(const CFontRef newFont, const CCoord& size, const int32_t& style)
{
    (void)style; // the embedded face has one style
    font = newFont ? newFont : kSystemFont;
    fontSize = size > 0 ? size : font->getSize();
}

void CDrawContext::setClipRect(const CRect& clip)
{
    resetClipRect();
    PixelRect area;
    clipRect = toClippedPixels(clip, area) ? area : PixelRect{};
}

CRect& CDrawContext::getClipRect(CRect& clip) const
{
    clip = CRect(clipRect.left, clipRect.top, clipRect.right, clipRect.bottom);
    clip.offset(-offset.x, -offset.y);
    return clip;
}

void CDrawContext::resetClipRect()
{
    clipRect = target ? PixelRect{0, 0, target->getPixelWidth(), target->getPixelHeight()} : PixelRect{};
}

bool CDrawContext::toClippedPixels(const CRect& rect, PixelRect& out) const
{
    const double left = rect.left + offset.x;
    const double top = rect.top + offset.y;
    const double right = rect.right + offset.x;
    const double bottom = rect.bottom + offset.y;
    if (std::isnan(left) || std::isnan(top) || std::isnan(right) || std::isnan(bottom))
        return false;
    out = PixelRect{toPixel(left), toPixel(top), toPixel(right), toPixel(bottom)}.intersect(clipRect);
    return !out.isEmpty();
}

void CDrawContext::fill(const PixelRect& area, const CColor& color)
{
    if (area.isEmpty() || color.alpha == 0)
        return;
    const uint8_t a = color.alpha;
    const uint8_t pixel[4] = {scaleByte(color.blue, a), scaleByte(color.green, a), scaleByte(color.red, a), a};
    uint8_t* base = target->getPixels();
    const size_t stride = size_t(target->getBytesPerRow());
    for (int32_t y = area.top; y < area.bottom; ++y) {
        uint8_t* row = base + size_t(y) * stride + size_t(area.left) * 4;
        for (int32_t x = area.left; x < area.right; ++x, row += 4) {
            if (a == 255)
                std::memcpy(row, pixel, 4);
            else
                blendPixel(row, pixel[0], pixel[1], pixel[2], pixel[3]);
        }
    }
    target->pixelsChanged();
}

void CDrawContext::drawRect(const CRect& rect, CDrawStyle style)
{
    PixelRect area;
    if (!target || !toClippedPixels(rect, area))
        return;
    if (style == kDrawFilled || style == kDrawFilledAndStroked)
        fill(area, fillColor);
    if (style == kDrawFilled)
        return;
    // The frame lies inside the unclipped rectangle; each band is clipped on its own.
    const PixelRect whole{toPixel(rect.left + offset.x), toPixel(rect.top + offset.y),
                          toPixel(rect.right + offset.x), toPixel(rect.bottom + offset.y)};
    const double width = std::isfinite(lineWidth) ? std::clamp(std::floor(lineWidth + 0.5), 1.0, 4096.0) : 1.0;
    const int32_t w = int32_t(width);
    const int32_t topBandEnd = std::min(whole.bottom, whole.top + w);
    const int32_t bottomBandStart = std::max(topBandEnd, whole.bottom - w);
    fill(PixelRect{whole.left, whole.top, whole.right, topBandEnd}.intersect(clipRect), frameColor);
    fill(PixelRect{whole.left, bottomBandStart, whole.right, whole.bottom}.intersect(clipRect), frameColor);
    const int32_t leftBandEnd = std::min(whole.right, whole.left + w);
    const int32_t rightBandStart = std::max(leftBandEnd, whole.right - w);
    fill(PixelRect{whole.left, topBandEnd, leftBandEnd, bottomBandStart}.intersect(clipRect), frameColor);
    fill(PixelRect{rightBandStart, topBandEnd, whole.right, bottomBandStart}.intersect(clipRect), frameColor);
}

void CDrawContext::drawBitmap(CBitmap* bitmap, const CRect& dest, const CPoint& sourceOffset, float alpha)
{
    IPlatformBitmap* source = bitmap ? bitmap->getPlatformBitmap() : nullptr;
    PixelRect area;
    if (!source || !target || !(alpha > 0) || !toClippedPixels(dest, area))
        return;
    if (std::isnan(sourceOffset.x) || std::isnan(sourceOffset.y))
        return;
    // Device pixel x shows source pixel x - originX; only source pixels inside the bitmap draw.
    const int64_t originX = int64_t(toPixel(dest.left + offset.x)) - toPixel(sourceOffset.x);
    const int64_t originY = int64_t(toPixel(dest.top + offset.y)) - toPixel(sourceOffset.y);
    const int64_t left = std::max<int64_t>(area.left, originX);
    const int64_t top = std::max<int64_t>(area.top, originY);
    const int64_t right = std::min<int64_t>(area.right, originX + source->getPixelWidth());
    const int64_t bottom = std::min<int64_t>(area.bottom, originY + source->getPixelHeight());
    if (right <= left || bottom <= top)
        return;

    const unsigned factor = alpha >= 1 ? 255u : unsigned(std::lround(alpha * 255.f));
    const bool copyRows = factor == 255 && source->isOpaque();
    const size_t targetStride = size_t(target->getBytesPerRow());
    const size_t sourceStride = size_t(source->getBytesPerRow());
    const size_t rowBytes = size_t(right - left) * 4;
    for (int64_t y = top; y < bottom; ++y) {
        uint8_t* out = target->getPixels() + size_t(y) * targetStride + size_t(left) * 4;
        const uint8_t* in = std::as_const(*source).getPixels() + size_t(y - originY) * sourceStride + size_t(left - originX) * 4;
        if (copyRows) {
            std::memmove(out, in, rowBytes);
            continue;
        }
        for (size_t i = 0; i < rowBytes; i += 4) {
            const uint8_t sourceAlpha = factor == 255 ? in[i + 3] : scaleByte(in[i + 3], factor);
            if (sourceAlpha == 0)
                continue;
            if (factor == 255 && sourceAlpha == 255) {
                std::memcpy(out + i, in + i, 4);
                continue;
            }
            if (factor == 255)
                blendPixel(out + i, in[i], in[i + 1], in[i + 2], sourceAlpha);
            else
                blendPixel(out + i, scaleByte(in[i], factor), scaleByte(in[i + 1], factor),
                           scaleByte(in[i + 2], factor), sourceAlpha);
        }
    }
    target->pixelsChanged();
}

CCoord CDrawContext::getStringWidth(UTF8StringPtr string)
{
    return string ? FontFace::standard().getStringWidth(string, fontSize) : 0;
}

void CDrawContext::drawString(UTF8StringPtr string, const CRect& rect, CHoriTxtAlign align, bool antialias)
{
    PixelRect clip;
    if (!string || !*string || !target || fontColor.alpha == 0 || !toClippedPixels(rect, clip))
        return;
    const FontFace& face = FontFace::standard();
    const double width = face.getStringWidth(string, fontSize);
    double x = rect.left + offset.x;
    if (align == kCenterText)
        x += (rect.getWidth() - width) / 2;
    else if (align == kRightText)
        x = rect.right + offset.x - width;
    const double baseline = rect.top + offset.y + rect.getHeight() / 2 + face.getCapHeight(fontSize) / 2;
    face.drawString(string, fontSize, std::floor(x + 0.5), baseline,
                    [&](int32_t left, int32_t top, int32_t w, int32_t h, const uint8_t* coverage, int32_t stride) {
                        blendCoverage(left, top, w, h, coverage, stride, clip, antialias);
                    });
}

void CDrawContext::blendCoverage(int32_t left, int32_t top, int32_t width, int32_t height, const uint8_t* coverage,
                                 int32_t stride, const PixelRect& clip, bool antialias)
{
    const PixelRect area = PixelRect{left, top, int32_t(std::min<int64_t>(int64_t(left) + width, INT32_MAX)),
                                     int32_t(std::min<int64_t>(int64_t(top) + height, INT32_MAX))}
                               .intersect(clip);
    if (area.isEmpty())
        return;
    const size_t targetStride = size_t(target->getBytesPerRow());
    for (int32_t y = area.top; y < area.bottom; ++y) {
        uint8_t* out = target->getPixels() + size_t(y) * targetStride + size_t(area.left) * 4;
        const uint8_t* mask = coverage + size_t(y - top) * size_t(stride) + size_t(area.left - left);
        for (int32_t x = area.left; x < area.right; ++x, out += 4, ++mask) {
            const unsigned cover = antialias ? *mask : (*mask >= 128 ? 255u : 0u);
            const uint8_t a = scaleByte(cover, fontColor.alpha);
            if (a != 0)
                blendPixel(out, scaleByte(fontColor.blue, a), scaleByte(fontColor.green, a),
                           scaleByte(fontColor.red, a), a);
        }
    }
    target->pixelsChanged();
}

} // namespace VSTGUI
