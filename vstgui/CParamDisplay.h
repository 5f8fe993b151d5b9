#pragma once

#include "vstgui/CColor.h"
#include "vstgui/CControl.h"
#include "vstgui/CFontDesc.h"

namespace VSTGUI {

// Shows its value as text over a filled, framed box.
class CParamDisplay : public CControl {
public:
    CParamDisplay(const CRect& size, CBitmap* background = nullptr, int32_t style = 0);

    void draw(CDrawContext* context) override;
    CView* newCopy() const override { return new CParamDisplay(*this); }

    // The font is remembered. Null is allowed: the display then draws no text.
    virtual void setFont(CFontRef newFont);
    CFontRef getFont() const { return font.get(); }
    virtual void setFontColor(const CColor& color) { fontColor = color; }
    CColor getFontColor() const { return fontColor; }
    virtual void setBackColor(const CColor& color) { backColor = color; }
    CColor getBackColor() const { return backColor; }
    virtual void setFrameColor(const CColor& color) { frameColor = color; }
    CColor getFrameColor() const { return frameColor; }
    virtual void setHoriAlign(CHoriTxtAlign align) { horiTxtAlign = align; }
    CHoriTxtAlign getHoriAlign() const { return horiTxtAlign; }
    int32_t getStyle() const { return style; }

protected:
    // The background picture, or unless transparent the back colour with a frame.
    void drawBack(CDrawContext* context);
    // Draws string over the whole view with the display's font, font colour and alignment;
    // nothing without a font.
    virtual void drawPlatformText(CDrawContext* context, UTF8StringPtr string);

private:
    SharedPointer<CFontDesc> font;
    CColor fontColor = kWhiteCColor;
    CColor backColor = kBlackCColor;
    CColor frameColor = kBlackCColor;
    CHoriTxtAlign horiTxtAlign = kCenterText;
    int32_t style;
};

} // namespace VSTGUI
