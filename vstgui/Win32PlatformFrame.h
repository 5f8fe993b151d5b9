#pragma once

#include "vstgui/IPlatformFrame.h"
#include "vstgui/RealTimeTimerClock.h"
#include "vstgui/Win32OptionMenu.h"

#include <cstdint>
#include <memory>

namespace VSTGUI {

// The Windows back end: a child window of the host's HWND, of this module's own window class,
// painted from the frame's back buffer. Its messages come through the host's message loop; the
// mouse is captured from a press until the last button is released.
class Win32PlatformFrame : public IPlatformFrame {
public:
    static constexpr const wchar_t* kWindowClassName = L"ZarnProFrame";

    // Null when the parent is not a window or the window cannot be made.
    static std::unique_ptr<Win32PlatformFrame> open(CFrame& frame, void* parentWindow);
    ~Win32PlatformFrame() override;

    void present(const IPlatformBitmap& pixels, const CRect& area) override;
    void setSize(const CRect& size) override;
    CPoint getCurrentMousePosition() const override;
    CButtonState getCurrentMouseButtons() const override;
    IPlatformOptionMenu* getOptionMenu() override { return &optionMenu; }
    void idle() override { timerClock.tick(); }
    // An EDIT child window over the control.
    std::unique_ptr<IPlatformTextEdit> createTextEdit(CTextEdit& control) override;

    // The HWND.
    void* getWindow() const { return window; }
    // The window procedure's work for this frame's window.
    intptr_t handleMessage(unsigned message, uintptr_t wParam, intptr_t lParam);

private:
    Win32PlatformFrame(CFrame& frame, void* window);

    void drawArea(void* deviceContext, const IPlatformBitmap& pixels, const CRect& area) const;

    CFrame& frame;
    void* window;
    Win32OptionMenu optionMenu;
    RealTimeTimerClock timerClock;
    bool capturing = false;
    void* textEditWindow = nullptr;
};

} // namespace VSTGUI
