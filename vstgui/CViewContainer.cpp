#include "vstgui/CViewContainer.h"

#include "vstgui/CDrawContext.h"

#include <algorithm>

namespace VSTGUI {

namespace {
bool takesPress(CMouseEventResult result)
{
    return result != kMouseEventNotHandled && result != kMouseEventNotImplemented;
}
} // namespace

CViewContainer::CViewContainer(const CRect& size) : CView(size) {}

CViewContainer::~CViewContainer()
{
    for (CView* child : children) {
        child->parentView = nullptr;
        child->removed(this);
        child->forget();
    }
}

bool CViewContainer::addView(CView* view, CView* before)
{
    if (!view || view->parentView || view == this)
        return false;
    const auto position = std::find(children.begin(), children.end(), before);
    children.insert(position, view);
    view->parentView = this;
    if (isAttached()) {
        view->attached(this);
        view->invalid();
    }
    return true;
}

bool CViewContainer::removeView(CView* view, bool withForget)
{
    const auto found = std::find(children.begin(), children.end(), view);
    if (!view || found == children.end())
        return false;
    if (isAttached())
        view->invalid();
    children.erase(found);
    if (view == mouseDownView)
        mouseDownView = nullptr;
    view->removed(this);
    view->parentView = nullptr;
    if (withForget)
        view->forget();
    return true;
}

bool CViewContainer::removeAll(bool withForget)
{
    while (!children.empty())
        removeView(children.back(), withForget);
    return true;
}

CView* CViewContainer::getView(int32_t index) const
{
    return index >= 0 && size_t(index) < children.size() ? children[size_t(index)] : nullptr;
}

bool CViewContainer::isChild(const CView* view) const
{
    return std::find(children.begin(), children.end(), view) != children.end();
}

std::vector<SharedPointer<CView>> CViewContainer::snapshot() const
{
    return {children.begin(), children.end()};
}

CPoint CViewContainer::toLocal(const CPoint& where) const
{
    return where - getViewSize().getTopLeft();
}

void CViewContainer::drawRect(CDrawContext* context, const CRect& updateRect)
{
    const CPoint origin = getViewSize().getTopLeft();
    const CPoint oldOffset = context->getOffset();
    CRect oldClip;
    context->getClipRect(oldClip);

    context->setOffset(oldOffset + origin);
    CRect localUpdate = updateRect;
    localUpdate.offset(-origin.x, -origin.y);
    CRect localClip = oldClip;
    localClip.offset(-origin.x, -origin.y);
    localUpdate.bound(localClip);

    if (CBitmap* background = getDrawBackground())
        background->draw(context, CRect(0, 0, getWidth(), getHeight()));
    for (const auto& child : snapshot()) {
        CRect visible = child->getViewSize();
        if (child->getParentView() != this || !visible.rectOverlap(localUpdate))
            continue;
        visible.bound(localUpdate);
        context->setClipRect(visible);
        child->drawRect(context, visible);
    }
    context->setOffset(oldOffset);
    context->setClipRect(oldClip);
    setDirty(false);
}

void CViewContainer::invalidRect(const CRect& rect)
{
    CRect inParent = rect;
    inParent.offset(getViewSize().left, getViewSize().top);
    CView::invalidRect(inParent);
}

CMouseEventResult CViewContainer::onMouseDown(CPoint& where, const CButtonState& buttons)
{
    const CPoint local = toLocal(where);
    const auto views = snapshot();
    for (auto it = views.rbegin(); it != views.rend(); ++it) {
        CView* view = it->get();
        if (view->getParentView() != this || !view->getMouseEnabled() || !view->hitTest(local, buttons))
            continue;
        CPoint point = local;
        const CMouseEventResult result = view->onMouseDown(point, buttons);
        if (takesPress(result)) {
            if (result == kMouseEventHandled && view->getParentView() == this)
                mouseDownView = view;
            return result;
        }
    }
    return kMouseEventNotHandled;
}

CMouseEventResult CViewContainer::onMouseUp(CPoint& where, const CButtonState& buttons)
{
    if (!mouseDownView)
        return kMouseEventNotHandled;
    SharedPointer<CView> view(mouseDownView);
    mouseDownView = nullptr;
    CPoint point = toLocal(where);
    return view->onMouseUp(point, buttons);
}

CMouseEventResult CViewContainer::onMouseMoved(CPoint& where, const CButtonState& buttons)
{
    const CPoint local = toLocal(where);
    if (mouseDownView) {
        SharedPointer<CView> view(mouseDownView);
        CPoint point = local;
        return view->onMouseMoved(point, buttons);
    }
    // Hovering: the views under the pointer, topmost first, until one handles the move. They see
    // the modifiers only: a button held since a press elsewhere is not theirs.
    const CButtonState hoverButtons(buttons.getModifierState());
    const auto views = snapshot();
    for (auto it = views.rbegin(); it != views.rend(); ++it) {
        CView* view = it->get();
        if (view->getParentView() != this || !view->getMouseEnabled() || !view->hitTest(local, hoverButtons))
            continue;
        CPoint point = local;
        if (view->onMouseMoved(point, hoverButtons) == kMouseEventHandled)
            return kMouseEventHandled;
    }
    return kMouseEventNotHandled;
}

CMouseEventResult CViewContainer::onMouseCancel()
{
    if (!mouseDownView)
        return kMouseEventNotHandled;
    SharedPointer<CView> view(mouseDownView);
    mouseDownView = nullptr;
    return view->onMouseCancel();
}

bool CViewContainer::onWheel(const CPoint& where, const CMouseWheelAxis& axis, const float& distance,
                             const CButtonState& buttons)
{
    const CPoint local = toLocal(where);
    const auto views = snapshot();
    for (auto it = views.rbegin(); it != views.rend(); ++it) {
        CView* view = it->get();
        if (view->getParentView() == this && view->getMouseEnabled() && view->hitTest(local, buttons) &&
            view->onWheel(local, axis, distance, buttons))
            return true;
    }
    return false;
}

bool CViewContainer::attached(CView* parent)
{
    if (!CView::attached(parent))
        return false;
    for (const auto& child : snapshot())
        child->attached(this);
    return true;
}

bool CViewContainer::removed(CView* parent)
{
    if (!CView::removed(parent))
        return false;
    for (const auto& child : snapshot())
        child->removed(this);
    return true;
}

} // namespace VSTGUI
