#include "vstgui/CAnimKnob.h"

#include <algorithm>
#include <cmath>

namespace VSTGUI {

CAnimKnob::CAnimKnob(const CRect& size, IControlListener* listener, int32_t tag, int32_t subPixmaps,
                     CCoord heightOfOneImage, CBitmap* background, const CPoint& offset)
    : CKnobBase(size, listener, tag, background),
      subPixmaps(subPixmaps),
      heightOfOneImage(heightOfOneImage),
      offset(offset)
{
}

int32_t CAnimKnob::getFrameIndex() const
{
    if (subPixmaps <= 1)
        return 0;
    const float range = vmax - vmin;
    const float normalised = range > 0 ? (value - vmin) / range : 0.f;
    if (!(normalised > 0)) // NaN included
        return 0;
    const double index = std::floor(std::min(normalised, 1.f) * double(subPixmaps - 1));
    return std::clamp(int32_t(index), 0, subPixmaps - 1);
}

void CAnimKnob::draw(CDrawContext* context)
{
    if (CBitmap* strip = getDrawBackground())
        strip->draw(context, getViewSize(), CPoint(offset.x, offset.y + getFrameIndex() * heightOfOneImage));
    setDirty(false);
}

} // namespace VSTGUI
