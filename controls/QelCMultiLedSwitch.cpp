#include "controls/QelCMultiLedSwitch.h"

#include "vstgui/CDrawContext.h"

#include <algorithm>

namespace VSTGUI {

namespace {

// Into [0, 0.9998]; NaN counts as 0, so that it never reaches an integer conversion.
float clampedValue(float value)
{
    return value >= 0.f ? std::min(value, QelCMultiLedSwitch::kMaxValue) : 0.f;
}

bool leftButtonAlone(const CButtonState& buttons)
{
    return buttons.getButtonState() == kLButton;
}

} // namespace

QelCMultiLedSwitch::QelCMultiLedSwitch(const CRect& size, IControlListener* listener, int32_t tag, CBitmap* bitmap,
                                       int32_t ledCount, int32_t orientation)
    : CControl(size, listener, tag, nullptr), orientation(orientation), ledCount(ledCount), ledBitmap(bitmap)
{
    if (!bitmap)
        return;
    ledWidth = int32_t(bitmap->getWidth());
    ledHeight = int32_t(bitmap->getHeight() / 2);
    // In doubles: the product of a count and a width can pass the int32 range.
    const CCoord leds = std::max(ledCount, 0);
    CRect sized = size;
    if (isHorizontal()) {
        sized.right = sized.left + CCoord(ledWidth) * leds;
        if (sized.getHeight() < ledHeight)
            sized.bottom = sized.top + ledHeight;
    } else {
        sized.bottom = sized.top + CCoord(ledHeight) * leds;
        if (sized.getWidth() < ledWidth)
            sized.right = sized.left + ledWidth;
    }
    setViewSize(sized, true);
    setMouseableArea(sized);
}

QelCMultiLedSwitch::~QelCMultiLedSwitch() = default;

int32_t QelCMultiLedSwitch::litLed(float value) const
{
    if (ledCount < 1)
        return -1;
    // int(n x v) stays in 0..n-1 since v < 1; the single-precision product is what is meant.
    return ledCount - 1 - int32_t(float(ledCount) * clampedValue(value));
}

int32_t QelCMultiLedSwitch::getSelectedLed() const
{
    return litLed(getValue());
}

void QelCMultiLedSwitch::setSelectedLed(int32_t index)
{
    if (ledCount < 1)
        return;
    value = clampedValue(float(index) / float(ledCount) + 0.1f);
}

void QelCMultiLedSwitch::draw(CDrawContext* context)
{
    value = clampedValue(value);
    const int32_t lit = litLed(value);
    const CRect& r = getViewSize();
    for (int32_t i = 0; ledBitmap && i < ledCount; ++i) {
        const CPoint topLeft = isHorizontal() ? CPoint(r.left + CCoord(ledWidth) * i, r.top)
                                              : CPoint(r.left, r.top + CCoord(ledHeight) * i);
        const CRect led(topLeft.x, topLeft.y, topLeft.x + ledWidth, topLeft.y + ledHeight);
        ledBitmap->draw(context, led, CPoint(0, i == lit ? ledHeight : 0), 1.f);
    }
    setDirty(false);
}

CMouseEventResult QelCMultiLedSwitch::onMouseDown(CPoint& where, const CButtonState& buttons)
{
    if (!leftButtonAlone(buttons))
        return kMouseEventNotHandled;
    beginEdit();
    return onMouseMoved(where, buttons);
}

CMouseEventResult QelCMultiLedSwitch::onMouseMoved(CPoint& where, const CButtonState& buttons)
{
    if (!leftButtonAlone(buttons))
        return kMouseEventHandled;
    const CRect& r = getViewSize();
    const float length = float(isHorizontal() ? r.getWidth() : r.getHeight());
    const float along = float(isHorizontal() ? where.x - r.left : where.y - r.top);
    // The first LED at the start of the row, the last at its end; an empty view picks value 0.
    const float t = std::clamp(along, 0.f, std::max(length, 0.f));
    value = clampedValue(length > 0.f ? (length - t) / length : 0.f);
    if (isDirty())
        invalid();
    return kMouseEventHandled;
}

CMouseEventResult QelCMultiLedSwitch::onMouseUp(CPoint&, const CButtonState&)
{
    if (listener)
        listener->valueChanged(this);
    endEdit();
    if (isDirty())
        invalid();
    return kMouseEventHandled;
}

} // namespace VSTGUI
