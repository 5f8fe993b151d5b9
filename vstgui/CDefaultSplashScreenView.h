#pragma once

#include "vstgui/CControl.h"

namespace VSTGUI {

class CSplashScreen;

// The modal view of a splash screen: shows the picture over its area and hides it at the next
// left press.
class CDefaultSplashScreenView : public CControl {
public:
    CDefaultSplashScreenView(const CRect& size, CSplashScreen* splashScreen, CBitmap* background,
                             const CPoint& offset);

    void draw(CDrawContext* context) override;
    CMouseEventResult onMouseDown(CPoint& where, const CButtonState& buttons) override;
    CView* newCopy() const override { return nullptr; }

    // The splash screen goes away before its view.
    void clearSplashScreen() { splashScreen = nullptr; }

private:
    CSplashScreen* splashScreen;
    CPoint offset;
};

} // namespace VSTGUI
