#pragma once

#include "vstgui/CColor.h"
#include "vstgui/CPoint.h"
#include "vstgui/CRect.h"

#include <cstdint>
#include <vector>

namespace VSTGUI {
class CBitmap;
}
class GlyphImage;

// The coverage buffer of one drawString call: width x height bytes, pixel (x, y) at
// y x width + x. A size outside 1..kMaxSide in either direction leaves it empty.
class GlyphBuffer {
public:
    static constexpr uint32_t kMaxSide = 9999;

    GlyphBuffer(int64_t width, int64_t height, bool slant, bool bold);

    bool hasPixels() const { return !pixels.empty(); }

    uint32_t width = 0;
    uint32_t height = 0;
    uint32_t size = 0;
    std::vector<uint8_t> pixels;
    std::vector<uint32_t> rowOffsets;
    bool slant = false;
    bool slantApplied = false;
    bool bold = false;
    bool boldApplied = false;
};

// Slants and emboldens the buffer in place (once each), reduces it by area resampling to
// targetWidth x targetHeight, sharpens, colours and, when it was reduced, rims it with a contrast
// halo. Returns a new bitmap carrying one reference, or null for an empty buffer, a target size
// outside 1..10000, or a bitmap that cannot be made.
VSTGUI::CBitmap* renderGlyphBuffer(GlyphBuffer& buffer, const VSTGUI::CColor& colour, int64_t targetWidth,
                                   int64_t targetHeight);

// Copies the mask pixels of glyphRect (image pixels) into the buffer with the rectangle's
// top-left corner at point; what falls outside the buffer or the mask is left out.
void copyGlyph(GlyphBuffer& buffer, const GlyphImage& glyphImage, const VSTGUI::CRect& glyphRect,
               const VSTGUI::CPoint& point);
