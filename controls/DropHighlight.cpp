#include "controls/DropHighlight.h"

#include "vstgui/CDrawContext.h"

namespace VSTGUI {

namespace {
const CColor kHighlightFrame(255, 0, 0, 255);
constexpr CCoord kHighlightLineWidth = 2.0;
} // namespace

DropHighlight::DropHighlight(CView* view, CBitmap* highlightBitmap) : highlightBitmap(highlightBitmap), view(view) {}

int32_t DropHighlight::enter()
{
    highlighted = true;
    if (view)
        view->invalid();
    return 0;
}

void DropHighlight::leave()
{
    highlighted = false;
    if (view)
        view->invalid();
}

void DropHighlight::draw(CDrawContext* context, const CRect* rect)
{
    if (!view || !highlighted || !view->getDropTarget())
        return;
    if (highlightBitmap) {
        const CRect r = rect ? *rect : view->getViewSize();
        const CCoord half = highlightBitmap->getHeight() / 2;
        highlightBitmap->draw(context, CRect(r.left, r.top, r.left + highlightBitmap->getWidth(), r.top + half),
                              CPoint(0, half), 1.f);
        return;
    }
    const CCoord lineWidth = context->getLineWidth();
    const CColor frameColour = context->getFrameColor();
    context->setLineWidth(kHighlightLineWidth);
    context->setFrameColor(kHighlightFrame);
    context->drawRect(view->getViewSize(), kDrawStroked);
    context->setLineWidth(lineWidth);
    context->setFrameColor(frameColour);
}

DragOperation DropHighlight::onDragEnter(DragEventData)
{
    return DragOperation(enter()); // 0: a copy
}

DragOperation DropHighlight::onDragMove(DragEventData)
{
    return DragOperation::Copy;
}

void DropHighlight::onDragLeave(DragEventData)
{
    leave();
}

bool DropHighlight::onDrop(DragEventData)
{
    leave();
    return false;
}

} // namespace VSTGUI
