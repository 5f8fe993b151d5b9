#include "vstgui/CView.h"

#include "vstgui/CDrawContext.h"
#include "vstgui/CFrame.h"

namespace VSTGUI {

const IdStringPtr kMsgLooseFocus = "LooseFocus";

CView::CView(const CRect& size) : size(size), mouseableArea(size) {}

CView::CView(const CView& other)
    : CBaseObject(other),
      size(other.size),
      mouseableArea(other.mouseableArea),
      background(other.background),
      transparent(other.transparent),
      mouseEnabled(other.mouseEnabled)
{
}

CView::~CView() = default;

void CView::draw(CDrawContext* context)
{
    if (background)
        background->draw(context, size);
    setDirty(false);
}

void CView::drawRect(CDrawContext* context, const CRect& updateRect)
{
    (void)updateRect;
    draw(context);
    setDirty(false);
}

CMouseEventResult CView::onMouseDown(CPoint&, const CButtonState&)
{
    return kMouseEventNotImplemented;
}

CMouseEventResult CView::onMouseUp(CPoint&, const CButtonState&)
{
    return kMouseEventNotImplemented;
}

CMouseEventResult CView::onMouseMoved(CPoint&, const CButtonState&)
{
    return kMouseEventNotImplemented;
}

CMouseEventResult CView::onMouseCancel()
{
    return kMouseEventNotImplemented;
}

bool CView::onWheel(const CPoint&, const CMouseWheelAxis&, const float&, const CButtonState&)
{
    return false;
}

int32_t CView::onKeyDown(VstKeyCode&)
{
    return -1;
}

int32_t CView::onKeyUp(VstKeyCode&)
{
    return -1;
}

bool CView::hitTest(const CPoint& where, const CButtonState&)
{
    return mouseableArea.pointInside(where);
}

void CView::invalidRect(const CRect& rect)
{
    if (attachedFlag && parentView)
        parentView->invalidRect(rect);
}

void CView::setViewSize(const CRect& newSize, bool doInvalid)
{
    if (newSize == size)
        return;
    if (doInvalid)
        invalid();
    size = newSize;
    mouseableArea = newSize;
    if (doInvalid)
        invalid();
}

CRect CView::getRectInFrame() const
{
    CRect area = size;
    for (const CView* parent = parentView; parent && parent != parentFrame; parent = parent->getParentView())
        area.offset(parent->getViewSize().left, parent->getViewSize().top);
    return area;
}

void CView::setBackground(CBitmap* bitmap)
{
    background = bitmap;
    setDirty(true);
}

bool CView::attached(CView* parent)
{
    if (attachedFlag)
        return false;
    parentView = parent;
    if (parent)
        parentFrame = parent->getFrame();
    attachedFlag = true;
    return true;
}

bool CView::removed(CView*)
{
    if (!attachedFlag)
        return false;
    // Whichever container it leaves through, a view out of the frame holds no focus.
    if (parentFrame && parentFrame->getFocusView() == this)
        parentFrame->setFocusView(nullptr);
    attachedFlag = false;
    parentFrame = nullptr;
    return true;
}

} // namespace VSTGUI
