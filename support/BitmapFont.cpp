#include "support/BitmapFont.h"

#include "support/FontMath.h"
#include "support/ResourceBitmap.h"
#include "vstgui/CBitmap.h"
#include "vstgui/CDrawContext.h"

#include <algorithm>
#include <cmath>
#include <cstring>

using FontMath::toInt32;

namespace {

bool usableImageSize(double width, double height)
{
    return width > 5 && width < 10000 && height > 5 && height < 1000;
}

// Bytes 128 to 255 and the terminating NUL are looked up as "*".
uint8_t lookupCode(char character)
{
    const auto code = static_cast<signed char>(character);
    return code <= 0 ? uint8_t('*') : uint8_t(code);
}

} // namespace

BitmapFont::BitmapFont()
{
    std::fill(std::begin(glyphIndex), std::end(glyphIndex), -1);
    for (int32_t p = 0; p < kGlyphCount; ++p) {
        const auto code = uint8_t(fontCharset[p]);
        if (code >= 1 && code < kCodes)
            glyphIndex[code] = p;
    }
    std::memset(kerning, 0, sizeof(kerning));
}

BitmapFont::~BitmapFont()
{
    sheetFrame = nullptr;
    image = nullptr;
    clearStringCache();
    delete glyphImage;
    glyphImage = nullptr;
}

int32_t BitmapFont::glyphOf(char character) const
{
    const int32_t glyph = glyphIndex[lookupCode(character)];
    return glyph >= 0 && glyph < kGlyphCount ? glyph : -1;
}

int32_t BitmapFont::kerningOf(char character, char partner) const
{
    return kerning[lookupCode(character)][lookupCode(partner)];
}

void BitmapFont::clearImage()
{
    size = halfPad = pad = 0;
    scale = 1.f;
    image = nullptr;
    delete glyphImage;
    glyphImage = nullptr;
    glyphRects = nullptr;
}

bool BitmapFont::glyphImageUsable() const
{
    return glyphImage && usableImageSize(glyphImage->width, glyphImage->height);
}

void BitmapFont::setImage(VSTGUI::CBitmap* newImage, int32_t newSize)
{
    clearStringCache();
    if (!newImage || !newImage->getPlatformBitmap()) {
        clearImage();
        return;
    }
    const double w = newImage->getWidth(), h = newImage->getHeight();
    if (!usableImageSize(w, h))
        return;
    delete glyphImage;
    glyphImage = new GlyphImage(int32_t(w), int32_t(h));
    glyphImage->layoutSelector = layoutSelector;
    // With a marker count other than kGlyphCount the message has been shown and the rectangles
    // found are used; the rest stay empty. Every detected rectangle lies inside the image, and
    // drawing clips to the mask and the bitmap, so none reads outside them.
    glyphImage->parseImage(newImage);
    glyphRects = glyphImage->glyphRects.data();
    image = newImage;
    if (!glyphImageUsable())
        return;
    setSize(newSize);
}

void BitmapFont::setSize(int32_t newSize)
{
    if (!glyphImageUsable())
        return;
    clearStringCache();
    const auto height = int32_t(glyphImage->height);
    size = std::min(std::max(newSize, 5), height);
    scale = float(size) / float(height);
    if (scale >= 0.95f)
        scale = 1.f;
    if (scale < 0.05f)
        scale = 0.05f;
    pad = int32_t(scale * 32.f);
    halfPad = pad >> 1;
}

void BitmapFont::loadKerning(const KerningRecord* records, int32_t count)
{
    clearStringCache();
    for (int32_t i = 0; records && i < count; ++i) {
        const KerningRecord& record = records[i];
        // The table has no row or column for code 255.
        if (record.first >= kCodes || record.second >= kCodes)
            continue;
        kerning[record.first][record.second] = int16_t(uint16_t(record.adjustment[0] | record.adjustment[1] << 8));
    }
    kerningEnabled = true;
}

int32_t BitmapFont::getLineHeight() const
{
    if (!glyphImage)
        return kNoImageLineHeight;
    return toInt32(std::ceil(float(glyphImage->height) * scale));
}

int32_t BitmapFont::platformStringWidth(const char* text, VSTGUI::CDrawContext* context)
{
    if (!context)
        return 0;
    context->setFont(platformFont, 0, -1);
    return toInt32(double(toInt32(context->getStringWidth(text))) + 3);
}

int32_t BitmapFont::getStringWidth(const char* text, VSTGUI::CDrawContext* context)
{
    if (layoutSelector != GlyphImage::kDetectFromMarkers)
        return getStringWidthDirect(text, context);
    if (!useImage)
        return platformStringWidth(text, context);
    if (!glyphRects || !text)
        return 0;
    // 64 bits: neither a long text nor a large spacing overflows the sum.
    int64_t sum = 0;
    for (const char* c = text; *c; ++c) {
        const int32_t glyph = glyphOf(*c);
        if (glyph < 0)
            continue;
        const VSTGUI::CRect& r = glyphRects[glyph];
        sum += int64_t(toInt32(r.right - r.left)) + spacing + (kerningEnabled ? kerningOf(c[0], c[1]) : 0);
    }
    return toInt32(std::ceil(float(sum) * scale));
}

int32_t BitmapFont::getStringWidthDirect(const char* text, VSTGUI::CDrawContext* context)
{
    if (!useImage)
        return platformStringWidth(text, context);
    if (!image || !glyphRects || !text)
        return 0;
    double sum = 0;
    const size_t n = std::strlen(text);
    for (size_t i = 0; i < n; ++i) {
        const int32_t glyph = glyphOf(text[i]);
        if (glyph >= 0)
            sum += glyphRects[glyph].right - glyphRects[glyph].left;
        if (kerningEnabled)
            sum += kerningOf(text[i], text[i + 1]);
    }
    // An empty text measures 0, not -spacing: there is no gap between characters to take away.
    if (n > 0)
        sum += double(spacing) * double(n - 1);
    return toInt32(sum);
}

void BitmapFont::clearStringCache()
{
    for (StringCacheEntry& entry : stringCache)
        releaseBitmap(&entry.bitmap);
    stringCache.clear();
}

VSTGUI::CBitmap* BitmapFont::cachedBitmap(const std::string& key)
{
    const auto found = std::find_if(stringCache.begin(), stringCache.end(),
                                    [&](const StringCacheEntry& entry) { return entry.key == key; });
    if (found == stringCache.end())
        return nullptr;
    stringCache.splice(stringCache.begin(), stringCache, found);
    return found->bitmap;
}

void BitmapFont::keepBitmap(std::string key, VSTGUI::CBitmap* bitmap)
{
    bitmap->remember();
    stringCache.push_front({std::move(key), bitmap});
    while (stringCache.size() > kStringCacheCapacity) {
        releaseBitmap(&stringCache.back().bitmap);
        stringCache.pop_back();
    }
}
