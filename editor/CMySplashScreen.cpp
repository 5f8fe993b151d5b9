#include "editor/CMySplashScreen.h"

namespace VSTGUI {

CMouseEventResult CMySplashScreen::onMouseDown(CPoint& where, const CButtonState& buttons)
{
    return CSplashScreen::onMouseDown(where, buttons);
}

} // namespace VSTGUI
