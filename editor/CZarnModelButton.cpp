#include "editor/CZarnModelButton.h"

#include <cmath>

namespace VSTGUI {

CZarnModelButton::CZarnModelButton(const CRect& size, IControlListener* listener, int32_t tag, CBitmap* background,
                                   const BaseRect* boxes)
    : COnOffButton(size, listener, tag, background), boxes(boxes)
{
}

int32_t CZarnModelButton::getLitModel() const
{
    // The value is clamped to 0..1 and never NaN, so this stays within 0..7.
    return int32_t(std::floor(getValue() * 7.0f + 0.1f));
}

void CZarnModelButton::draw(CDrawContext* context)
{
    CBitmap* picture = getBackground();
    if (picture && boxes) {
        const int32_t lit = getLitModel();
        const int32_t w = int32_t(picture->getWidth());
        const int32_t hh = int32_t(picture->getHeight() * 0.5);
        for (int32_t i = 0; i < kNumModelBoxes; ++i) {
            const BaseRect& box = boxes[i];
            picture->draw(context, CRect(box.left, box.top, box.left + w, box.top + hh), CPoint(0, i == lit ? hh : 0));
        }
    }
    setDirty(false);
}

CMouseEventResult CZarnModelButton::onMouseDown(CPoint& where, const CButtonState& buttons)
{
    if (buttons.getButtonState() != kLButton)
        return kMouseEventNotHandled;
    for (int32_t i = 0; boxes && i < kNumModelBoxes; ++i) {
        const BaseRect& box = boxes[i];
        if (box.left <= where.x && where.x < box.right && box.top <= where.y && where.y < box.bottom) {
            setValue(float(i) / 7.0f);
            if (listener) {
                beginEdit();
                valueChanged();
                endEdit();
            }
            invalid();
            return kMouseDownEventHandledButDontNeedMovedOrUpEvents;
        }
    }
    return kMouseDownEventHandledButDontNeedMovedOrUpEvents;
}

} // namespace VSTGUI
