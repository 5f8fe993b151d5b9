#include "vstgui/CSplashScreen.h"

#include "vstgui/CDefaultSplashScreenView.h"
#include "vstgui/CFrame.h"

namespace VSTGUI {

CSplashScreen::CSplashScreen(const CRect& size, IControlListener* listener, int32_t tag, CBitmap* background,
                             const CRect& toDisplay, const CPoint& offset)
    : CControl(size, listener, tag, background),
      modalView(new CDefaultSplashScreenView(toDisplay, this, background, offset)),
      toDisplay(toDisplay),
      offset(offset)
{
}

CSplashScreen::CSplashScreen(const CSplashScreen& other)
    : CControl(other),
      modalView(new CDefaultSplashScreenView(other.toDisplay, this, other.getBackground(), other.offset)),
      toDisplay(other.toDisplay),
      offset(other.offset)
{
}

CSplashScreen::~CSplashScreen()
{
    modalView->clearSplashScreen();
    if (CFrame* frame = modalView->getFrame(); frame && frame->getModalView() == modalView)
        frame->setModalView(nullptr);
    modalView->forget();
}

CView* CSplashScreen::getModalView() const
{
    return modalView;
}

void CSplashScreen::draw(CDrawContext*)
{
    setDirty(false); // the area itself shows nothing of its own
}

CMouseEventResult CSplashScreen::onMouseDown(CPoint&, const CButtonState& buttons)
{
    if (!buttons.isLeftButton())
        return kMouseEventNotHandled;
    CFrame* frame = getFrame();
    if (frame && frame->getModalView() != modalView && frame->setModalView(modalView)) {
        value = getMax();
        beginEdit();
        valueChanged();
        endEdit();
    }
    return kMouseDownEventHandledButDontNeedMovedOrUpEvents;
}

void CSplashScreen::unSplash()
{
    if (CFrame* frame = modalView->getFrame(); frame && frame->getModalView() == modalView)
        frame->setModalView(nullptr);
    if (value != getMin()) {
        value = getMin();
        beginEdit();
        valueChanged();
        endEdit();
    }
}

} // namespace VSTGUI
