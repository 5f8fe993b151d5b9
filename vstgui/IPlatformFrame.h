#pragma once

#include "vstgui/CButtonState.h"
#include "vstgui/CRect.h"

#include <memory>

namespace VSTGUI {

class CFrame;
class CTextEdit;
class IPlatformBitmap;
class IPlatformOptionMenu;
class IPlatformTextEdit;

// What differs between back ends: how the frame's painted pixels reach the screen and where the
// pointer is. Input arrives by the back end calling the frame's mouse operations.
class IPlatformFrame {
public:
    virtual ~IPlatformFrame() = default;

    // The back end for type and parent window; the offscreen one when there is no window to show
    // the frame in.
    static std::unique_ptr<IPlatformFrame> create(CFrame& frame, void* parent, PlatformType type);

    // The frame painted area (frame coordinates) of pixels; the back end shows it.
    virtual void present(const IPlatformBitmap& pixels, const CRect& area) = 0;
    virtual void setSize(const CRect& size) = 0;
    virtual CPoint getCurrentMousePosition() const = 0;
    virtual CButtonState getCurrentMouseButtons() const = 0;
    // The presenter of option menus; null when menus cannot be shown.
    virtual IPlatformOptionMenu* getOptionMenu() = 0;
    // Called first in every frame idle: a window back end takes the window system's pending
    // events here and lets the timers' clock follow real time. Input it delivers may close the
    // frame; the back end then lives until this call returns (see CFrame::EventScope).
    virtual void idle() {}
    // A text field of the window system for control, or null: the toolkit then draws the field
    // and edits it with the keys it receives.
    virtual std::unique_ptr<IPlatformTextEdit> createTextEdit(CTextEdit& control);
    // Whether a view of the frame holds the keyboard focus: a window back end takes the window
    // system's key input while it does and gives it back to the host afterwards.
    virtual void setKeyboardFocus(bool wanted) { (void)wanted; }
};

} // namespace VSTGUI
