#pragma once

#include "vstgui/CKnobBase.h"

namespace VSTGUI {

// A knob whose drag ignores every modifier but Shift (which slows it down).
class QelCFineKnob : public CKnobBase {
public:
    QelCFineKnob(const CRect& size, IControlListener* listener, int32_t tag, CBitmap* background = nullptr);

    CMouseEventResult onMouseMoved(CPoint& where, const CButtonState& buttons) override;
    CView* newCopy() const override { return new QelCFineKnob(*this); }

    // What a move passes on: during an edit with the left button alone, that button with Shift
    // when it is held; otherwise the buttons unchanged.
    static CButtonState passedButtons(const CButtonState& buttons, bool editing);
};

} // namespace VSTGUI
