#pragma once

#include "vstgui/COffscreenContext.h"
#include "vstgui/SharedPointer.h"

// A sheet of the bitmap font: the font image's glyphs at several sizes, slanted, bold, with and
// without kerning, dark on light and light on dark, the direct copy, and the platform font beside.
class TextSheet {
public:
    static constexpr int kWidth = 720;
    static constexpr int kHeight = 420;

    // The sheet, drawn anew; null when no offscreen context or font image could be made.
    static VSTGUI::SharedPointer<VSTGUI::COffscreenContext> draw();
};
