#pragma once

#include "vstgui/CBaseObject.h"
#include "vstgui/CColor.h"
#include "vstgui/CFontDesc.h"
#include "vstgui/CRect.h"
#include "vstgui/IPlatformBitmap.h"
#include "vstgui/SharedPointer.h"

namespace VSTGUI {

class CBitmap;

// The software renderer: draws into a platform bitmap's premultiplied BGRA pixels with
// source-over blending, clipped to the clip rectangle. Every coordinate is rounded to whole
// pixels; any rectangle, offset or size (empty, negative, huge or NaN) only ever touches pixels
// inside the target and inside the source bitmap.
class CDrawContext : public CBaseObject {
public:
    // Draws into target; a null target draws nothing.
    explicit CDrawContext(IPlatformBitmap* target);

    void setFillColor(const CColor& color) { fillColor = color; }
    CColor getFillColor() const { return fillColor; }
    void setFrameColor(const CColor& color) { frameColor = color; }
    CColor getFrameColor() const { return frameColor; }
    void setFontColor(const CColor& color) { fontColor = color; }
    CColor getFontColor() const { return fontColor; }
    void setLineWidth(CCoord width) { lineWidth = width; }
    CCoord getLineWidth() const { return lineWidth; }

    // Uses font at size (0: the font's own size, taken now) and style (-1: the font's own).
    void setFont(const CFontRef font, const CCoord& size = 0, const int32_t& style = -1);
    CFontRef getFont() const { return font.get(); }

    void setClipRect(const CRect& clip);
    CRect& getClipRect(CRect& clip) const;
    void resetClipRect();

    // Filled covers the rectangle's pixels; stroked draws a frame of the line width (at least
    // one pixel) inside them.
    void drawRect(const CRect& rect, CDrawStyle style = kDrawStroked);
    // Draws bitmap unscaled: pixel (x, y) of rect shows source pixel offset + (x, y) - rect's
    // top-left; source pixels outside the bitmap leave the target as it was.
    void drawBitmap(CBitmap* bitmap, const CRect& dest, const CPoint& offset = CPoint(0, 0), float alpha = 1.f);

    CCoord getStringWidth(UTF8StringPtr string);
    // Draws one line in rect with the font and font colour: aligned horizontally, capital
    // letters centred vertically, clipped to rect.
    void drawString(UTF8StringPtr string, const CRect& rect, CHoriTxtAlign align = kCenterText, bool antialias = true);

    // Translation applied to every coordinate (containers draw their children in their own
    // coordinates through it).
    void setOffset(const CPoint& newOffset) { offset = newOffset; }
    CPoint getOffset() const { return offset; }

protected:
    IPlatformBitmap* getTarget() const { return target.get(); }

private:
    struct PixelRect {
        int32_t left = 0;
        int32_t top = 0;
        int32_t right = 0;
        int32_t bottom = 0;
        bool isEmpty() const { return right <= left || bottom <= top; }
        PixelRect intersect(const PixelRect& other) const;
    };

    // The rectangle in target pixels, clipped; false (nothing to draw) when empty or NaN.
    bool toClippedPixels(const CRect& rect, PixelRect& out) const;
    void fill(const PixelRect& area, const CColor& color);
    void blendCoverage(int32_t left, int32_t top, int32_t width, int32_t height, const uint8_t* coverage,
                       int32_t stride, const PixelRect& clip, bool antialias);

    SharedPointer<IPlatformBitmap> target;
    PixelRect clipRect;
    CPoint offset;
    CColor fillColor = kWhiteCColor;
    CColor frameColor = kBlackCColor;
    CColor fontColor = kWhiteCColor;
    CCoord lineWidth = 1;
    SharedPointer<CFontDesc> font;
    CCoord fontSize = 0;
};

} // namespace VSTGUI
