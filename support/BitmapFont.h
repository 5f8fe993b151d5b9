#pragma once

#include "support/FontCharset.h"
#include "support/GlyphImage.h"
#include "vstgui/CColor.h"
#include "vstgui/CFontDesc.h"
#include "vstgui/CRect.h"

#include <cstdint>
#include <list>
#include <string>

namespace VSTGUI {
class CBitmap;
class CDrawContext;
class CFrame;
} // namespace VSTGUI

class GlyphBuffer;

// One drawn text kept for reuse: the key names everything its pixels depend on.
struct StringCacheEntry {
    std::string key;
    // One reference, released when the entry goes.
    VSTGUI::CBitmap* bitmap = nullptr;
};

// One unit of a kerning table: the pair of character codes and the advance adjustment after the
// first, in image pixels (negative moves the second closer). Bytes 2 and 3 are little-endian.
struct KerningRecord {
    uint8_t first;
    uint8_t second;
    uint8_t adjustment[2];
};
static_assert(sizeof(KerningRecord) == 4);

// Measures and draws text with glyphs cut out of one font image (see GlyphImage), scaled to a
// pixel height, with pair kerning and extra spacing; with useImage false, with a platform font.
// Texts are NUL-terminated byte strings: bytes 128 to 255 are taken as "*". Every size, code and
// kerning value stays inside the font's tables and the image. User-interface thread only: a
// bold drawString changes spacing for the duration of the call.
class BitmapFont {
public:
    static constexpr int32_t kCodes = 255;
    static constexpr int32_t kNoImageLineHeight = 20;
    // At most this many drawn texts are kept when useStringCache is set; the least recently
    // drawn goes first.
    static constexpr size_t kStringCacheCapacity = 64;

    BitmapFont();
    ~BitmapFont();
    BitmapFont(const BitmapFont&) = delete;
    BitmapFont& operator=(const BitmapFont&) = delete;

    // Takes the glyphs from image (borrowed: the caller keeps it alive) and applies size. A null
    // image, or one without a platform bitmap, returns the font to having no image; an image
    // outside 6..9999 x 6..999 pixels leaves it unchanged. With a marker count other than
    // kGlyphCount the glyphs found are used, those not found are empty.
    void setImage(VSTGUI::CBitmap* image, int32_t size);
    // The text height in image pixels, clamped to 5..the image height.
    void setSize(int32_t size);
    // Adds count records to the kerning table (a later record for a pair wins; codes above 254
    // are ignored) and switches kerning on.
    void loadKerning(const KerningRecord* records, int32_t count);
    void clearStringCache();

    int32_t getLineHeight() const;
    // Width in drawn pixels at the font's size; context is used only with the platform font.
    int32_t getStringWidth(const char* text, VSTGUI::CDrawContext* context);
    // Width in image pixels.
    int32_t getStringWidthDirect(const char* text, VSTGUI::CDrawContext* context);

    // Draws text in rect at the font's size times drawScale: left, centred or right (alignment
    // 0, 1, 2), vertically centred. On the glyph road rect becomes where the text was drawn.
    void drawString(const char* text, VSTGUI::CDrawContext* context, VSTGUI::CRect& rect,
                    const VSTGUI::CColor* colour, int32_t alignment, float drawScale, bool slant, bool bold);
    // Copies the glyphs from the image at its own size and colours.
    void drawStringDirect(const char* text, VSTGUI::CDrawContext* context, const VSTGUI::CRect& rect,
                          const VSTGUI::CColor* colour, int32_t alignment);
    // A diagnostic sheet of every glyph with its kerning after the blank, once per font.
    void drawKerningSheet();

    // The glyph of a character taken as the text lookup does it, or -1.
    int32_t glyphOf(char character) const;
    // The kerning after character when partner follows.
    int32_t kerningOf(char character, char partner) const;

    bool kerningSheetDrawn = false;
    std::list<StringCacheEntry> stringCache;
    const VSTGUI::CRect* glyphRects = nullptr;
    VSTGUI::CBitmap* image = nullptr;
    GlyphImage* glyphImage = nullptr;
    VSTGUI::CFontDesc* platformFont = VSTGUI::kNormalFontSmall;
    int32_t size = 0;
    int32_t halfPad = 0;
    int32_t pad = 0;
    bool useImage = true;
    bool kerningEnabled = false;
    int32_t spacing = 0;
    int32_t glyphIndex[kCodes];
    int16_t kerning[kCodes][kCodes];
    float scale = 1.f;
    VSTGUI::CFrame* sheetFrame = nullptr;
    int32_t layoutSelector = GlyphImage::kDetectFromMarkers;
    // Keep drawn texts for reuse; off by default, so that every call draws afresh.
    bool useStringCache = false;

    // Running total of the time drawString spends, for inspection.
    static uint32_t drawTimeMicroseconds;

private:
    void clearImage();
    bool glyphImageUsable() const;
    int32_t platformStringWidth(const char* text, VSTGUI::CDrawContext* context);
    void drawPlatformString(const char* text, VSTGUI::CDrawContext* context, const VSTGUI::CRect& rect,
                            const VSTGUI::CColor* colour, int32_t alignment, float drawScale);
    void layOutGlyphs(const char* text, GlyphBuffer& buffer, bool bold);
    VSTGUI::CBitmap* cachedBitmap(const std::string& key);
    void keepBitmap(std::string key, VSTGUI::CBitmap* bitmap);
};
