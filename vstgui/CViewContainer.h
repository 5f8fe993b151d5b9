#pragma once

#include "vstgui/CView.h"

#include <vector>

namespace VSTGUI {

// A view holding child views in its own coordinates (its top-left corner is their origin); later
// children lie above earlier ones. The container owns one reference to each child.
class CViewContainer : public CView {
public:
    explicit CViewContainer(const CRect& size);
    ~CViewContainer() override;

    // Takes over the caller's reference; inserts before `before` when that is a child, else at
    // the end. False (the reference stays the caller's) for null or a view that has a parent.
    virtual bool addView(CView* view, CView* before = nullptr);
    // Takes the view out; withForget releases the container's reference.
    virtual bool removeView(CView* view, bool withForget = true);
    virtual bool removeAll(bool withForget = true);
    int32_t getNbViews() const { return int32_t(children.size()); }
    CView* getView(int32_t index) const;
    bool isChild(const CView* view) const;

    void drawRect(CDrawContext* context, const CRect& updateRect) override;
    void invalidRect(const CRect& rect) override;

    // A press goes to the topmost child under it that takes it (any result but not handled);
    // the child that answers kMouseEventHandled then receives the moves and the release. Without
    // a pressed child, moves go to the children under the pointer.
    CMouseEventResult onMouseDown(CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult onMouseUp(CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult onMouseMoved(CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult onMouseCancel() override;
    bool onWheel(const CPoint& where, const CMouseWheelAxis& axis, const float& distance,
                 const CButtonState& buttons) override;

    bool attached(CView* parent) override;
    bool removed(CView* parent) override;
    CViewContainer* asViewContainer() override { return this; }

    // Calls visit for every view below this container, depth first, in drawing order.
    template <typename Visit> void forEachDescendant(Visit visit) const
    {
        for (CView* child : children) {
            visit(child);
            if (CViewContainer* container = child->asViewContainer())
                container->forEachDescendant(visit);
        }
    }

protected:
    // The children held for the length of a dispatch, so that handlers may add and remove views.
    std::vector<SharedPointer<CView>> snapshot() const;
    CPoint toLocal(const CPoint& where) const;
    CView* getMouseDownView() const { return mouseDownView; }
    void setMouseDownView(CView* view) { mouseDownView = view; }

private:
    std::vector<CView*> children;
    CView* mouseDownView = nullptr;
};

} // namespace VSTGUI
