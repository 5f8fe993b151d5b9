#pragma once

#include "vstgui/CButtonState.h"
#include "vstgui/CRect.h"

namespace VSTGUI {

class CFrame;

// What the frame and the controls ask of the editor that owns them.
class VSTGUIEditorInterface {
public:
    virtual void doIdleStuff() {}
    virtual int32_t getKnobMode() const { return kCircularMode; }
    // A control begins or ends a user edit of the parameter index (its tag).
    virtual void beginEdit(int32_t index) { (void)index; }
    virtual void endEdit(int32_t index) { (void)index; }
    // Presses and releases that no view handled; kMouseEventNotImplemented (0) counts as not
    // handled.
    virtual CMouseEventResult onMouseDown(CPoint& where, const CButtonState& buttons)
    {
        (void)where;
        (void)buttons;
        return kMouseEventNotImplemented;
    }
    virtual CMouseEventResult onMouseUp(CPoint& where, const CButtonState& buttons)
    {
        (void)where;
        (void)buttons;
        return kMouseEventNotImplemented;
    }
    // False refuses the frame's new size.
    virtual bool beforeSizeChange(const CRect& newSize, const CRect& oldSize)
    {
        (void)newSize;
        (void)oldSize;
        return true;
    }
    virtual CFrame* getFrame() const { return frame; }
    virtual ~VSTGUIEditorInterface() = default;

protected:
    VSTGUIEditorInterface() = default;

    CFrame* frame = nullptr;
};

} // namespace VSTGUI
