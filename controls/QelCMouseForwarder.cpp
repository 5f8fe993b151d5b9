#include "controls/QelCMouseForwarder.h"

namespace VSTGUI {

QelCMouseForwarder::QelCMouseForwarder(const CRect& size, CView* target) : CControl(size), target(target) {}

SharedPointer<CView> QelCMouseForwarder::liveTarget() const
{
    return target && target->isAttached() ? target : nullptr;
}

CPoint QelCMouseForwarder::pressPoint(const CView& view) const
{
    return view.getViewSize().getTopLeft() + CPoint(1, 1);
}

CMouseEventResult QelCMouseForwarder::onMouseDown(CPoint&, const CButtonState& buttons)
{
    const SharedPointer<CView> view = liveTarget();
    if (!view)
        return kMouseDownEventHandledButDontNeedMovedOrUpEvents;
    CPoint point = pressPoint(*view);
    return view->onMouseDown(point, buttons);
}

CMouseEventResult QelCMouseForwarder::onMouseUp(CPoint&, const CButtonState& buttons)
{
    const SharedPointer<CView> view = liveTarget();
    if (!view)
        return kMouseEventHandled;
    CPoint point = pressPoint(*view);
    return view->onMouseUp(point, buttons);
}

CMouseEventResult QelCMouseForwarder::onMouseMoved(CPoint& where, const CButtonState& buttons)
{
    const SharedPointer<CView> view = liveTarget();
    if (!view)
        return kMouseEventHandled;
    CPoint point = where;
    return view->onMouseMoved(point, buttons);
}

} // namespace VSTGUI
