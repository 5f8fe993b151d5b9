// BitmapFont's drawing: the glyph-buffer road of drawString, the direct copy, the platform font
// and the kerning sheet.

#include "support/BitmapFont.h"

#include "platform/PerformanceCounter.h"
#include "support/CanvasMath.h"
#include "support/FontMath.h"
#include "support/GlyphBuffer.h"
#include "vstgui/CBitmap.h"
#include "vstgui/CDrawContext.h"
#include "vstgui/COffscreenContext.h"
#include "vstgui/UTF8String.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

using CanvasMath::toIndex;
using FontMath::toInt32;

uint32_t BitmapFont::drawTimeMicroseconds = 0;

namespace {

constexpr size_t kPlatformTextBytes = 512;
constexpr double kGlyphMargin = 16;

int64_t initPerformanceFrequency()
{
    int64_t frequency = 0;
    platform::QueryPerformanceFrequency(&frequency);
    return frequency;
}

const int64_t perfFrequency = initPerformanceFrequency();
int64_t drawStartCount = 0;
int64_t drawEndCount = 0;

void addDrawTime()
{
    platform::QueryPerformanceCounter(&drawEndCount);
    if (perfFrequency <= 0)
        return;
    const int64_t elapsed = drawEndCount - drawStartCount;
    // Whole seconds and the rest apart, so that the product cannot overflow.
    const int64_t micro = elapsed / perfFrequency * 1000000 + elapsed % perfFrequency * 1000000 / perfFrequency;
    BitmapFont::drawTimeMicroseconds += uint32_t(uint64_t(micro));
}

VSTGUI::CHoriTxtAlign horizontalAlign(int32_t alignment)
{
    return alignment == 0 ? VSTGUI::kLeftText : alignment == 2 ? VSTGUI::kRightText : VSTGUI::kCenterText;
}

// Raises a field for the duration of a scope; at the largest value it stays.
class RaisedSpacing {
public:
    RaisedSpacing(int32_t& value, bool raise) : value(value), saved(value)
    {
        if (raise && value < INT32_MAX)
            ++value;
    }
    ~RaisedSpacing() { value = saved; }

private:
    int32_t& value;
    int32_t saved;
};

} // namespace

void BitmapFont::drawPlatformString(const char* text, VSTGUI::CDrawContext* context, const VSTGUI::CRect& rect,
                                    const VSTGUI::CColor* colour, int32_t alignment, float drawScale)
{
    if (!context || !platformFont)
        return;
    const double s0 = platformFont->getSize();
    platformFont->setSize(std::floor(float(s0) * drawScale));
    if (colour)
        context->setFontColor(*colour);
    context->setFont(platformFont, 0, -1);
    const double w = context->getStringWidth(text);
    const double rectW = rect.right - rect.left;
    char shortened[kPlatformTextBytes] = {};
    const char* shown = text;
    if (w > rectW) {
        const float k = std::floor(float(std::strlen(text)) * float(rectW / w));
        std::memcpy(shortened, text, size_t(CanvasMath::clampOrLow(k, 0.f, float(kPlatformTextBytes - 1))));
        shown = shortened;
    }
    context->drawString(VSTGUI::UTF8String(shown).getPlatformString(), rect, horizontalAlign(alignment), true);
    platformFont->setSize(s0);
}

void BitmapFont::layOutGlyphs(const char* text, GlyphBuffer& buffer, bool bold)
{
    const RaisedSpacing boldSpacing(spacing, bold);
    const double imgH = image->getHeight();
    double pen = bold ? kGlyphMargin + 1 : kGlyphMargin;
    for (const char* c = text; *c; ++c) {
        const int32_t glyph = glyphOf(*c);
        if (glyph < 0)
            continue;
        const VSTGUI::CRect& r = glyphRects[glyph];
        const double gw = r.right - r.left;
        if (*c != ' ')
            copyGlyph(buffer, *glyphImage, VSTGUI::CRect(r.left, 0, r.right, imgH), VSTGUI::CPoint(pen, kGlyphMargin));
        pen += double(spacing) + double(toIndex(gw));
        if (kerningEnabled)
            pen += kerningOf(c[0], c[1]);
    }
}

