#include "vstgui/X11OptionMenu.h"

#include "platform/X11ErrorTrap.h"
#include "vstgui/CFrame.h"
#include "vstgui/COptionMenu.h"
#include "vstgui/OptionMenuPanel.h"
#include "vstgui/X11ImageWriter.h"
#include "vstgui/X11PlatformFrame.h"
#include "vstgui/X11Windows.h"

#include <X11/Xlib.h>
#include <X11/keysym.h>

#include <algorithm>
#include <cmath>

namespace VSTGUI {

namespace {

using platform::X11ErrorTrap;

struct MenuWindow {
    Display* display;
    Window window = 0;
    Colormap colormap = 0;
    GC gc = nullptr;

    ~MenuWindow()
    {
        X11ErrorTrap trap(display);
        XUngrabPointer(display, CurrentTime);
        XUngrabKeyboard(display, CurrentTime);
        if (gc)
            XFreeGC(display, gc);
        if (window)
            XDestroyWindow(display, window);
        if (colormap)
            XFreeColormap(display, colormap);
    }
};

} // namespace

X11OptionMenu::X11OptionMenu(X11PlatformFrame& owner, const X11ImageWriter& writer) : owner(owner), writer(writer) {}

int32_t X11OptionMenu::popup(COptionMenu& menu)
{
    Display* display = owner.getDisplay();
    const Window frameWindow = owner.getWindow();
    const CRect viewArea = menu.getRectInFrame();
    const CCoord minWidth = std::isfinite(viewArea.getWidth()) ? std::clamp<CCoord>(viewArea.getWidth(), 1, 4096) : 1;
    OptionMenuPanel panel(menu, int32_t(minWidth));
    if (menu.getNbEntries() == 0)
        return -1;

    X11ErrorTrap trap(display);
    XWindowAttributes frameAttributes{};
    if (!XGetWindowAttributes(display, frameWindow, &frameAttributes) || !trap.sync())
        return -1;
    // At the menu view's top-left corner, kept on the screen.
    int x = 0;
    int y = 0;
    Window child = 0;
    const int viewX = std::isfinite(viewArea.left) ? int(std::clamp<CCoord>(viewArea.left, -32768, 32767)) : 0;
    const int viewY = std::isfinite(viewArea.top) ? int(std::clamp<CCoord>(viewArea.top, -32768, 32767)) : 0;
    XTranslateCoordinates(display, frameWindow, frameAttributes.root, viewX, viewY, &x, &y, &child);
    const Screen* screen = frameAttributes.screen;
    x = std::max(0, std::min(x, screen->width - panel.getWidth()));
    y = std::max(0, std::min(y, screen->height - panel.getHeight()));

    MenuWindow shown{display};
    XSetWindowAttributes attributes{};
    attributes.override_redirect = True;
    attributes.save_under = True;
    attributes.background_pixmap = None;
    attributes.event_mask = ExposureMask | ButtonPressMask | ButtonReleaseMask | PointerMotionMask | KeyPressMask;
    // The frame's visual (the host's) on the root window, which may have another one.
    shown.window = createX11Window(display, frameAttributes.root, x, y, unsigned(panel.getWidth()),
                                   unsigned(panel.getHeight()), frameAttributes.visual, frameAttributes.depth,
                                   CWOverrideRedirect | CWSaveUnder | CWBackPixmap | CWEventMask, attributes,
                                   shown.colormap, "option menu");
    if (!shown.window)
        return -1;
    shown.gc = XCreateGC(display, shown.window, 0, nullptr);
    XMapRaised(display, shown.window);
    XSync(display, False);
    // Without the pointer grab a press elsewhere would never reach the menu, which could then
    // never be dismissed: refuse to show it instead.
    const unsigned pointerEvents = ButtonPressMask | ButtonReleaseMask | PointerMotionMask;
    if (XGrabPointer(display, shown.window, True, pointerEvents, GrabModeAsync, GrabModeAsync, None, None,
                     CurrentTime) != GrabSuccess)
        return -1;
    XGrabKeyboard(display, shown.window, True, GrabModeAsync, GrabModeAsync, CurrentTime);

    auto draw = [&] {
        if (auto pixels = panel.paint())
            writer.put(shown.window, shown.gc, *pixels, 0, 0, panel.getWidth(), panel.getHeight(), 0, 0);
    };
    bool announced = false;
    bool armed = false; // the release of the press that opened the menu chooses nothing
    for (;;) {
        XEvent event;
        XNextEvent(display, &event);
        if (event.xany.window != shown.window) {
            if (event.xany.window == frameWindow && event.type == Expose)
                owner.repaint(CRect(event.xexpose.x, event.xexpose.y, event.xexpose.x + event.xexpose.width,
                                    event.xexpose.y + event.xexpose.height));
            // The grab reports our own windows' pointer events to them: a press there is outside.
            if (event.type == ButtonPress)
                return -1;
            continue;
        }
        switch (event.type) {
        case Expose:
            if (event.xexpose.count == 0)
                draw();
            if (!announced) {
                announced = true;
                if (onShown)
                    onShown(shown.window);
            }
            break;
        case MotionNotify:
            if (panel.setHighlight(panel.entryAt(event.xmotion.x, event.xmotion.y))) {
                armed = true;
                draw();
            }
            break;
        case ButtonPress:
            if (event.xbutton.x < 0 || event.xbutton.y < 0 || event.xbutton.x >= panel.getWidth() ||
                event.xbutton.y >= panel.getHeight())
                return -1;
            armed = true;
            panel.setHighlight(panel.entryAt(event.xbutton.x, event.xbutton.y));
            draw();
            break;
        case ButtonRelease: {
            const int32_t entry = panel.entryAt(event.xbutton.x, event.xbutton.y);
            if (armed && entry >= 0)
                return entry;
            break;
        }
        case KeyPress:
            if (XLookupKeysym(&event.xkey, 0) == XK_Escape)
                return -1;
            break;
        default:
            break;
        }
    }
}

} // namespace VSTGUI
