#include "vstgui/X11Windows.h"

#include "platform/X11ErrorTrap.h"

#include <cstdio>

namespace VSTGUI {

Window createX11Window(Display* display, Window parent, int x, int y, unsigned width, unsigned height, Visual* visual,
                       int depth, unsigned long mask, XSetWindowAttributes& attributes, Colormap& colormap,
                       const char* what)
{
    platform::X11ErrorTrap trap(display);
    colormap = XCreateColormap(display, parent, visual, AllocNone);
    attributes.colormap = colormap;
    attributes.border_pixel = 0;
    const Window window = XCreateWindow(display, parent, x, y, width, height, 0, depth, InputOutput, visual,
                                        mask | CWColormap | CWBorderPixel, &attributes);
    if (trap.sync())
        return window;
    char text[80] = {};
    XGetErrorText(display, trap.firstError(), text, sizeof(text));
    std::fprintf(stderr, "Zarn Pro: the X server refused the %s window: %s (error %d)\n", what, text,
                 trap.firstError());
    if (window)
        XDestroyWindow(display, window);
    if (colormap)
        XFreeColormap(display, colormap);
    colormap = 0;
    return 0;
}

} // namespace VSTGUI
