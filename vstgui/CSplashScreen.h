#pragma once

#include "vstgui/CControl.h"

namespace VSTGUI {

class CDefaultSplashScreenView;

// An invisible area that, on a left press, shows its picture as the frame's modal view over
// toDisplay (frame coordinates) and reports the change; the next left press hides it again.
class CSplashScreen : public CControl {
public:
    CSplashScreen(const CRect& size, IControlListener* listener, int32_t tag, CBitmap* background,
                  const CRect& toDisplay, const CPoint& offset = CPoint(0, 0));
    CSplashScreen(const CSplashScreen& other);
    ~CSplashScreen() override;

    void draw(CDrawContext* context) override;
    CMouseEventResult onMouseDown(CPoint& where, const CButtonState& buttons) override;
    CView* newCopy() const override { return new CSplashScreen(*this); }

    // Hides the picture, returns the value to min and reports the change.
    virtual void unSplash();
    CView* getModalView() const;

private:
    CDefaultSplashScreenView* modalView;
    CRect toDisplay;
    CPoint offset;
};

} // namespace VSTGUI
