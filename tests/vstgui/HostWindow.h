#pragma once

// The host's window of the window tests (its X11 and Win32 versions in X11HostWindow.h and
// Win32HostWindow.h): the input it sends and how it reads the window's pixels.

#include "TestSupport.h"

#include <memory>

namespace testsupport {

// A host's window whose inside (where the frame lies, at its top-left) begins at (63, 153) on the
// screen, 200 x 120 outside unless asked otherwise, and the input a user gives the frame in it.
// Positions are the frame's; buttons carry VSTGUI's button and modifier bits.
class HostWindow {
public:
    virtual ~HostWindow() = default;
    virtual void* parent() = 0;
    virtual void destroyParent(CFrame& frame) = 0;
    virtual void pump() = 0; // hands the window system's pending work over
    enum class Input { press, move, release, wheelDown };
    virtual void send(CFrame& frame, Input input, CPoint at, int32_t buttons) = 0;
    // The frame window's pixels as blue, green, red, unused; empty when unreadable.
    virtual std::vector<uint8_t> capture(CFrame& frame) = 0;
    // The window system throws the window's pixels away and asks for them again.
    virtual void loseContents(CFrame& frame) = 0;
    virtual CPoint windowSize(CFrame& frame) = 0;
    virtual CPoint parentSize() = 0; // outer size, border included
    // The next size menu (Default, Large, Huge, separator) the frame pops up gets entry index chosen.
    virtual void answerNextMenu(CFrame& frame, int32_t index) = 0;
    CPoint menuCorner{-1, -1}; // where on the screen that menu's window opened, its top-left
    virtual int childWindows() = 0;
    virtual bool pointerHeld() = 0; // a grab or capture left behind
    // A key pressed and released into the frame's text field: a character, or a VKEY_ code.
    virtual void key(CFrame& frame, int32_t character, unsigned char virt = 0) = 0;
    virtual void takeKeyboardFocus() = 0; // the user clicked into the host
};

} // namespace testsupport
