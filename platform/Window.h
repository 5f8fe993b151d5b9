#pragma once

#include <cstdint>

// The parent-window calls of the editor's resize, with the names and meaning of the Windows
// calls. A window is an HWND on Windows and an X11 window id (cast to a pointer) on Linux, where
// each call talks to the display named by $DISPLAY over its own short-lived connection.
namespace platform {

// A window's outer rectangle in screen pixels, laid out as the Windows RECT.
struct WindowRect {
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;

    bool operator==(const WindowRect&) const = default;
};
static_assert(sizeof(WindowRect) == 16);

inline constexpr uint32_t kSwpNoSize = 0x0001;
inline constexpr uint32_t kSwpNoMove = 0x0002;
inline constexpr uint32_t kSwpNoZOrder = 0x0004;

// Fills rect with the window's rectangle; false (rect untouched) for a null rect or a window that
// does not exist.
bool GetWindowRect(void* window, WindowRect* rect);

// Moves and resizes the window (flags kSwpNoMove and kSwpNoSize keep the position or the size);
// false for a window that does not exist or a size below one pixel. insertAfter only has a meaning
// on Windows.
bool SetWindowPos(void* window, void* insertAfter, int32_t x, int32_t y, int32_t width, int32_t height,
                  uint32_t flags);

} // namespace platform
