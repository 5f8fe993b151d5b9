#pragma once

#include "vstgui/CViewContainer.h"
#include "vstgui/IPlatformBitmap.h"
#include "vstgui/IPlatformFrame.h"
#include "vstgui/VSTGUIEditorInterface.h"

#include <memory>
#include <vector>

namespace VSTGUI {

// The root container: paints its views into a back buffer that its back end shows, and receives
// the back end's mouse input. Its origin is always (0, 0).
class CFrame : public CViewContainer {
public:
    CFrame(const CRect& size, VSTGUIEditorInterface* editor);
    ~CFrame() override;

    // Opens the back end for the parent window; false when already open or the size is unusable.
    bool open(void* parentWindow, PlatformType type = PlatformType::kDefaultNative);
    // Removes and releases every view, closes the back end and releases the frame itself.
    void close();

    VSTGUIEditorInterface* getEditor() const { return editor; }
    IPlatformFrame* getPlatformFrame() const { return platformFrame.get(); }
    // The painted pixels; null while closed.
    IPlatformBitmap* getBackBuffer() const { return backBuffer.get(); }
    CFrame* getFrame() const override { return const_cast<CFrame*>(this); }
    int32_t getKnobMode() const;

    // Resizes the frame (and its back end); false when the size is unusable or the editor
    // refuses it.
    bool setSize(CCoord width, CCoord height);
    // Redraws what changed: the views that are dirty or whose value changed, and every invalid
    // rectangle, background first.
    void idle();
    void invalid() override;
    void invalidRect(const CRect& rect) override;

    // The modal view is added above all views and takes all input until it is cleared (null).
    // The frame holds its own reference while the view is modal. False when another is modal.
    bool setModalView(CView* view);
    CView* getModalView() const { return modalView; }
    // The view with the keyboard focus; the old one is told it lost it, the new one that it got it.
    // A view that leaves the frame loses the focus.
    void setFocusView(CView* view);
    CView* getFocusView() const { return focusView.get(); }

    bool getCurrentMouseLocation(CPoint& where) const;
    CButtonState getCurrentMouseButtons() const;

    bool removeView(CView* view, bool withForget = true) override;

    // Held by a back end while it delivers events: the frame stays alive, and a close during
    // the delivery destroys the back end only when the outermost scope ends.
    class EventScope {
    public:
        explicit EventScope(CFrame& frame);
        ~EventScope();
        EventScope(const EventScope&) = delete;
        EventScope& operator=(const EventScope&) = delete;

    private:
        SharedPointer<CFrame> frame;
    };
    // False before open and from the start of close: a back end stops delivering events then.
    bool isOpen() const { return platformFrame != nullptr; }

    // Input from the back end. A press that no view takes goes to the editor's onMouseDown, a
    // release that no view takes to its onMouseUp; while a modal view is set, it alone gets input.
    CMouseEventResult onMouseDown(CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult onMouseUp(CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult onMouseMoved(CPoint& where, const CButtonState& buttons) override;
    bool onWheel(const CPoint& where, const CMouseWheelAxis& axis, const float& distance,
                 const CButtonState& buttons) override;
    // Keys go to the focus view; -1 when there is none or it did not use the key.
    int32_t onKeyDown(VstKeyCode& keyCode) override;
    int32_t onKeyUp(VstKeyCode& keyCode) override;

    // A drag from the back end, at a frame position. It goes to the drop target of the topmost
    // view under the pointer, or of the nearest container above that view that has one; moving
    // onto another target leaves the old one and enters the new one.
    DragOperation onDragEnter(const CPoint& where, CButtonState modifiers);
    DragOperation onDragMove(const CPoint& where, CButtonState modifiers);
    void onDragLeave(const CPoint& where, CButtonState modifiers);
    bool onDrop(const CPoint& where, CButtonState modifiers);

private:
    // The view whose drop target takes a drag at where (frame coordinates), or null.
    CView* dropViewAt(const CPoint& where);
    void paintInvalidRects();

    VSTGUIEditorInterface* editor;
    std::unique_ptr<IPlatformFrame> platformFrame;
    std::unique_ptr<IPlatformFrame> closedPlatformFrame;
    int32_t eventScopes = 0;
    SharedPointer<IPlatformBitmap> backBuffer;
    std::vector<CRect> invalidRects;
    CView* modalView = nullptr;
    SharedPointer<CView> focusView;
    // The view under a drag and its target, held so that a view leaving meanwhile still gets
    // its leave.
    SharedPointer<CView> dragView;
    SharedPointer<IDropTarget> dragTarget;
};

} // namespace VSTGUI
