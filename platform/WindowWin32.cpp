#include "platform/Window.h"

#include <windows.h>

#include <cstddef>

namespace platform {

static_assert(sizeof(WindowRect) == sizeof(RECT) && offsetof(WindowRect, bottom) == offsetof(RECT, bottom));
static_assert(kSwpNoSize == SWP_NOSIZE && kSwpNoMove == SWP_NOMOVE && kSwpNoZOrder == SWP_NOZORDER);

bool GetWindowRect(void* window, WindowRect* rect)
{
    if (!rect)
        return false;
    RECT area{};
    if (!::GetWindowRect(static_cast<HWND>(window), &area))
        return false;
    *rect = WindowRect{area.left, area.top, area.right, area.bottom};
    return true;
}

bool SetWindowPos(void* window, void* insertAfter, int32_t x, int32_t y, int32_t width, int32_t height,
                  uint32_t flags)
{
    if ((flags & kSwpNoSize) == 0 && (width < 1 || height < 1))
        return false;
    return ::SetWindowPos(static_cast<HWND>(window), static_cast<HWND>(insertAfter), x, y, width, height, flags) != 0;
}

} // namespace platform
