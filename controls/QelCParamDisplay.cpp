#include "controls/QelCParamDisplay.h"

#include "support/BitmapFont.h"
#include "vstgui/CDrawContext.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace VSTGUI {

bool popupHideOnRelease = false;

namespace {

constexpr int32_t kMaxPadding = 64;
constexpr int32_t kMaxMargin = 256;
constexpr CCoord kPlacementGap = 5;
constexpr CCoord kSideExtension = 40;
constexpr CCoord kMinBoxWidth = 8;
constexpr float kNoFontTextHeight = 32.f;
// No screen has lengths beyond this; it keeps a NaN or huge scale or font size out of the
// placement and out of every float conversion.
constexpr float kMaxLength = float(1 << 20);
constexpr int32_t kLeaveTicks = 2;
constexpr int32_t kReleaseTicks = 4;

float toLength(double value)
{
    return float(std::clamp(value, double(-kMaxLength), double(kMaxLength)));
}

// floor(length x scale) in single precision; NaN and negative results give 0.
float scaledLength(float length, float scale)
{
    const float scaled = std::floor(length * scale);
    return scaled > 0.f ? std::min(scaled, kMaxLength) : 0.f;
}

} // namespace

QelCParamDisplay::QelCParamDisplay(const CRect& size, CFrame* parent, CBitmap* background, int32_t style)
    : CParamDisplay(size, background, style), parentFrame(parent)
{
    timer = new CVSTGUITimer(this, kTimerPeriodMs, false);
}

QelCParamDisplay::~QelCParamDisplay()
{
    parentFrame = nullptr;
    if (timer) {
        timer->stop();
        timer->forget();
        timer = nullptr;
    }
    bitmapFont = nullptr;
}

int32_t QelCParamDisplay::setPadding(int32_t padding)
{
    textPadding = std::clamp(padding, 0, kMaxPadding);
    return textPadding;
}

int32_t QelCParamDisplay::setMargin(int32_t newMargin)
{
    margin = std::clamp(newMargin, 0, kMaxMargin);
    return margin;
}

float QelCParamDisplay::textHeight() const
{
    if (bitmapFont)
        return float(bitmapFont->getLineHeight());
    const CFontRef font = getFont();
    return font ? toLength(font->getSize() + 2.0) : kNoFontTextHeight;
}

void QelCParamDisplay::showPopup(const CRect& anchor, bool forceAbove, bool hideOnLeave)
{
    if (!parentFrame)
        return;
    if (!isOpen()) {
        savedRect = anchor;
        // The padding is clamped here too: clients may write the member directly.
        const CCoord height = scaledLength(textHeight(), textScale) + std::clamp(textPadding, 0, kMaxPadding);
        CRect placed(anchor.left - kSideExtension, 0, anchor.right + kSideExtension, 0);
        const CCoord roomBelow = parentFrame->getViewSize().bottom - (anchor.bottom + height);
        if (!forceAbove && roomBelow >= margin) {
            placed.top = savedRect.bottom + kPlacementGap;
            placed.bottom = placed.top + height;
        } else {
            placed.bottom = savedRect.top - kPlacementGap;
            placed.top = placed.bottom - height;
        }
        setViewSize(placed, false);
        hideMode = hideOnLeave ? kHideOnLeave : popupHideOnRelease ? kHideOnRelease : kHideNone;
        tickCount = 0;
        if (hideMode != kHideNone && timer)
            timer->start();
        parentFrame->addView(this);
    }
    if (isOpen()) {
        invalid();
        tickCount = 0;
    }
}

void QelCParamDisplay::movePopup(const CPoint& where)
{
    if (!isOpen())
        return;
    if (where.x != 0 || where.y != 0) {
        CRect moved = getViewSize();
        moved.moveTo(where.x - kSideExtension, where.y + kPlacementGap);
        setViewSize(moved, true);
    }
    invalid();
    tickCount = 0;
}

void QelCParamDisplay::hidePopup()
{
    if (timer) {
        timer->stop();
        tickCount = 0;
    }
    if (isOpen())
        parentFrame->removeView(this, false);
}

CMessageResult QelCParamDisplay::notify(CBaseObject* sender, IdStringPtr message)
{
    if (message != CVSTGUITimer::kMsgTimer)
        return CParamDisplay::notify(sender, message);
    if (!isOpen())
        return kMessageNotified;
    if (hideMode == kHideOnLeave) {
        CPoint where;
        const bool known = parentFrame->getCurrentMouseLocation(where);
        if (!(known && savedRect.pointInside(where) && tickCount <= kLeaveTicks))
            hidePopup();
    } else if (hideMode == kHideOnRelease) {
        const int32_t buttons = parentFrame->getCurrentMouseButtons().getButtonState();
        if (!(buttons == kLButton && tickCount <= kReleaseTicks))
            hidePopup();
    }
    ++tickCount;
    return kMessageNotified;
}

CCoord QelCParamDisplay::boxWidth(CDrawContext* context, const char* text) const
{
    // Measured with the font the text is drawn in: the context may hold a smaller one, and the
    // text would then spill past the box. Without a font of its own no text is drawn.
    if (!bitmapFont && getFont())
        context->setFont(getFont());
    const CCoord textWidth = bitmapFont ? bitmapFont->getStringWidth(text, context) : context->getStringWidth(text);
    const float scaledWidth = scaledLength(toLength(textWidth), textScale);
    const CCoord padded = std::trunc(2.0 * std::clamp(textPadding, 0, kMaxPadding) + scaledWidth);
    return std::min(std::max(padded, kMinBoxWidth), std::trunc(getWidth()));
}

void QelCParamDisplay::draw(CDrawContext* context)
{
    // A client may have left the text without its NUL.
    char text[sizeof(popupText)];
    const void* end = std::memchr(popupText, '\0', sizeof(popupText) - 1);
    const size_t length = end ? size_t(static_cast<const char*>(end) - popupText) : sizeof(popupText) - 1;
    std::memcpy(text, popupText, length);
    text[length] = '\0';

    const CRect& r = getViewSize();
    const CCoord half = (r.right - r.left) * 0.5;
    const CCoord width = boxWidth(context, text);
    CRect box = r;
    if (alignment == 0) {
        box.right = r.left + width;
    } else if (alignment == 1) {
        box.left = r.left + half - width * 0.5;
        box.right = r.left + half + width * 0.5;
    } else if (alignment == 2) {
        box.left = r.right - width;
    }
    context->setFillColor(getBackColor());
    context->drawRect(box, kDrawFilled);
    const CCoord lineWidth = context->getLineWidth();
    context->setLineWidth(1.0);
    context->setFrameColor(getFrameColor());
    context->drawRect(box, kDrawStroked);

    if (bitmapFont) {
        const CColor fontColour = getFontColor();
        bitmapFont->drawString(text, context, box, &fontColour, 1, textScale, false, false);
    }
    else
        drawPlatformText(context, text);
    context->setLineWidth(lineWidth);
    setDirty(false);
}

} // namespace VSTGUI
