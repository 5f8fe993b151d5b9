#include "controls/QelCFineKnob.h"

namespace VSTGUI {

QelCFineKnob::QelCFineKnob(const CRect& size, IControlListener* listener, int32_t tag, CBitmap* background)
    : CKnobBase(size, listener, tag, background)
{
}

CButtonState QelCFineKnob::passedButtons(const CButtonState& buttons, bool editing)
{
    if (!editing || buttons.getButtonState() != kLButton)
        return buttons;
    return CButtonState(kLButton | (buttons & kShift));
}

CMouseEventResult QelCFineKnob::onMouseMoved(CPoint& where, const CButtonState& buttons)
{
    return CKnobBase::onMouseMoved(where, passedButtons(buttons, isEditing()));
}

} // namespace VSTGUI
