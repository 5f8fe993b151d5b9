#include "vstgui/CDefaultSplashScreenView.h"

#include "vstgui/CSplashScreen.h"

namespace VSTGUI {

CDefaultSplashScreenView::CDefaultSplashScreenView(const CRect& size, CSplashScreen* splashScreen,
                                                   CBitmap* background, const CPoint& offset)
    : CControl(size, nullptr, 0, background), splashScreen(splashScreen), offset(offset)
{
}

void CDefaultSplashScreenView::draw(CDrawContext* context)
{
    if (CBitmap* picture = getDrawBackground())
        picture->draw(context, getViewSize(), offset);
    setDirty(false);
}

CMouseEventResult CDefaultSplashScreenView::onMouseDown(CPoint&, const CButtonState& buttons)
{
    if (!buttons.isLeftButton())
        return kMouseEventNotHandled;
    if (splashScreen)
        splashScreen->unSplash();
    return kMouseDownEventHandledButDontNeedMovedOrUpEvents;
}

} // namespace VSTGUI
