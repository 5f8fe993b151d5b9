#pragma once

// Where the custom controls meet the bitmap font: its line height, its string width and its
// drawString. The font class is not part of the program yet, so no control can hold one and
// these are never reached; they answer as a font without glyphs (20 pixels high, text 0 wide,
// nothing drawn). When the font arrives, these three calls become its own.

#include "vstgui/CColor.h"
#include "vstgui/CDrawContext.h"
#include "vstgui/CRect.h"

class BitmapFont;

namespace VSTGUI {

int32_t bitmapFontLineHeight(const BitmapFont& font);
int32_t bitmapFontStringWidth(const BitmapFont& font, CDrawContext* context, const char* text);
// Draws text into rect with colour and alignment (0 left, 1 centred, 2 right) at drawScale,
// slant and bold off, as every custom control calls it.
void bitmapFontDrawString(const BitmapFont& font, CDrawContext* context, const char* text, const CRect& rect,
                          const CColor& colour, int32_t alignment, float drawScale);

} // namespace VSTGUI
