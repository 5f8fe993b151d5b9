#pragma once

#include "editor/ControlLayout.h"
#include "vstgui/COnOffButton.h"

namespace VSTGUI {

// The model selector: eight boxes (frame pixels, half-open), each showing an LED at its top-left
// corner, lit for the selected model; the value is model / 7. A left click in a box picks its
// model; other buttons are left to the editor (the window-size menu opens there).
class CZarnModelButton : public COnOffButton {
public:
    // boxes (kNumModelBoxes of them) are borrowed from the editor's layout.
    CZarnModelButton(const CRect& size, IControlListener* listener, int32_t tag, CBitmap* background,
                     const BaseRect* boxes);

    void draw(CDrawContext* context) override;
    CMouseEventResult onMouseDown(CPoint& where, const CButtonState& buttons) override;
    CView* newCopy() const override { return new CZarnModelButton(*this); }

    // The model whose LED is lit: floor(value x 7 + 0.1).
    int32_t getLitModel() const;

private:
    const BaseRect* boxes;
};

} // namespace VSTGUI
