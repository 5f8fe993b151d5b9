#pragma once

#include "vstgui/CBitmap.h"
#include "vstgui/CView.h"
#include "vstgui/IDropTarget.h"

namespace VSTGUI {

// Marks one view while something is dragged over it. Made the view's drop target
// (CView::setDropTarget), it is entered and left by the frame's drags; the view calls draw at the
// end of its own drawing. The view and the bitmap are borrowed: the view holds this object, so it
// lives no longer than the view unless someone else keeps it.
class DropHighlight : public IDropTarget {
public:
    // highlightBitmap holds two states stacked vertically, the highlighted one in its lower half;
    // without it a red frame marks the view.
    DropHighlight(CView* view, CBitmap* highlightBitmap = nullptr);

    // Highlights and redraws the view; 0.
    int32_t enter();
    void leave();
    // While highlighted, and only when the view has a drop target: the bitmap's lower half at the
    // top-left of rect (the view's size when null), else a red frame two pixels wide.
    void draw(CDrawContext* context, const CRect* rect = nullptr);

    DragOperation onDragEnter(DragEventData data) override;
    DragOperation onDragMove(DragEventData data) override;
    void onDragLeave(DragEventData data) override;
    // Only marks the view: a drop ends the highlight and takes nothing.
    bool onDrop(DragEventData data) override;

    bool highlighted = false;
    CBitmap* highlightBitmap;
    CView* view;
};

} // namespace VSTGUI
