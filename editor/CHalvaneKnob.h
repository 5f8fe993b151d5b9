#pragma once

#include "vstgui/CAnimKnob.h"

class Zarn;

namespace VSTGUI {

class QelCParamDisplay;

// The editor's knob: a strip-drawn knob that shows the value pop-up below it (or above it near
// the window's bottom edge) while a plain left drag turns it. Right clicks are taken, so no menu
// opens over a knob; during a drag only Shift (fine movement) reaches the knob.
class CHalvaneKnob : public CAnimKnob {
public:
    CHalvaneKnob(const CRect& size, IControlListener* listener, int32_t tag, int32_t subPixmaps,
                 CCoord heightOfOneImage, CBitmap* background, QelCParamDisplay* valueDisplay, Zarn* engine);

    CMouseEventResult onMouseDown(CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult onMouseUp(CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult onMouseMoved(CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult onMouseCancel() override;
    CView* newCopy() const override { return new CHalvaneKnob(*this); }

    // Writes the knob's value text into the pop-up; nothing without a pop-up.
    void formatValueText();

private:
    QelCParamDisplay* valueDisplay; // borrowed: the editor owns it
    Zarn* engine;                   // borrowed: read by the value text
};

} // namespace VSTGUI
