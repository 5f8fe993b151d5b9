#include "vstgui/CParamDisplay.h"

#include "vstgui/CDrawContext.h"

#include <cstdio>

namespace VSTGUI {

CParamDisplay::CParamDisplay(const CRect& size, CBitmap* background, int32_t style)
    : CControl(size, nullptr, -1, background), font(kSystemFont), style(style)
{
}

void CParamDisplay::setFont(CFontRef newFont)
{
    font = newFont;
    setDirty(true);
}

void CParamDisplay::drawBack(CDrawContext* context)
{
    if (CBitmap* picture = getDrawBackground()) {
        picture->draw(context, getViewSize());
        return;
    }
    if (getTransparency())
        return;
    context->setFillColor(backColor);
    context->setFrameColor(frameColor);
    context->setLineWidth(1);
    context->drawRect(getViewSize(), kDrawFilledAndStroked);
}

void CParamDisplay::draw(CDrawContext* context)
{
    drawBack(context);
    char text[32];
    std::snprintf(text, sizeof(text), "%.2f", double(getValue()));
    drawPlatformText(context, text);
    setDirty(false);
}

void CParamDisplay::drawPlatformText(CDrawContext* context, UTF8StringPtr string)
{
    if (!font)
        return;
    context->setFont(font.get());
    context->setFontColor(fontColor);
    context->drawString(string, getViewSize(), horiTxtAlign, true);
}

} // namespace VSTGUI
