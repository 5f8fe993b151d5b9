#pragma once

#include "vstgui/CParamDisplay.h"
#include "vstgui/IPlatformTextEdit.h"

#include <memory>
#include <string>

namespace VSTGUI {

// A text display that the user edits once it has the keyboard focus (a left press gives it).
// Where the window system offers a text field (Win32) that field is opened over the control;
// elsewhere (X11, offscreen) the control draws the field and caret itself and edits with the keys
// the frame passes on. Return commits, Escape restores the text, and losing the focus commits:
// a changed text is reported to the listener.
class CTextEdit : public CParamDisplay {
public:
    CTextEdit(const CRect& size, IControlListener* listener, int32_t tag, UTF8StringPtr text = nullptr,
              CBitmap* background = nullptr, int32_t style = 0);
    CTextEdit(const CTextEdit& other);
    ~CTextEdit() override;

    virtual void setText(UTF8StringPtr newText);
    UTF8StringPtr getText() const { return text.c_str(); }

    void draw(CDrawContext* context) override;
    CMouseEventResult onMouseDown(CPoint& where, const CButtonState& buttons) override;
    int32_t onKeyDown(VstKeyCode& keyCode) override;
    void takeFocus() override;
    void looseFocus() override;
    CView* newCopy() const override { return new CTextEdit(*this); }

    // True while the control is being edited, in a field of the window system or its own.
    bool isPlatformEditOpen() const { return editing; }
    // The text being edited and the caret's byte position in it (the control's own field).
    const std::string& getEditText() const { return editText; }
    size_t getCaret() const { return caret; }
    // Ends the editing as Return (keep) or Escape (discard) does; a field of the window system
    // calls it for those keys.
    void finishEditing(bool keep);

protected:
    // The control's own field: the back, the text left-aligned and scrolled to show the caret.
    void drawEditField(CDrawContext* context);

private:
    std::string text;
    bool editing = false;
    bool discardEdit = false;
    std::string editText;
    size_t caret = 0;
    std::unique_ptr<IPlatformTextEdit> platformEdit;
};

} // namespace VSTGUI
