#pragma once

#include "vstgui/CControl.h"

namespace VSTGUI {

// Passes clicks on to a target view: a press becomes a press one pixel inside the target's
// top-left corner, moves pass with the pointer position unchanged. A target that is not in an
// open frame's view tree is not called. User-interface thread only.
class QelCMouseForwarder : public CControl {
public:
    QelCMouseForwarder(const CRect& size, CView* target = nullptr);

    // The forwarder keeps a reference to its target, so that a target its frame released meanwhile
    // is never called after it is gone.
    void setTarget(CView* view) { target = view; }
    CView* getTarget() const { return target.get(); }

    CMouseEventResult onMouseDown(CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult onMouseUp(CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult onMouseMoved(CPoint& where, const CButtonState& buttons) override;
    CView* newCopy() const override { return new QelCMouseForwarder(*this); }

private:
    // The target when it is attached to a frame, held for the call.
    SharedPointer<CView> liveTarget() const;
    CPoint pressPoint(const CView& view) const;

    SharedPointer<CView> target;
};

} // namespace VSTGUI
