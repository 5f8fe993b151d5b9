#include "vstgui/FontFace.h"

#include <stb_truetype.h>

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <vector>

extern const unsigned char kLiberationSansRegular[];
extern const std::size_t kLiberationSansRegularSize;

namespace VSTGUI {

namespace {

// Decodes one UTF-8 sequence at text[pos]; malformed input yields U+FFFD and advances one byte.
char32_t nextCodepoint(std::string_view text, size_t& pos)
{
    const auto byte = [&](size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(pos);
    int length = lead < 0x80 ? 1 : (lead >> 5) == 0x6 ? 2 : (lead >> 4) == 0xE ? 3 : (lead >> 3) == 0x1E ? 4 : 0;
    if (length == 0 || pos + size_t(length) > text.size()) {
        ++pos;
        return 0xFFFD;
    }
    char32_t code = length == 1 ? lead : lead & (0x7F >> length);
    for (int i = 1; i < length; ++i) {
        const unsigned char next = byte(pos + size_t(i));
        if ((next & 0xC0) != 0x80) {
            ++pos;
            return 0xFFFD;
        }
        code = (code << 6) | (next & 0x3F);
    }
    pos += size_t(length);
    return code;
}

bool usableSize(double pixelSize)
{
    return pixelSize > 0 && std::isfinite(pixelSize);
}

} // namespace

struct FontFace::Impl {
    stbtt_fontinfo info{};
    bool valid = false;
    int capHeightUnits = 0;

    float scale(double pixelSize) const
    {
        return stbtt_ScaleForMappingEmToPixels(&info, float(std::min(pixelSize, kMaxPixelSize)));
    }

    // Calls step(glyph, penX) for every glyph, advancing with kerning; returns the end pen.
    template <typename Step> double layout(std::string_view text, float scale, double x, Step step) const
    {
        int previous = 0;
        for (size_t pos = 0; pos < text.size();) {
            const int glyph = stbtt_FindGlyphIndex(&info, int(nextCodepoint(text, pos)));
            if (previous)
                x += scale * stbtt_GetGlyphKernAdvance(&info, previous, glyph);
            step(glyph, x);
            int advance = 0;
            int bearing = 0;
            stbtt_GetGlyphHMetrics(&info, glyph, &advance, &bearing);
            x += scale * advance;
            previous = glyph;
        }
        return x;
    }
};

FontFace::FontFace() : impl(std::make_unique<Impl>())
{
    const int offset = stbtt_GetFontOffsetForIndex(kLiberationSansRegular, 0);
    impl->valid = offset >= 0 && stbtt_InitFont(&impl->info, kLiberationSansRegular, offset) != 0;
    if (impl->valid) {
        int x0 = 0, y0 = 0, x1 = 0, y1 = 0;
        if (stbtt_GetCodepointBox(&impl->info, 'H', &x0, &y0, &x1, &y1))
            impl->capHeightUnits = y1;
    }
}

FontFace::~FontFace() = default;

const FontFace& FontFace::standard()
{
    static const FontFace face;
    return face;
}

double FontFace::getStringWidth(std::string_view utf8, double pixelSize) const
{
    if (!impl->valid || !usableSize(pixelSize))
        return 0;
    return impl->layout(utf8, impl->scale(pixelSize), 0.0, [](int, double) {});
}

double FontFace::getCapHeight(double pixelSize) const
{
    if (!impl->valid || !usableSize(pixelSize))
        return 0;
    return impl->capHeightUnits * double(impl->scale(pixelSize));
}

void FontFace::drawString(std::string_view utf8, double pixelSize, double x, double baselineY,
                          const GlyphSink& sink) const
{
    if (!impl->valid || !usableSize(pixelSize) || !std::isfinite(x) || !std::isfinite(baselineY))
        return;
    const float scale = impl->scale(pixelSize);
    const double baseline = std::floor(baselineY + 0.5);
    std::vector<uint8_t> mask;
    impl->layout(utf8, scale, x, [&](int glyph, double penX) {
        const double whole = std::floor(penX);
        const float shift = float(penX - whole);
        int x0 = 0, y0 = 0, x1 = 0, y1 = 0;
        stbtt_GetGlyphBitmapBoxSubpixel(&impl->info, glyph, scale, scale, shift, 0, &x0, &y0, &x1, &y1);
        const int w = x1 - x0;
        const int h = y1 - y0;
        if (w <= 0 || h <= 0)
            return;
        mask.assign(size_t(w) * size_t(h), 0);
        stbtt_MakeGlyphBitmapSubpixel(&impl->info, mask.data(), w, h, w, scale, scale, shift, 0, glyph);
        // Pen positions beyond the int range cannot reach a buffer anyway.
        if (std::fabs(whole) < 1e9 && std::fabs(baseline) < 1e9)
            sink(int32_t(whole) + x0, int32_t(baseline) + y0, w, h, mask.data(), w);
    });
}

} // namespace VSTGUI
