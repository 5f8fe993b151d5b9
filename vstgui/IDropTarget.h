#pragma once

#include "vstgui/CButtonState.h"
#include "vstgui/CPoint.h"
#include "vstgui/ReferenceCounted.h"

namespace VSTGUI {

enum class DragOperation : int32_t {
    Copy = 0,
    Move,
    None = -1,
};

// Where a drag is, in frame coordinates.
struct DragEventData {
    CPoint pos;
    CButtonState modifiers;
};

// Answers a drag over one view. The frame sends enter when the drag reaches the view, moves while
// it stays there, and either leave (it went elsewhere or was given up) or drop.
class IDropTarget : public ReferenceCounted {
public:
    virtual DragOperation onDragEnter(DragEventData data) = 0;
    virtual DragOperation onDragMove(DragEventData data) = 0;
    virtual void onDragLeave(DragEventData data) = 0;
    virtual bool onDrop(DragEventData data) = 0;
};

} // namespace VSTGUI
