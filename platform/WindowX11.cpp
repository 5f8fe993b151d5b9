#include "platform/Window.h"

#include "platform/X11ErrorTrap.h"

#include <X11/Xlib.h>

#include <cstdint>
#include <memory>

namespace platform {
namespace {

struct DisplayCloser {
    void operator()(Display* display) const { XCloseDisplay(display); }
};
using DisplayConnection = std::unique_ptr<Display, DisplayCloser>;

Window toXWindow(void* window)
{
    return Window(reinterpret_cast<uintptr_t>(window));
}

} // namespace

bool GetWindowRect(void* window, WindowRect* rect)
{
    if (!rect || !window)
        return false;
    DisplayConnection display(XOpenDisplay(nullptr));
    if (!display)
        return false;
    X11ErrorTrap trap(display.get());
    XWindowAttributes attributes{};
    if (!XGetWindowAttributes(display.get(), toXWindow(window), &attributes) || !trap.sync())
        return false;
    int rootX = 0;
    int rootY = 0;
    Window child = 0;
    if (!XTranslateCoordinates(display.get(), toXWindow(window), attributes.root, 0, 0, &rootX, &rootY, &child) ||
        !trap.sync())
        return false;
    // Like the Windows rectangle, the X border belongs to the window.
    const int border = attributes.border_width;
    rect->left = rootX - border;
    rect->top = rootY - border;
    rect->right = rootX + attributes.width + border;
    rect->bottom = rootY + attributes.height + border;
    return true;
}

bool SetWindowPos(void* window, void*, int32_t x, int32_t y, int32_t width, int32_t height, uint32_t flags)
{
    if (!window)
        return false;
    DisplayConnection display(XOpenDisplay(nullptr));
    if (!display)
        return false;
    X11ErrorTrap trap(display.get());
    XWindowAttributes attributes{};
    if (!XGetWindowAttributes(display.get(), toXWindow(window), &attributes) || !trap.sync())
        return false;
    // The Windows size counts the border; X counts it apart.
    const int64_t innerWidth = int64_t(width) - 2 * int64_t(attributes.border_width);
    const int64_t innerHeight = int64_t(height) - 2 * int64_t(attributes.border_width);
    const bool move = (flags & kSwpNoMove) == 0;
    const bool resize = (flags & kSwpNoSize) == 0;
    if (resize && (innerWidth < 1 || innerHeight < 1 || innerWidth > 32767 || innerHeight > 32767))
        return false;
    if (move && resize)
        XMoveResizeWindow(display.get(), toXWindow(window), x, y, unsigned(innerWidth), unsigned(innerHeight));
    else if (resize)
        XResizeWindow(display.get(), toXWindow(window), unsigned(innerWidth), unsigned(innerHeight));
    else if (move)
        XMoveWindow(display.get(), toXWindow(window), x, y);
    return trap.sync();
}

} // namespace platform
