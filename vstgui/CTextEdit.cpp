#include "vstgui/CTextEdit.h"

#include "vstgui/CFrame.h"

namespace VSTGUI {

CTextEdit::CTextEdit(const CRect& size, IControlListener* listener, int32_t tag, UTF8StringPtr text,
                     CBitmap* background, int32_t style)
    : CParamDisplay(size, background, style), text(text ? text : "")
{
    this->listener = listener;
    this->tag = tag;
}

void CTextEdit::setText(UTF8StringPtr newText)
{
    const std::string replacement = newText ? newText : "";
    if (replacement != text) {
        text = replacement;
        setDirty(true);
    }
}

void CTextEdit::draw(CDrawContext* context)
{
    if (!platformEditOpen) {
        drawBack(context);
        drawPlatformText(context, text.c_str());
    }
    setDirty(false);
}

CMouseEventResult CTextEdit::onMouseDown(CPoint&, const CButtonState& buttons)
{
    if (!buttons.isLeftButton())
        return kMouseEventNotHandled;
    if (CFrame* frame = getFrame())
        frame->setFocusView(this);
    return kMouseDownEventHandledButDontNeedMovedOrUpEvents;
}

void CTextEdit::takeFocus()
{
    platformEditOpen = true;
    invalid();
}

void CTextEdit::looseFocus()
{
    if (!platformEditOpen)
        return;
    platformEditOpen = false;
    invalid();
}

} // namespace VSTGUI
