#pragma once

// Only for the X11 back end's sources: it brings Xlib.
#include <X11/Xlib.h>

namespace VSTGUI {

// A window of the given visual and depth under parent. It always names a colormap of that
// visual and a border pixel: a visual other than the parent's (a menu on the root window of a
// screen whose host window has a 32-bit visual) without them is refused with BadMatch. The
// colormap is returned in colormap and is the caller's to free after the window. An X error
// makes no window (0) and is reported in one line on standard error, naming what, since the
// user would otherwise only see nothing happen.
Window createX11Window(Display* display, Window parent, int x, int y, unsigned width, unsigned height, Visual* visual,
                       int depth, unsigned long mask, XSetWindowAttributes& attributes, Colormap& colormap,
                       const char* what);

} // namespace VSTGUI
