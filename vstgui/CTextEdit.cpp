#include "vstgui/CTextEdit.h"

#include "vstgui/CDrawContext.h"
#include "vstgui/CFrame.h"

#include <algorithm>
#include <cmath>

namespace VSTGUI {

namespace {
constexpr CCoord kFieldInset = 2;
constexpr CCoord kCaretInset = 3;
} // namespace

CTextEdit::CTextEdit(const CRect& size, IControlListener* listener, int32_t tag, UTF8StringPtr text,
                     CBitmap* background, int32_t style)
    : CParamDisplay(size, background, style), text(text ? text : "")
{
    this->listener = listener;
    this->tag = tag;
}

// A copy is never being edited.
CTextEdit::CTextEdit(const CTextEdit& other) : CParamDisplay(other), text(other.text) {}

CTextEdit::~CTextEdit() = default;

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
    if (!editing) {
        drawBack(context);
        drawPlatformText(context, text.c_str());
    } else if (!platformEdit) {
        drawEditField(context);
    }
    setDirty(false);
}

void CTextEdit::drawEditField(CDrawContext* context)
{
    drawBack(context);
    const CRect& r = getViewSize();
    if (CFontRef font = getFont())
        context->setFont(font);
    const CCoord caretX = context->getStringWidth(editText.substr(0, caret).c_str());
    const CCoord room = std::max<CCoord>(r.getWidth() - 2 * kFieldInset - 1, 0);
    const CCoord scroll = std::max<CCoord>(caretX - room, 0);
    const CCoord left = r.left + kFieldInset - scroll;
    if (getFont()) {
        context->setFontColor(getFontColor());
        context->drawString(editText.c_str(), CRect(left, r.top, r.right - kFieldInset, r.bottom), kLeftText, true);
    }
    context->setFillColor(getFontColor());
    const CCoord x = std::floor(left + caretX);
    context->drawRect(CRect(x, r.top + kCaretInset, x + 1, r.bottom - kCaretInset), kDrawFilled);
}

CMouseEventResult CTextEdit::onMouseDown(CPoint&, const CButtonState& buttons)
{
    if (!buttons.isLeftButton())
        return kMouseEventNotHandled;
    if (CFrame* frame = getFrame())
        frame->setFocusView(this);
    return kMouseDownEventHandledButDontNeedMovedOrUpEvents;
}

int32_t CTextEdit::onKeyDown(VstKeyCode& keyCode)
{
    if (!editing || platformEdit)
        return -1;
    switch (keyCode.virt) {
    case VKEY_RETURN:
    case VKEY_ENTER: finishEditing(true); return 1;
    case VKEY_ESCAPE: finishEditing(false); return 1;
    case VKEY_BACK:
        if (caret > 0)
            editText.erase(--caret, 1);
        break;
    case VKEY_DELETE:
        if (caret < editText.size())
            editText.erase(caret, 1);
        break;
    case VKEY_LEFT: caret = caret > 0 ? caret - 1 : 0; break;
    case VKEY_RIGHT: caret = std::min(caret + 1, editText.size()); break;
    case VKEY_HOME: caret = 0; break;
    case VKEY_END: caret = editText.size(); break;
    case 0:
        // Printable ASCII and Latin-1, one byte each; a character with Control or Command is a
        // shortcut, not typing.
        if (keyCode.character < 32 || (keyCode.character > 126 && keyCode.character < 160) ||
            keyCode.character > 255 || (keyCode.modifier & (MODIFIER_CONTROL | MODIFIER_COMMAND)))
            return -1;
        editText.insert(caret++, 1, char(keyCode.character));
        break;
    default: return -1;
    }
    invalid();
    return 1;
}

void CTextEdit::takeFocus()
{
    if (editing)
        return;
    editing = true;
    discardEdit = false;
    editText = text;
    caret = editText.size();
    if (CFrame* frame = getFrame(); frame && frame->getPlatformFrame())
        platformEdit = frame->getPlatformFrame()->createTextEdit(*this);
    invalid();
}

void CTextEdit::finishEditing(bool keep)
{
    if (!editing)
        return;
    discardEdit = !keep;
    CFrame* frame = getFrame();
    if (frame && frame->getFocusView() == this)
        frame->setFocusView(nullptr); // calls looseFocus
    else
        looseFocus();
}

void CTextEdit::looseFocus()
{
    if (!editing)
        return;
    const std::string typed = platformEdit ? platformEdit->getText() : editText;
    platformEdit.reset();
    editing = false;
    invalid();
    if (!discardEdit && typed != text) {
        setText(typed.c_str());
        valueChanged();
    }
}

} // namespace VSTGUI
