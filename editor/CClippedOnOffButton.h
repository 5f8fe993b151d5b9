#pragma once

#include "vstgui/COnOffButton.h"

namespace VSTGUI {

// A switch whose clickable area is larger than its picture (the label printed beside the LED or
// button belongs to it): the picture's upper (off) or lower (on, value at its maximum exactly)
// half is drawn at the area's top-left corner.
class CClippedOnOffButton : public COnOffButton {
public:
    using COnOffButton::COnOffButton;

    void draw(CDrawContext* context) override;
    CView* newCopy() const override { return new CClippedOnOffButton(*this); }
};

} // namespace VSTGUI
