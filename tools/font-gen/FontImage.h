#pragma once

#include "vstgui/IPlatformBitmap.h"
#include "vstgui/SharedPointer.h"

#include <cstdint>

// The font image the bitmap font reads: the glyphs of fontCharset in one row, drawn white with
// their coverage as alpha from the embedded Liberation Sans face, each followed by one opaque
// magenta marker pixel in row 0. The width is padded with empty columns to a multiple of 4.
class FontImage {
public:
    static constexpr int32_t kNativeHeight = 28;

    // The image height pixels high (8 to 200); null outside that range.
    static VSTGUI::SharedPointer<VSTGUI::IPlatformBitmap> render(int32_t height);
};
