#pragma once

#include "vstgui/CParamDisplay.h"

#include <string>

namespace VSTGUI {

// A text display that takes the keyboard focus on a left press. The text field in which the user
// types belongs to the window back ends; while it is open the control draws nothing of its own.
class CTextEdit : public CParamDisplay {
public:
    CTextEdit(const CRect& size, IControlListener* listener, int32_t tag, UTF8StringPtr text = nullptr,
              CBitmap* background = nullptr, int32_t style = 0);

    virtual void setText(UTF8StringPtr newText);
    UTF8StringPtr getText() const { return text.c_str(); }

    void draw(CDrawContext* context) override;
    CMouseEventResult onMouseDown(CPoint& where, const CButtonState& buttons) override;
    void takeFocus() override;
    void looseFocus() override;
    CView* newCopy() const override { return new CTextEdit(*this); }

    // True while the text field is open.
    bool isPlatformEditOpen() const { return platformEditOpen; }

private:
    std::string text;
    bool platformEditOpen = false;
};

} // namespace VSTGUI
