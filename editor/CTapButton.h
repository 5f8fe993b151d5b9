#pragma once

#include "vstgui/CControl.h"

namespace VSTGUI {

// The tap pad: a left press plays the note (value 1) and shows the pressed picture; the first
// mouse movement that the pad receives while it is held releases it (value 0), not the release
// of the button. Unpressed it draws nothing, so the pad of the panel shows through.
class CTapButton : public CControl {
public:
    CTapButton(const CRect& size, IControlListener* listener, int32_t tag, CBitmap* background);

    void draw(CDrawContext* context) override;
    CMouseEventResult onMouseDown(CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult onMouseUp(CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult onMouseMoved(CPoint& where, const CButtonState& buttons) override;
    CView* newCopy() const override { return new CTapButton(*this); }

    bool isPressed() const { return pressed; }

private:
    bool pressed = false;
};

} // namespace VSTGUI
