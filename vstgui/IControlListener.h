#pragma once

#include "vstgui/CButtonState.h"

namespace VSTGUI {

class CControl;

// Hears about user changes of controls. Everything but valueChanged does nothing by default.
class IControlListener {
public:
    virtual ~IControlListener() = default;
    virtual void valueChanged(CControl* control) = 0;
    virtual int32_t controlModifierClicked(CControl* control, CButtonState button)
    {
        (void)control;
        (void)button;
        return 0;
    }
    virtual void controlBeginEdit(CControl* control) { (void)control; }
    virtual void controlEndEdit(CControl* control) { (void)control; }
    virtual void controlTagWillChange(CControl* control) { (void)control; }
    virtual void controlTagDidChange(CControl* control) { (void)control; }
};

} // namespace VSTGUI
