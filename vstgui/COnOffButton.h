#pragma once

#include "vstgui/CControl.h"

namespace VSTGUI {

// A switch drawn from a picture with two states stacked: off in the upper half, on (value at its
// maximum) in the lower half. A left press toggles between min and max and reports it.
class COnOffButton : public CControl {
public:
    COnOffButton(const CRect& size, IControlListener* listener = nullptr, int32_t tag = -1,
                 CBitmap* background = nullptr, int32_t style = 0);

    void draw(CDrawContext* context) override;
    CMouseEventResult onMouseDown(CPoint& where, const CButtonState& buttons) override;
    CView* newCopy() const override { return new COnOffButton(*this); }

    int32_t getStyle() const { return style; }

private:
    int32_t style;
};

} // namespace VSTGUI
