#include "editor/CClippedOnOffButton.h"

namespace VSTGUI {

void CClippedOnOffButton::draw(CDrawContext* context)
{
    if (CBitmap* picture = getDrawBackground()) {
        const CCoord half = picture->getHeight() * 0.5;
        const CPoint offset(0, getValue() == getMax() ? half : 0);
        const CRect& size = getViewSize();
        picture->draw(context, CRect(size.left, size.top, size.left + picture->getWidth(), size.top + half), offset);
    }
    setDirty(false);
}

} // namespace VSTGUI
