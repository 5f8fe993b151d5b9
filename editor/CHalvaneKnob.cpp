#include "editor/CHalvaneKnob.h"

#include "controls/QelCParamDisplay.h"
#include "editor/KnobValueText.h"

namespace VSTGUI {

namespace {

bool isLeftAlone(const CButtonState& buttons)
{
    return buttons.getButtonState() == kLButton;
}

} // namespace

CHalvaneKnob::CHalvaneKnob(const CRect& size, IControlListener* listener, int32_t tag, int32_t subPixmaps,
                           CCoord heightOfOneImage, CBitmap* background, QelCParamDisplay* valueDisplay,
                           Zarn* engine)
    : CAnimKnob(size, listener, tag, subPixmaps, heightOfOneImage, background), valueDisplay(valueDisplay),
      engine(engine)
{
}

void CHalvaneKnob::formatValueText()
{
    if (valueDisplay && engine)
        formatKnobValueText(valueDisplay->popupText, sizeof valueDisplay->popupText, getTag(), getValue(), *engine);
}

CMouseEventResult CHalvaneKnob::onMouseDown(CPoint& where, const CButtonState& buttons)
{
    if (checkDefaultValue(buttons)) {
        setDirty(true);
        return kMouseDownEventHandledButDontNeedMovedOrUpEvents;
    }
    if (buttons.getButtonState() == kRButton) {
        setDirty(true);
        return kMouseDownEventHandledButDontNeedMovedOrUpEvents;
    }
    if (valueDisplay && !(buttons & kControl) && isLeftAlone(buttons)) {
        if (valueDisplay->isAttached())
            valueDisplay->hidePopup();
        formatValueText();
        valueDisplay->showPopup(getViewSize(), false, false);
    }
    return CKnobBase::onMouseDown(where, buttons);
}

CMouseEventResult CHalvaneKnob::onMouseMoved(CPoint& where, const CButtonState& buttons)
{
    if (!isLeftAlone(buttons) || !isEditing())
        return CKnobBase::onMouseMoved(where, buttons);
    // Shift is the fine-movement modifier; Control and Alt must not change the drag.
    const CButtonState dragButtons(kLButton | (buttons & kShift));
    const CMouseEventResult result = CKnobBase::onMouseMoved(where, dragButtons);
    if (valueDisplay && valueDisplay->isAttached()) {
        formatValueText();
        valueDisplay->movePopup(CPoint(0, 0));
    }
    return result;
}

CMouseEventResult CHalvaneKnob::onMouseUp(CPoint& where, const CButtonState& buttons)
{
    if (valueDisplay)
        valueDisplay->hidePopup();
    return CKnobBase::onMouseUp(where, buttons);
}

CMouseEventResult CHalvaneKnob::onMouseCancel()
{
    if (valueDisplay)
        valueDisplay->hidePopup();
    return CKnobBase::onMouseCancel();
}

} // namespace VSTGUI
