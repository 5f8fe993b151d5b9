#pragma once

#include "vstgui/CBaseObject.h"
#include "vstgui/CBitmap.h"
#include "vstgui/CButtonState.h"
#include "vstgui/CRect.h"
#include "vstgui/IDropTarget.h"
#include "vstgui/SharedPointer.h"
#include "vst2/Records.h"

namespace VSTGUI {

class CDrawContext;
class CFrame;
class CViewContainer;

// The message a text edit sends its listener when it has lost the keyboard focus. One object, so
// that receivers may compare the pointer.
extern const IdStringPtr kMsgLooseFocus;

// A rectangle of the user interface that draws itself and may take mouse input. Its size is in
// the coordinates of the container that holds it.
class CView : public CBaseObject {
public:
    explicit CView(const CRect& size);
    // A detached copy: same size, background and flags, no parent.
    CView(const CView& other);
    CView& operator=(const CView&) = delete;
    ~CView() override;

    virtual void draw(CDrawContext* context);
    // Draws the view (the container has set the clip to updateRect) and marks it clean.
    virtual void drawRect(CDrawContext* context, const CRect& updateRect);

    virtual CMouseEventResult onMouseDown(CPoint& where, const CButtonState& buttons);
    virtual CMouseEventResult onMouseUp(CPoint& where, const CButtonState& buttons);
    virtual CMouseEventResult onMouseMoved(CPoint& where, const CButtonState& buttons);
    virtual CMouseEventResult onMouseCancel();
    // True when the wheel event was used.
    virtual bool onWheel(const CPoint& where, const CMouseWheelAxis& axis, const float& distance,
                         const CButtonState& buttons);
    // Whether a press at where (container coordinates) lands on the view's mouse area.
    virtual bool hitTest(const CPoint& where, const CButtonState& buttons);

    virtual void takeFocus() {}
    virtual void looseFocus() {}
    // Keys reach the view with the frame's focus: 1 when the key was used, -1 when not.
    virtual int32_t onKeyDown(VstKeyCode& keyCode);
    virtual int32_t onKeyUp(VstKeyCode& keyCode);

    // What answers drags over the view; none by default.
    virtual SharedPointer<IDropTarget> getDropTarget() { return dropTarget; }
    void setDropTarget(const SharedPointer<IDropTarget>& target) { dropTarget = target; }

    // Dirty views are redrawn at the frame's next idle.
    virtual void setDirty(bool state = true) { dirty = state; }
    virtual bool isDirty() const { return dirty; }
    // Asks for a redraw of the whole view or of rect (container coordinates).
    virtual void invalid() { invalidRect(size); }
    virtual void invalidRect(const CRect& rect);

    const CRect& getViewSize() const { return size; }
    // Sets the size (and the mouse area with it); doInvalid redraws the old and the new place.
    virtual void setViewSize(const CRect& newSize, bool doInvalid = true);
    // The size in the frame's coordinates (the containers' origins added up).
    CRect getRectInFrame() const;
    CCoord getWidth() const { return size.getWidth(); }
    CCoord getHeight() const { return size.getHeight(); }
    const CRect& getMouseableArea() const { return mouseableArea; }
    void setMouseableArea(const CRect& area) { mouseableArea = area; }

    // The background is remembered while the view holds it.
    virtual void setBackground(CBitmap* bitmap);
    CBitmap* getBackground() const { return background.get(); }
    CBitmap* getDrawBackground() const { return background.get(); }

    virtual void setTransparency(bool state) { transparent = state; }
    bool getTransparency() const { return transparent; }
    virtual void setMouseEnabled(bool state) { mouseEnabled = state; }
    bool getMouseEnabled() const { return mouseEnabled; }

    // Attached: in the view tree of an open frame.
    bool isAttached() const { return attachedFlag; }
    virtual bool attached(CView* parent);
    virtual bool removed(CView* parent);
    CView* getParentView() const { return parentView; }
    virtual CFrame* getFrame() const { return parentFrame; }

    virtual CView* newCopy() const { return new CView(*this); }
    // The view as a container of views, or null: cheaper than a cast on every idle.
    virtual CViewContainer* asViewContainer() { return nullptr; }

private:
    friend class CViewContainer;

    CRect size;
    CRect mouseableArea;
    SharedPointer<CBitmap> background;
    SharedPointer<IDropTarget> dropTarget;
    CView* parentView = nullptr;
    CFrame* parentFrame = nullptr;
    bool dirty = false;
    bool attachedFlag = false;
    bool transparent = false;
    bool mouseEnabled = true;
};

} // namespace VSTGUI
