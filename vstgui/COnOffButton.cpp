#include "vstgui/COnOffButton.h"

namespace VSTGUI {

COnOffButton::COnOffButton(const CRect& size, IControlListener* listener, int32_t tag, CBitmap* background,
                           int32_t style)
    : CControl(size, listener, tag, background), style(style)
{
}

void COnOffButton::draw(CDrawContext* context)
{
    if (CBitmap* picture = getDrawBackground()) {
        const CCoord offset = value == getMax() ? picture->getHeight() / 2 : 0;
        picture->draw(context, getViewSize(), CPoint(0, offset));
    }
    setDirty(false);
}

CMouseEventResult COnOffButton::onMouseDown(CPoint&, const CButtonState& buttons)
{
    if (!buttons.isLeftButton())
        return kMouseEventNotHandled;
    value = value == getMax() ? getMin() : getMax();
    invalid();
    beginEdit();
    valueChanged();
    endEdit();
    return kMouseDownEventHandledButDontNeedMovedOrUpEvents;
}

} // namespace VSTGUI
