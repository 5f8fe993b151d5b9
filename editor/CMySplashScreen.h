#pragma once

#include "vstgui/CSplashScreen.h"

namespace VSTGUI {

// The logo area: a left click shows the about picture over the whole window until the next click.
class CMySplashScreen : public CSplashScreen {
public:
    using CSplashScreen::CSplashScreen;

    CMouseEventResult onMouseDown(CPoint& where, const CButtonState& buttons) override;
    CView* newCopy() const override { return new CMySplashScreen(*this); }
};

} // namespace VSTGUI
