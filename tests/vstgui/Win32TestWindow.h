#pragma once

// What the Win32 window tests do alike: positions packed as the window messages carry them, the
// thread's message pump, and a screen grab of a window.

#include <windows.h>

#include <cstdint>
#include <vector>

namespace testsupport {

inline LPARAM pointParam(double x, double y)
{
    return MAKELPARAM(WORD(int16_t(x)), WORD(int16_t(y)));
}

inline void pumpMessages()
{
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

// The top-left w x h pixels of the window through GDI, as a screen grab does: blue, green, red,
// unused; empty for no window.
inline std::vector<uint8_t> captureWindow(HWND window, int w, int h)
{
    if (!window)
        return {};
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(info.bmiHeader), w, -h, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HDC windowContext = GetDC(window);
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
    ReleaseDC(window, windowContext);
    return pixels;
}

} // namespace testsupport
