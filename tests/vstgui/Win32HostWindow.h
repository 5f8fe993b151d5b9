#pragma once

// The host's window of the Win32 window tests, under wine's null graphics driver.

#include "HostWindow.h"
#include "vstgui/Win32PlatformFrame.h"

#include <windows.h>

namespace testsupport {

inline HWND windowOf(CFrame& frame)
{
    return static_cast<HWND>(dynamic_cast<Win32PlatformFrame&>(*frame.getPlatformFrame()).getWindow());
}

// A top-level window under wine's null graphics driver; input is posted to the frame's window.
class Win32Host : public HostWindow {
public:
    Win32Host(int32_t width, int32_t height)
        : window(CreateWindowExW(0, L"STATIC", L"host", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 63, 153, width, height,
                                 nullptr, nullptr, GetModuleHandleW(nullptr), nullptr)) {}
    ~Win32Host() override
    {
        if (menuHook)
            UnhookWindowsHookEx(menuHook);
        if (window)
            DestroyWindow(window);
        pump();
    }

    void* parent() override { return window; }
    void destroyParent(CFrame& frame) override
    {
        DestroyWindow(window);
        window = nullptr;
        EXPECT_EQ(windowOf(frame), nullptr);
    }
    void pump() override
    {
        for (MSG message; PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE);)
            TranslateMessage(&message), DispatchMessageW(&message);
    }
    void send(CFrame& frame, Input input, CPoint at, int32_t state) override
    {
        const HWND child = windowOf(frame);
        const bool right = state & kRButton;
        const WPARAM held = (input == Input::release ? 0 : state & kLButton ? MK_LBUTTON : right ? MK_RBUTTON : 0) |
                            (state & kControl ? MK_CONTROL : 0);
        POINT where{LONG(at.x), LONG(at.y)};
        if (input == Input::wheelDown) {
            ClientToScreen(child, &where); // the wheel reports screen positions
            PostMessageW(child, WM_MOUSEWHEEL, MAKEWPARAM(0, WORD(int16_t(-WHEEL_DELTA))), MAKELPARAM(where.x, where.y));
            return;
        }
        const UINT message = input == Input::move      ? WM_MOUSEMOVE
                             : input == Input::press   ? (right ? WM_RBUTTONDOWN : WM_LBUTTONDOWN)
                                                       : (right ? WM_RBUTTONUP : WM_LBUTTONUP);
        PostMessageW(child, message, held, MAKELPARAM(where.x, where.y));
    }
    // Through GDI, as a screen grab does.
    std::vector<uint8_t> capture(CFrame& frame) override
    {
        const HWND source = windowOf(frame);
        const int w = int(frame.getWidth()), h = int(frame.getHeight());
        BITMAPINFO info{};
        info.bmiHeader = {sizeof(info.bmiHeader), w, -h, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        void* bits = nullptr;
        HDC windowContext = GetDC(source);
        HDC memory = CreateCompatibleDC(windowContext);
        HBITMAP capture = CreateDIBSection(windowContext, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        HGDIOBJ previous = SelectObject(memory, capture);
        BitBlt(memory, 0, 0, w, h, windowContext, 0, 0, SRCCOPY);
        GdiFlush();
        std::vector<uint8_t> pixels;
        if (bits)
            pixels.assign(static_cast<uint8_t*>(bits), static_cast<uint8_t*>(bits) + size_t(w) * size_t(h) * 4);
        SelectObject(memory, previous);
        DeleteObject(capture);
        DeleteDC(memory);
        ReleaseDC(source, windowContext);
        return pixels;
    }
    void loseContents(CFrame& frame) override
    {
        HDC context = GetDC(windowOf(frame));
        RECT all{0, 0, 160, 100};
        FillRect(context, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        ReleaseDC(windowOf(frame), context);
        InvalidateRect(windowOf(frame), nullptr, FALSE);
    }
    CPoint windowSize(CFrame& frame) override { return sizeOf(windowOf(frame), GetClientRect); }
    CPoint parentSize() override { return sizeOf(window, GetWindowRect); }
    static CPoint sizeOf(HWND target, BOOL(WINAPI* read)(HWND, LPRECT))
    {
        RECT r{};
        read(target, &r);
        return CPoint(r.right - r.left, r.bottom - r.top);
    }
    // The native menu reads keys posted to the frame's window before it opens; its loop hands each
    // to the thread's message filter first, while its window is shown.
    void answerNextMenu(CFrame& frame, int32_t index) override
    {
        static CPoint* corner;
        corner = &menuCorner;
        if (!menuHook)
            menuHook = SetWindowsHookExW(WH_MSGFILTER, [](int code, WPARAM w, LPARAM l) -> LRESULT {
                RECT shown{};
                if (code == MSGF_MENU && GetWindowRect(FindWindowW(L"#32768", nullptr), &shown))
                    *corner = CPoint(shown.left, shown.top);
                return CallNextHookEx(nullptr, code, w, l);
            }, nullptr, GetCurrentThreadId());
        for (int32_t i = 0; i <= index + 1; ++i)
            press(windowOf(frame), i <= index ? VK_DOWN : index < 0 ? VK_ESCAPE : VK_RETURN);
    }
    static void press(HWND target, WPARAM code)
    {
        PostMessageW(target, WM_KEYDOWN, code, 1);
        PostMessageW(target, WM_KEYUP, code, 0xC0000001);
    }
    int childWindows() override
    {
        int count = 0;
        for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
            ++count;
        return count;
    }
    bool pointerHeld() override { return GetCapture() != nullptr; }
    // Typed into the EDIT field as the keyboard would: characters (and backspace) as WM_CHAR,
    // other keys as WM_KEYDOWN.
    void key(CFrame& frame, int32_t character, unsigned char virt) override
    {
        const HWND field = FindWindowExW(windowOf(frame), nullptr, L"EDIT", nullptr);
        ASSERT_NE(field, nullptr);
        if (!virt || virt == VKEY_BACK)
            PostMessageW(field, WM_CHAR, virt ? VK_BACK : WPARAM(character), 1);
        else
            press(field, virt == VKEY_RETURN ? VK_RETURN : VK_LEFT);
    }
    void takeKeyboardFocus() override { SetFocus(window); }

    HWND window;
    HHOOK menuHook = nullptr;
};

inline std::unique_ptr<HostWindow> makeHostWindow(int32_t width = 200, int32_t height = 120)
{
    auto host = std::make_unique<Win32Host>(width, height);
    EXPECT_NE(host->window, nullptr) << "no window station: wine needs its null graphics driver";
    return host->window ? std::move(host) : nullptr;
}

} // namespace testsupport
