#pragma once

// The host's window of the Win32 window tests, under wine's null graphics driver.

#include "Win32TestWindow.h"
#include "WindowTestScene.h"
#include "vstgui/Win32PlatformFrame.h"

namespace testsupport {

inline HWND windowOf(CFrame& frame)
{
    return static_cast<HWND>(dynamic_cast<Win32PlatformFrame&>(*frame.getPlatformFrame()).getWindow());
}

// A top-level window under wine's null graphics driver; input is posted to the frame's window.
class Win32Host : public HostWindow {
public:
    Win32Host(int32_t width, int32_t height)
        : window(CreateWindowExW(0, L"STATIC", L"host", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 60, 150, width, height,
                                 nullptr, nullptr, GetModuleHandleW(nullptr), nullptr))
    {
    }
    ~Win32Host() override
    {
        if (window)
            DestroyWindow(window);
        pumpMessages();
    }

    void* parent() override { return window; }
    void* notAWindow() override { return reinterpret_cast<void*>(uintptr_t(0x1234)); }
    void destroyParent(CFrame& frame) override
    {
        DestroyWindow(window);
        window = nullptr;
        EXPECT_EQ(dynamic_cast<Win32PlatformFrame&>(*frame.getPlatformFrame()).getWindow(), nullptr);
    }
    void pump() override { pumpMessages(); }
    void send(CFrame& frame, Input input, CPoint at, int32_t state) override
    {
        const HWND child = windowOf(frame);
        const bool right = state & kRButton;
        const WPARAM held = (input == Input::release ? 0 : state & kLButton ? MK_LBUTTON : right ? MK_RBUTTON : 0) |
                            (state & kControl ? MK_CONTROL : 0);
        if (input == Input::wheelDown) {
            POINT screen{LONG(at.x), LONG(at.y)}; // the wheel reports screen positions
            ClientToScreen(child, &screen);
            PostMessageW(child, WM_MOUSEWHEEL, MAKEWPARAM(0, WORD(int16_t(-WHEEL_DELTA))), pointParam(screen.x, screen.y));
        } else {
            const UINT message = input == Input::move      ? WM_MOUSEMOVE
                                 : input == Input::press   ? (right ? WM_RBUTTONDOWN : WM_LBUTTONDOWN)
                                                           : (right ? WM_RBUTTONUP : WM_LBUTTONUP);
            PostMessageW(child, message, held, pointParam(at.x, at.y));
        }
    }
    std::vector<uint8_t> capture(CFrame& frame) override // through GDI, as a screen grab does
    {
        return captureWindow(windowOf(frame), int(frame.getWidth()), int(frame.getHeight()));
    }
    void loseContents(CFrame& frame) override
    {
        const std::vector<uint8_t> before = capture(frame);
        HDC context = GetDC(windowOf(frame));
        RECT all{0, 0, 160, 100};
        FillRect(context, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        ReleaseDC(windowOf(frame), context);
        ASSERT_NE(capture(frame), before);
        InvalidateRect(windowOf(frame), nullptr, FALSE);
    }
    CPoint windowSize(CFrame& frame) override
    {
        RECT client{};
        GetClientRect(windowOf(frame), &client);
        return CPoint(client.right, client.bottom);
    }
    CPoint parentSize() override
    {
        RECT outer{};
        GetWindowRect(window, &outer);
        return CPoint(outer.right - outer.left, outer.bottom - outer.top);
    }
    // The native menu reads keys posted to the frame's window before it opens.
    void answerNextMenu(CFrame& frame, int32_t index) override
    {
        for (int32_t i = 0; i <= index; ++i) {
            PostMessageW(windowOf(frame), WM_KEYDOWN, VK_DOWN, 1);
            PostMessageW(windowOf(frame), WM_KEYUP, VK_DOWN, 0xC0000001);
        }
        PostMessageW(windowOf(frame), WM_KEYDOWN, index < 0 ? VK_ESCAPE : VK_RETURN, 1);
        PostMessageW(windowOf(frame), WM_KEYUP, index < 0 ? VK_ESCAPE : VK_RETURN, 0xC0000001);
    }
    int childWindows() override
    {
        int count = 0;
        for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
            ++count;
        return count;
    }
    bool pointerHeld() override { return GetCapture() != nullptr; }
    int openHandles() override // GDI and USER objects; wine counts none, Windows does
    {
        return int(GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS) + GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS));
    }

    // Typed into the EDIT field as the keyboard would: characters (and backspace) as WM_CHAR,
    // other keys as WM_KEYDOWN.
    void key(CFrame& frame, int32_t character, unsigned char virt) override
    {
        const HWND field = FindWindowExW(windowOf(frame), nullptr, L"EDIT", nullptr);
        ASSERT_NE(field, nullptr);
        if (!virt || virt == VKEY_BACK) {
            PostMessageW(field, WM_CHAR, virt ? VK_BACK : WPARAM(character), 1);
            return;
        }
        const WPARAM code = virt == VKEY_RETURN   ? VK_RETURN
                            : virt == VKEY_ESCAPE ? VK_ESCAPE
                            : virt == VKEY_LEFT   ? VK_LEFT
                                                  : VK_DELETE;
        PostMessageW(field, WM_KEYDOWN, code, 1);
        PostMessageW(field, WM_KEYUP, code, 0xC0000001);
    }
    void takeKeyboardFocus() override { SetFocus(window); }

    HWND window;
};


} // namespace testsupport
