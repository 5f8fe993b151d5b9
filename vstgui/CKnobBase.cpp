#include "vstgui/CKnobBase.h"

#include "vstgui/CFrame.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace VSTGUI {

namespace {
constexpr double kStartAngle = 1.25 * std::numbers::pi; // lower left, counter-clockwise from east
constexpr double kRangeAngle = 1.5 * std::numbers::pi;  // swept clockwise
} // namespace

CKnobBase::CKnobBase(const CRect& size, IControlListener* listener, int32_t tag, CBitmap* background)
    : CControl(size, listener, tag, background)
{
}

float CKnobBase::rangeFor(const CButtonState& buttons) const
{
    // A zoom factor that is not a positive number would stop or invert the knob.
    const float zoom = zoomFactor > 0 && std::isfinite(zoomFactor) ? zoomFactor : 1.f;
    return (buttons & kZoomModifier) ? kLinearRange * zoom : kLinearRange;
}

CMouseEventResult CKnobBase::onMouseDown(CPoint& where, const CButtonState& buttons)
{
    if (!buttons.isLeftButton())
        return kMouseEventNotHandled;
    beginEdit();
    if (checkDefaultValue(buttons)) {
        endEdit();
        return kMouseDownEventHandledButDontNeedMovedOrUpEvents;
    }
    firstPoint = where;
    startValue = value;
    entryState = value;
    oldButtons = buttons;
    coef = (vmax - vmin) / rangeFor(buttons);
    mode = getFrame() ? getFrame()->getKnobMode() : kCircularMode;
    if (mode != kLinearMode) {
        const float previous = value;
        value = bounded(valueFromPoint(where));
        afterValueChange(previous);
    }
    return kMouseEventHandled;
}

CMouseEventResult CKnobBase::onMouseMoved(CPoint& where, const CButtonState& buttons)
{
    if (!(buttons & kLButton) || !isEditing())
        return kMouseEventNotHandled;
    const float previous = value;
    if (mode == kLinearMode) {
        // Bounded so that the float conversions below stay in range for any pointer position.
        const double diff = std::clamp((firstPoint.y - where.y) + (where.x - firstPoint.x), -1e6, 1e6);
        if (buttons != oldButtons) {
            // Keep the value where it is when Shift changes in mid-drag.
            const float newCoef = (vmax - vmin) / rangeFor(buttons);
            entryState += float(diff * (coef - newCoef));
            coef = newCoef;
            oldButtons = buttons;
        }
        value = bounded(float(entryState + diff * coef));
    } else {
        value = bounded(valueFromPoint(where));
    }
    afterValueChange(previous);
    return kMouseEventHandled;
}

CMouseEventResult CKnobBase::onMouseUp(CPoint&, const CButtonState&)
{
    endEdit();
    return kMouseEventHandled;
}

CMouseEventResult CKnobBase::onMouseCancel()
{
    if (isEditing()) {
        const float previous = value;
        value = startValue;
        afterValueChange(previous);
        endEdit();
    }
    return kMouseEventHandled;
}

bool CKnobBase::onWheel(const CPoint&, const CMouseWheelAxis&, const float& distance, const CButtonState& buttons)
{
    if (!getMouseEnabled() || !std::isfinite(distance))
        return false;
    const float step = (buttons & kZoomModifier) ? 0.1f * wheelInc : wheelInc;
    const float previous = value;
    value = bounded(value + distance * step * (vmax - vmin));
    if (value != previous) {
        beginEdit();
        valueChanged();
        endEdit();
        invalid();
    }
    return true;
}

float CKnobBase::valueFromPoint(const CPoint& where) const
{
    const CRect& size = getViewSize();
    const double centreX = (size.left + size.right) / 2;
    const double centreY = (size.top + size.bottom) / 2;
    const double angle = std::atan2(centreY - where.y, where.x - centreX);
    double sweep = std::fmod(kStartAngle - angle, 2 * std::numbers::pi);
    if (sweep < 0)
        sweep += 2 * std::numbers::pi;
    if (!(sweep <= kRangeAngle)) // the dead zone at the bottom snaps to the nearer end
        sweep = sweep - kRangeAngle < 2 * std::numbers::pi - sweep ? kRangeAngle : 0;
    return float(vmin + (vmax - vmin) * (sweep / kRangeAngle));
}

void CKnobBase::afterValueChange(float previous)
{
    if (value != previous)
        valueChanged();
    if (isDirty())
        invalid();
}

} // namespace VSTGUI
