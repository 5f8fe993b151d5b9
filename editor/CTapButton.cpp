#include "editor/CTapButton.h"

namespace VSTGUI {

CTapButton::CTapButton(const CRect& size, IControlListener* listener, int32_t tag, CBitmap* background)
    : CControl(size, listener, tag, background)
{
}

void CTapButton::draw(CDrawContext* context)
{
    CBitmap* picture = getBackground();
    if (pressed && picture) {
        const CRect& size = getViewSize();
        picture->draw(context, CRect(size.left, size.top, size.left + picture->getWidth(), size.top + picture->getHeight()));
    }
    setDirty(false);
}

CMouseEventResult CTapButton::onMouseDown(CPoint&, const CButtonState& buttons)
{
    if (buttons.getButtonState() == kLButton) {
        pressed = true;
        beginEdit();
        invalid();
        setValue(1.0f);
        if (listener)
            listener->valueChanged(this);
    }
    return kMouseEventHandled;
}

CMouseEventResult CTapButton::onMouseMoved(CPoint&, const CButtonState&)
{
    if (isEditing()) {
        endEdit();
        pressed = false;
        invalid();
        setValue(0.0f);
        if (listener)
            listener->valueChanged(this);
    }
    return kMouseEventHandled;
}

CMouseEventResult CTapButton::onMouseUp(CPoint&, const CButtonState&)
{
    return kMouseEventHandled;
}

} // namespace VSTGUI
