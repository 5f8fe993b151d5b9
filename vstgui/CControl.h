#pragma once

#include "vstgui/CView.h"
#include "vstgui/IControlListener.h"

#include <atomic>

namespace VSTGUI {

// A view with a float value between min and max, a tag and a listener.
class CControl : public CView {
public:
    CControl(const CRect& size, IControlListener* listener = nullptr, int32_t tag = 0, CBitmap* background = nullptr);
    CControl(const CControl& other);

    // Clamps the value to min..max and stores it, nothing more: it neither draws nor notifies, so
    // any thread may call it; the frame's idle redraws the control. NaN stores min.
    virtual void setValue(float newValue);
    virtual float getValue() const { return value; }
    virtual void setMin(float newMin) { vmin = newMin; }
    virtual float getMin() const { return vmin; }
    virtual void setMax(float newMax) { vmax = newMax; }
    virtual float getMax() const { return vmax; }
    virtual void setDefaultValue(float newDefault) { defaultValue = newDefault; }
    virtual float getDefaultValue() const { return defaultValue; }
    virtual void setWheelInc(float increment) { wheelInc = increment; }
    virtual float getWheelInc() const { return wheelInc; }

    virtual void setTag(int32_t newTag);
    int32_t getTag() const { return tag; }
    virtual void setListener(IControlListener* newListener) { listener = newListener; }
    IControlListener* getListener() const { return listener; }

    // Edits nest: each begin opens one level (telling the listener and the editor), each end
    // closes one; an end without a begin does nothing.
    virtual void beginEdit();
    virtual void endEdit();
    bool isEditing() const { return editing > 0; }
    // Leaving the frame ends every open edit first, while the editor can still hear it.
    bool removed(CView* parent) override;

    // Tells the listener that the user changed the value.
    virtual void valueChanged();
    // A left click with Control alone restores the default value (reporting the change when it
    // differs); true when the buttons were such a click.
    virtual bool checkDefaultValue(CButtonState button);
    // Clamps the value into min..max.
    virtual void bounceValue();

    // Dirty also when the value differs from the value last drawn.
    void setDirty(bool state = true) override;
    bool isDirty() const override;

    CView* newCopy() const override = 0;

protected:
    // Clamped, NaN mapped to min.
    float bounded(float candidate) const;

    IControlListener* listener;
    int32_t tag;
    std::atomic<float> value{0.f};
    float vmin = 0.f;
    float vmax = 1.f;
    float defaultValue = 0.5f;
    float wheelInc = 0.1f;
    int32_t editing = 0;

private:
    float lastDrawnValue = 0.f;
};

} // namespace VSTGUI
