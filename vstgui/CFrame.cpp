#include "vstgui/CFrame.h"

#include "vstgui/CDrawContext.h"

#include <cmath>

namespace VSTGUI {

namespace {

// Beyond this many separate rectangles one bounding rectangle is cheaper to paint.
constexpr size_t kMaxInvalidRects = 16;

bool takesEvent(CMouseEventResult result)
{
    return result != kMouseEventNotHandled && result != kMouseEventNotImplemented;
}

SharedPointer<IPlatformBitmap> makeBackBuffer(const CRect& size)
{
    CPoint pixels = size.getSize();
    return IPlatformBitmap::create(&pixels);
}

} // namespace

CFrame::CFrame(const CRect& size, VSTGUIEditorInterface* editor)
    : CViewContainer(CRect(0, 0, size.getWidth(), size.getHeight())), editor(editor)
{
}

CFrame::~CFrame()
{
    removeAll(true);
}

bool CFrame::open(void* parentWindow, PlatformType type)
{
    if (platformFrame)
        return false;
    backBuffer = makeBackBuffer(getViewSize());
    if (!backBuffer)
        return false;
    platformFrame = IPlatformFrame::create(*this, parentWindow, type);
    if (!platformFrame) {
        backBuffer = nullptr;
        return false;
    }
    attached(nullptr);
    invalid();
    return true;
}

void CFrame::close()
{
    CViewContainer::onMouseCancel();
    onDragLeave(CPoint(), CButtonState());
    setFocusView(nullptr);
    removeAll(true);
    removed(nullptr);
    if (eventScopes > 0)
        closedPlatformFrame = std::move(platformFrame);
    else
        platformFrame.reset();
    backBuffer = nullptr;
    invalidRects.clear();
    forget();
}

int32_t CFrame::getKnobMode() const
{
    return editor ? editor->getKnobMode() : kCircularMode;
}

bool CFrame::setSize(CCoord width, CCoord height)
{
    const CRect newSize(0, 0, std::trunc(width), std::trunc(height));
    CPoint pixels = newSize.getSize();
    if (!(pixels.x >= 1 && pixels.y >= 1))
        return false;
    if (newSize == getViewSize())
        return true;
    if (editor && !editor->beforeSizeChange(newSize, getViewSize()))
        return false;
    if (platformFrame) {
        auto buffer = IPlatformBitmap::create(&pixels);
        if (!buffer)
            return false;
        backBuffer = buffer;
        platformFrame->setSize(newSize);
    }
    CView::setViewSize(newSize, false);
    invalidRects.clear();
    invalid();
    return true;
}

void CFrame::idle()
{
    if (!platformFrame)
        return;
    // Input taken in the back end's idle may close the frame: it stays alive to the end of this.
    SharedPointer<CFrame> keepAlive(this);
    {
        EventScope scope(*this);
        platformFrame->idle();
    }
    if (!platformFrame)
        return;
    forEachDescendant([](CView* view) {
        if (view->isDirty())
            view->invalid();
    });
    paintInvalidRects();
}

void CFrame::invalid()
{
    invalidRect(CRect(0, 0, getWidth(), getHeight()));
}

void CFrame::invalidRect(const CRect& rect)
{
    if (!platformFrame || std::isnan(rect.left) || std::isnan(rect.top) || std::isnan(rect.right) ||
        std::isnan(rect.bottom))
        return;
    CRect area(std::floor(rect.left), std::floor(rect.top), std::ceil(rect.right), std::ceil(rect.bottom));
    area.bound(CRect(0, 0, getWidth(), getHeight()));
    if (area.isEmpty())
        return;
    // Overlapping rectangles merge, so that no pixel is painted twice in one pass.
    for (bool merged = true; merged;) {
        merged = false;
        for (auto it = invalidRects.begin(); it != invalidRects.end(); ++it) {
            if (it->rectOverlap(area)) {
                area.unite(*it);
                invalidRects.erase(it);
                merged = true;
                break;
            }
        }
    }
    invalidRects.push_back(area);
    if (invalidRects.size() > kMaxInvalidRects) {
        CRect all = invalidRects.front();
        for (const CRect& each : invalidRects)
            all.unite(each);
        invalidRects.assign(1, all);
    }
}

void CFrame::paintInvalidRects()
{
    if (invalidRects.empty() || !backBuffer)
        return;
    const std::vector<CRect> areas = std::move(invalidRects);
    invalidRects.clear();
    auto context = makeOwned<CDrawContext>(backBuffer.get());
    for (const CRect& area : areas) {
        context->setClipRect(area);
        context->setFillColor(kBlackCColor);
        context->drawRect(area, kDrawFilled);
        drawRect(context, area);
        if (platformFrame)
            platformFrame->present(*backBuffer, area);
    }
}

bool CFrame::setModalView(CView* view)
{
    if (!view) {
        if (modalView)
            removeView(modalView, false);
        return true;
    }
    if (modalView)
        return false;
    view->remember();
    if (!addView(view)) {
        view->forget();
        return false;
    }
    modalView = view;
    return true;
}

void CFrame::setFocusView(CView* view)
{
    if (view == focusView.get())
        return;
    SharedPointer<CView> previous = focusView;
    SharedPointer<CView> next(view);
    focusView = view;
    if (previous)
        previous->looseFocus();
    if (focusView != next) // the old view's handler chose another focus
        return;
    if (platformFrame)
        platformFrame->setKeyboardFocus(next != nullptr);
    if (next)
        next->takeFocus();
}

int32_t CFrame::onKeyDown(VstKeyCode& keyCode)
{
    SharedPointer<CFrame> keepAlive(this);
    SharedPointer<CView> view = focusView;
    return view ? view->onKeyDown(keyCode) : -1;
}

int32_t CFrame::onKeyUp(VstKeyCode& keyCode)
{
    SharedPointer<CFrame> keepAlive(this);
    SharedPointer<CView> view = focusView;
    return view ? view->onKeyUp(keyCode) : -1;
}

CView* CFrame::dropViewAt(const CPoint& where)
{
    // Down to the topmost view under the pointer, then back up to the first with a target.
    std::vector<CView*> path;
    CViewContainer* container = this;
    CPoint local = where;
    while (container) {
        CView* hit = nullptr;
        for (int32_t i = container->getNbViews() - 1; i >= 0 && !hit; --i) {
            CView* child = container->getView(i);
            if (child->getMouseEnabled() && child->getViewSize().pointInside(local))
                hit = child;
        }
        if (!hit)
            break;
        path.push_back(hit);
        local = local - hit->getViewSize().getTopLeft();
        container = hit->asViewContainer();
    }
    for (auto it = path.rbegin(); it != path.rend(); ++it)
        if ((*it)->getDropTarget())
            return *it;
    return nullptr;
}

DragOperation CFrame::onDragEnter(const CPoint& where, CButtonState modifiers)
{
    onDragLeave(where, modifiers);
    return onDragMove(where, modifiers);
}

DragOperation CFrame::onDragMove(const CPoint& where, CButtonState modifiers)
{
    SharedPointer<CFrame> keepAlive(this);
    CView* view = isOpen() ? dropViewAt(where) : nullptr;
    if (view != dragView.get()) {
        onDragLeave(where, modifiers);
        if (!view)
            return DragOperation::None;
        dragView = view;
        dragTarget = view->getDropTarget();
        return dragTarget->onDragEnter({where, modifiers});
    }
    return dragTarget ? dragTarget->onDragMove({where, modifiers}) : DragOperation::None;
}

void CFrame::onDragLeave(const CPoint& where, CButtonState modifiers)
{
    SharedPointer<IDropTarget> target = std::move(dragTarget);
    SharedPointer<CView> view = std::move(dragView);
    dragTarget = nullptr;
    dragView = nullptr;
    if (target)
        target->onDragLeave({where, modifiers});
}

bool CFrame::onDrop(const CPoint& where, CButtonState modifiers)
{
    onDragMove(where, modifiers);
    SharedPointer<IDropTarget> target = std::move(dragTarget);
    SharedPointer<CView> view = std::move(dragView);
    dragTarget = nullptr;
    dragView = nullptr;
    return target && target->onDrop({where, modifiers});
}

CFrame::EventScope::EventScope(CFrame& frame) : frame(&frame)
{
    ++frame.eventScopes;
}

CFrame::EventScope::~EventScope()
{
    if (--frame->eventScopes == 0)
        frame->closedPlatformFrame.reset();
}

bool CFrame::getCurrentMouseLocation(CPoint& where) const
{
    if (!platformFrame)
        return false;
    where = platformFrame->getCurrentMousePosition();
    return true;
}

CButtonState CFrame::getCurrentMouseButtons() const
{
    return platformFrame ? platformFrame->getCurrentMouseButtons() : CButtonState();
}

bool CFrame::removeView(CView* view, bool withForget)
{
    // The modal view's reference is the frame's own: it goes whenever the view leaves.
    const bool wasModal = view && view == modalView;
    if (wasModal)
        modalView = nullptr;
    if (view && view == focusView.get())
        setFocusView(nullptr);
    return CViewContainer::removeView(view, withForget || wasModal);
}

CMouseEventResult CFrame::onMouseDown(CPoint& where, const CButtonState& buttons)
{
    SharedPointer<CFrame> keepAlive(this);
    if (focusView && !focusView->getRectInFrame().pointInside(where))
        setFocusView(nullptr);
    if (modalView) {
        SharedPointer<CView> modal(modalView);
        CPoint point = where;
        const CMouseEventResult result = modal->onMouseDown(point, buttons);
        if (result == kMouseEventHandled && modal->getParentView() == this)
            setMouseDownView(modal);
        return result;
    }
    const CMouseEventResult result = CViewContainer::onMouseDown(where, buttons);
    if (takesEvent(result))
        return result;
    if (editor) {
        CPoint point = where;
        const CMouseEventResult hook = editor->onMouseDown(point, buttons);
        if (hook != kMouseEventNotImplemented)
            return hook;
    }
    return kMouseEventNotHandled;
}

CMouseEventResult CFrame::onMouseUp(CPoint& where, const CButtonState& buttons)
{
    SharedPointer<CFrame> keepAlive(this);
    const CMouseEventResult result = CViewContainer::onMouseUp(where, buttons);
    if (takesEvent(result) || modalView || !editor)
        return result;
    CPoint point = where;
    const CMouseEventResult hook = editor->onMouseUp(point, buttons);
    return hook == kMouseEventNotImplemented ? kMouseEventNotHandled : hook;
}

CMouseEventResult CFrame::onMouseMoved(CPoint& where, const CButtonState& buttons)
{
    SharedPointer<CFrame> keepAlive(this);
    if (modalView && getMouseDownView() != modalView) {
        SharedPointer<CView> modal(modalView);
        CPoint point = where;
        return modal->onMouseMoved(point, buttons);
    }
    return CViewContainer::onMouseMoved(where, buttons);
}

bool CFrame::onWheel(const CPoint& where, const CMouseWheelAxis& axis, const float& distance,
                     const CButtonState& buttons)
{
    SharedPointer<CFrame> keepAlive(this);
    if (modalView) {
        SharedPointer<CView> modal(modalView);
        return modal->onWheel(where, axis, distance, buttons);
    }
    return CViewContainer::onWheel(where, axis, distance, buttons);
}

} // namespace VSTGUI
