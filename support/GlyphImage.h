#pragma once

#include "support/FontCharset.h"
#include "support/RasterCanvas.h"
#include "vstgui/CRect.h"

#include <array>
#include <cstdint>
#include <vector>

// The bitmap font's copy of its font image: the canvas holds the image's pixels, mask their
// coverage (byte 0 of each pixel), glyphRects where each glyph of fontCharset sits. The
// rectangles come from the marker row of the image, or from one of three built-in layouts.
class GlyphImage : public RasterCanvas {
public:
    static constexpr int32_t kDetectFromMarkers = -1;
    static constexpr int32_t kBuiltInLayouts = 3;
    static constexpr char kErrorCaption[] = "The font image error";

    GlyphImage(int32_t width, int32_t height);
    ~GlyphImage();

    // Reloads the canvas from bitmap and finds the glyphs (layoutSelector -1) or takes the
    // built-in layout it names. A marker count other than kGlyphCount is shown in a message box;
    // the rectangles found stay, those not found stay zero.
    void parseImage(VSTGUI::CBitmap* bitmap);

    // The built-in layout's glyph height, 0 for a selector that names none.
    static int32_t builtInLayoutHeight(int32_t selector);

    std::array<VSTGUI::CRect, kGlyphCount> glyphRects{};
    int32_t layoutSelector = kDetectFromMarkers;
    uint32_t maskSize = 0;
    std::vector<uint8_t> mask;

private:
    void detectGlyphs(VSTGUI::CBitmap* bitmap);
    void applyBuiltInLayout(int32_t selector);
};
