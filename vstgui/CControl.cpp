#include "vstgui/CControl.h"

#include "vstgui/CFrame.h"

#include <cmath>

namespace VSTGUI {

CControl::CControl(const CRect& size, IControlListener* listener, int32_t tag, CBitmap* background)
    : CView(size), listener(listener), tag(tag)
{
    setBackground(background);
    setDirty(false);
}

CControl::CControl(const CControl& other)
    : CView(other),
      listener(other.listener),
      tag(other.tag),
      value(other.value.load()),
      vmin(other.vmin),
      vmax(other.vmax),
      defaultValue(other.defaultValue),
      wheelInc(other.wheelInc),
      lastDrawnValue(other.lastDrawnValue)
{
}

float CControl::bounded(float candidate) const
{
    if (std::isnan(candidate))
        return vmin;
    if (candidate < vmin)
        return vmin;
    if (candidate > vmax)
        return vmax;
    return candidate;
}

void CControl::setValue(float newValue)
{
    value = bounded(newValue);
}

void CControl::bounceValue()
{
    value = bounded(value);
}

void CControl::setTag(int32_t newTag)
{
    if (listener)
        listener->controlTagWillChange(this);
    tag = newTag;
    if (listener)
        listener->controlTagDidChange(this);
}

void CControl::beginEdit()
{
    ++editing;
    if (listener)
        listener->controlBeginEdit(this);
    if (CFrame* frame = getFrame(); frame && frame->getEditor())
        frame->getEditor()->beginEdit(tag);
}

void CControl::endEdit()
{
    if (editing <= 0)
        return;
    --editing;
    if (CFrame* frame = getFrame(); frame && frame->getEditor())
        frame->getEditor()->endEdit(tag);
    if (listener)
        listener->controlEndEdit(this);
}

bool CControl::removed(CView* parent)
{
    while (editing > 0)
        endEdit();
    return CView::removed(parent);
}

void CControl::valueChanged()
{
    if (listener)
        listener->valueChanged(this);
}

bool CControl::checkDefaultValue(CButtonState button)
{
    if (!button.isLeftButton() || button.getModifierState() != kDefaultValueModifier)
        return false;
    const float restored = bounded(defaultValue);
    if (restored != value) {
        beginEdit();
        setValue(restored);
        valueChanged();
        endEdit();
    }
    return true;
}

void CControl::setDirty(bool state)
{
    CView::setDirty(state);
    if (!state)
        lastDrawnValue = value;
}

bool CControl::isDirty() const
{
    return CView::isDirty() || value != lastDrawnValue;
}

} // namespace VSTGUI
