#pragma once

#include "vstgui/CControl.h"

namespace VSTGUI {

// Turning by mouse and wheel. In linear mode (the editor's knob mode 2) a drag of kLinearRange
// pixels, times the zoom factor while Shift is held, covers the whole range; up and right both
// increase. In circular mode the value follows the pointer's angle around the centre over 270
// degrees, from the lower left to the lower right.
class CKnobBase : public CControl {
public:
    static constexpr float kLinearRange = 200.f;

    CKnobBase(const CRect& size, IControlListener* listener, int32_t tag, CBitmap* background);

    CMouseEventResult onMouseDown(CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult onMouseUp(CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult onMouseMoved(CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult onMouseCancel() override;
    bool onWheel(const CPoint& where, const CMouseWheelAxis& axis, const float& distance,
                 const CButtonState& buttons) override;

    void setZoomFactor(float factor) { zoomFactor = factor; }
    float getZoomFactor() const { return zoomFactor; }

protected:
    // The value at the pointer's angle (circular mode).
    float valueFromPoint(const CPoint& where) const;
    // Reports a changed value and asks for a redraw.
    void afterValueChange(float previous);

private:
    float rangeFor(const CButtonState& buttons) const;

    CPoint firstPoint;
    float startValue = 0.f;
    float entryState = 0.f;
    float coef = 0.f;
    CButtonState oldButtons;
    float zoomFactor = 10.f;
    int32_t mode = kCircularMode;
};

} // namespace VSTGUI