void BitmapFont::drawString(const char* text, VSTGUI::CDrawContext* context, VSTGUI::CRect& rect,
                            const VSTGUI::CColor* colour, int32_t alignment, float drawScale, bool slant, bool bold)
{
    const double rectW = rect.right - rect.left, rectH = rect.bottom - rect.top;
    if (!text || !*text || !(rectW > 0))
        return;
    if (layoutSelector != GlyphImage::kDetectFromMarkers) {
        drawStringDirect(text, context, rect, colour, alignment);
        return;
    }
    platform::QueryPerformanceCounter(&drawStartCount);
    if (!useImage) {
        drawPlatformString(text, context, rect, colour, alignment, drawScale);
        addDrawTime();
        return;
    }
    if (!image || !glyphImage || !glyphRects) {
        addDrawTime();
        return;
    }
    float textW;
    {
        const RaisedSpacing boldSpacing(spacing, bold);
        textW = std::floor(float(getStringWidth(text, nullptr)) * drawScale);
    }
    const double drawW = std::min(rectW, double(textW));
    // A negative width from kerning or spacing is drawn. A NaN, negative or infinite drawing
    // scale, or a width beyond the float range, draws nothing, as an empty text does.
    if (drawW == 0 || !std::isfinite(drawW) || !(drawScale >= 0) || std::isinf(drawScale))
        return;

    const double imgH = image->getHeight();
    const float scaledSize = std::floor(float(size) * drawScale);
    const auto glyphH = uint32_t(std::min(imgH, double(CanvasMath::clampOrLow(scaledSize, 5.f, 1e6f))));
    const double bufH = imgH + 32;
    const int64_t targetHeight = int64_t(glyphH) + pad;
    int64_t targetWidth = toIndex(rectW + pad);
    if (targetWidth % 4)
        targetWidth += 4 - targetWidth % 4;
    const float bufW = float(double(targetWidth) * bufH) / float(targetHeight);

    double x = rectW * 0.5 - drawW * 0.5 + rect.left - halfPad;
    if (alignment == 0) {
        x = rect.left - halfPad;
    } else if (alignment == 2) {
        rect.left = rect.right - drawW;
        x = rect.left - (pad - 1);
    }
    const float y = float(rectH) * 0.5f - float(targetHeight) * 0.5f + float(rect.top) + 1.f;
    rect = VSTGUI::CRect(double(toIndex(x)), double(toIndex(y)), double(toIndex(x) + targetWidth),
                         double(toIndex(y) + targetHeight));

    const VSTGUI::CColor ink = colour ? *colour : VSTGUI::kBlackCColor;
    std::string key;
    VSTGUI::CBitmap* bitmap = nullptr;
    if (useStringCache) {
        char parameters[96];
        std::snprintf(parameters, sizeof(parameters), "|%u.%u.%u|%lld.%lld|%d.%d|%d.%d.%d", ink.red, ink.green,
                      ink.blue, (long long)targetWidth, (long long)targetHeight, int(slant), int(bold), spacing,
                      int(kerningEnabled), size);
        key = std::string(text) + parameters;
        bitmap = cachedBitmap(key);
        if (bitmap)
            bitmap->remember();
    }
    if (!bitmap) {
        GlyphBuffer buffer(toIndex(bufW), toIndex(bufH), slant, bold);
        layOutGlyphs(text, buffer, bold);
        bitmap = renderGlyphBuffer(buffer, ink, targetWidth, targetHeight);
        if (bitmap && useStringCache)
            keepBitmap(std::move(key), bitmap);
    }
    if (bitmap) {
        if (context)
            bitmap->draw(context, rect, VSTGUI::CPoint(0, 0), 1.f);
        bitmap->forget();
    }
    addDrawTime();
}

void BitmapFont::drawStringDirect(const char* text, VSTGUI::CDrawContext* context, const VSTGUI::CRect& rect,
                                  const VSTGUI::CColor* colour, int32_t alignment)
{
    if (!text || !*text || !context)
        return;
    if (!useImage) {
        if (colour)
            context->setFontColor(*colour);
        context->setFont(platformFont, 0, -1);
        context->drawString(text, rect, horizontalAlign(alignment), true);
        return;
    }
    if (!image || !glyphRects)
        return;
    const int32_t w = getStringWidthDirect(text, nullptr);
    if (w <= 0)
        return;
    const double rectW = rect.right - rect.left, rectH = rect.bottom - rect.top;
    const double imgH = image->getHeight();
    const double x0 = std::floor(alignment == 1 ? rectW * 0.5 - w * 0.5 : alignment == 2 ? rectW - w : 0);
    double advance = 0;
    for (const char* c = text; *c; ++c) {
        const int32_t glyph = glyphOf(*c);
        if (glyph < 0)
            continue;
        const VSTGUI::CRect& r = glyphRects[glyph];
        const double gw = r.right - r.left;
        const VSTGUI::CPoint origin(x0 + rect.left + advance, rectH * 0.5 - imgH * 0.5 + rect.top);
        advance += double(spacing) + gw + (kerningEnabled ? kerningOf(c[0], c[1]) : 0);
        image->draw(context, VSTGUI::CRect(origin, VSTGUI::CPoint(gw, imgH)), VSTGUI::CPoint(r.left, 0), 1.f);
    }
}

void BitmapFont::drawKerningSheet()
{
    if (kerningSheetDrawn)
        return;
    kerningSheetDrawn = true;
    if (!image || !glyphImage || !glyphRects || !sheetFrame)
        return;
    const double h = double(toIndex(image->getHeight()));
    const double sheetHeight = kGlyphCount * h + 20;
    const bool savedUseImage = useImage;
    useImage = true;
    auto context = VSTGUI::COffscreenContext::create(sheetFrame, 400, sheetHeight, 1.0);
    if (!context) {
        useImage = savedUseImage;
        return;
    }
    context->setFillColor(VSTGUI::CColor(0, 0, 0, 255));
    context->setFrameColor(VSTGUI::CColor(0, 0, 0, 255));
    context->drawRect(VSTGUI::CRect(0, 0, 400, sheetHeight), VSTGUI::kDrawFilledAndStroked);
    for (int32_t i = 1; i < kGlyphCount; ++i) {
        const char pair[3] = {fontCharset[0], fontCharset[i], 0};
        char line[64];
        std::snprintf(line, sizeof(line), "|%s |  %d %d", pair, int(uint8_t(fontCharset[0])), int(uint8_t(fontCharset[i])));
        const double top = 20 + (i - 1) * h;
        double pen = 0;
        for (const char* c = line; *c; ++c) {
            const int32_t glyph = glyphOf(*c);
            if (glyph < 0)
                continue;
            const VSTGUI::CRect& r = glyphRects[glyph];
            const VSTGUI::CRect dest(VSTGUI::CPoint(20 + pen, top), VSTGUI::CPoint(r.right - r.left, h));
            image->draw(context, dest, VSTGUI::CPoint(r.left, 0), 1.f);
            pen += kerningOf(c[0], c[1]) + (r.right - r.left);
        }
    }
    useImage = savedUseImage;
}
