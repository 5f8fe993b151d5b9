#include "vstgui/X11PlatformFrame.h"

#include "platform/X11ErrorTrap.h"
#include "vstgui/CFrame.h"
#include "vstgui/X11Windows.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/keysym.h>

#include <algorithm>
#include <cmath>

namespace VSTGUI {

namespace {

using platform::X11ErrorTrap;

constexpr long kEventMask = ExposureMask | ButtonPressMask | ButtonReleaseMask | PointerMotionMask | StructureNotifyMask;
// Selected only while a view has the focus: otherwise keys pass through to the host's window.
constexpr long kKeyEventMask = KeyPressMask | FocusChangeMask;

// The toolkit's code of a key without a character; 0 for the others.
unsigned char virtualKeyOf(KeySym symbol)
{
    switch (symbol) {
    case XK_BackSpace: return VKEY_BACK;
    case XK_Tab: return VKEY_TAB;
    case XK_Return: return VKEY_RETURN;
    case XK_KP_Enter: return VKEY_ENTER;
    case XK_Escape: return VKEY_ESCAPE;
    case XK_Home: case XK_KP_Home: return VKEY_HOME;
    case XK_End: case XK_KP_End: return VKEY_END;
    case XK_Left: case XK_KP_Left: return VKEY_LEFT;
    case XK_Right: case XK_KP_Right: return VKEY_RIGHT;
    case XK_Up: case XK_KP_Up: return VKEY_UP;
    case XK_Down: case XK_KP_Down: return VKEY_DOWN;
    case XK_Delete: case XK_KP_Delete: return VKEY_DELETE;
    default: return 0;
    }
}

unsigned char keyModifiersOf(unsigned state)
{
    unsigned char modifiers = 0;
    if (state & ShiftMask)
        modifiers |= MODIFIER_SHIFT;
    if (state & ControlMask)
        modifiers |= MODIFIER_CONTROL;
    if (state & Mod1Mask)
        modifiers |= MODIFIER_ALTERNATE;
    return modifiers;
}

int32_t modifiersOf(unsigned state)
{
    int32_t buttons = 0;
    if (state & ShiftMask)
        buttons |= kShift;
    if (state & ControlMask)
        buttons |= kControl;
    if (state & Mod1Mask)
        buttons |= kAlt;
    return buttons;
}

// The buttons held according to an event's state.
int32_t heldButtonsOf(unsigned state)
{
    int32_t buttons = 0;
    if (state & Button1Mask)
        buttons |= kLButton;
    if (state & Button2Mask)
        buttons |= kMButton;
    if (state & Button3Mask)
        buttons |= kRButton;
    return buttons;
}

// The toolkit button of an X button number; 0 for the wheel and unknown buttons.
int32_t buttonOf(unsigned button)
{
    switch (button) {
    case Button1: return kLButton;
    case Button2: return kMButton;
    case Button3: return kRButton;
    case 8: return kButton4;
    case 9: return kButton5;
    default: return 0;
    }
}

} // namespace

std::unique_ptr<X11PlatformFrame> X11PlatformFrame::open(CFrame& frame, unsigned long parentWindow)
{
    if (parentWindow == 0)
        return nullptr;
    Display* display = XOpenDisplay(nullptr);
    if (!display)
        return nullptr;
    Window window = 0;
    Colormap colormap = 0;
    GC gc = nullptr;
    XWindowAttributes parent{};
    {
        X11ErrorTrap trap(display);
        if (XGetWindowAttributes(display, parentWindow, &parent) && trap.sync()) {
            XSetWindowAttributes attributes{};
            attributes.event_mask = kEventMask;
            attributes.background_pixmap = None; // the frame paints every pixel; no flash of a colour first
            attributes.bit_gravity = NorthWestGravity;
            const unsigned width = unsigned(std::max<CCoord>(frame.getWidth(), 1));
            const unsigned height = unsigned(std::max<CCoord>(frame.getHeight(), 1));
            window = createX11Window(display, parentWindow, 0, 0, width, height, parent.visual, parent.depth,
                                     CWEventMask | CWBackPixmap | CWBitGravity, attributes, colormap, "editor");
            if (window) {
                gc = XCreateGC(display, window, 0, nullptr);
                XMapWindow(display, window);
            }
        }
        if (!trap.sync() || !gc) {
            if (gc)
                XFreeGC(display, gc);
            if (window)
                XDestroyWindow(display, window);
            if (colormap)
                XFreeColormap(display, colormap);
            gc = nullptr;
        }
    }
    if (!gc) {
        XCloseDisplay(display);
        return nullptr;
    }
    return std::unique_ptr<X11PlatformFrame>(
        new X11PlatformFrame(frame, display, parentWindow, window, colormap, gc, parent.visual, parent.depth));
}

X11PlatformFrame::X11PlatformFrame(CFrame& frame, Display* display, unsigned long parentWindow, unsigned long window,
                                   unsigned long colormap, GC gc, void* visual, int depth)
    : frame(frame), display(display), parentWindow(parentWindow), window(window), colormap(colormap), gc(gc),
      writer(display, visual, depth),
      optionMenu(*this, writer)
{
}

X11PlatformFrame::~X11PlatformFrame()
{
    setKeyboardFocus(false);
    {
        // The host may have destroyed its window, and ours with it, before closing the editor.
        X11ErrorTrap trap(display);
        XFreeGC(display, gc);
        if (!windowDestroyed)
            XDestroyWindow(display, window);
        XFreeColormap(display, colormap);
    }
    XCloseDisplay(display);
}

void X11PlatformFrame::present(const IPlatformBitmap& pixels, const CRect& area)
{
    if (windowDestroyed)
        return;
    X11ErrorTrap trap(display);
    writer.put(window, gc, pixels, int32_t(area.left), int32_t(area.top), int32_t(area.getWidth()),
               int32_t(area.getHeight()), int32_t(area.left), int32_t(area.top));
}

void X11PlatformFrame::repaint(const CRect& area)
{
    if (const IPlatformBitmap* pixels = frame.getBackBuffer())
        present(*pixels, area);
}

void X11PlatformFrame::setSize(const CRect& size)
{
    if (windowDestroyed)
        return;
    X11ErrorTrap trap(display);
    XResizeWindow(display, window, unsigned(std::max<CCoord>(size.getWidth(), 1)),
                  unsigned(std::max<CCoord>(size.getHeight(), 1)));
}

CPoint X11PlatformFrame::getCurrentMousePosition() const
{
    if (windowDestroyed)
        return CPoint();
    X11ErrorTrap trap(display);
    Window root = 0;
    Window child = 0;
    int rootX = 0, rootY = 0, x = 0, y = 0;
    unsigned mask = 0;
    if (!XQueryPointer(display, window, &root, &child, &rootX, &rootY, &x, &y, &mask))
        return CPoint();
    return CPoint(x, y);
}

CButtonState X11PlatformFrame::getCurrentMouseButtons() const
{
    if (windowDestroyed)
        return CButtonState();
    X11ErrorTrap trap(display);
    Window root = 0;
    Window child = 0;
    int rootX = 0, rootY = 0, x = 0, y = 0;
    unsigned mask = 0;
    XQueryPointer(display, window, &root, &child, &rootX, &rootY, &x, &y, &mask);
    return CButtonState(heldButtonsOf(mask) | modifiersOf(mask));
}

void X11PlatformFrame::setKeyboardFocus(bool wanted)
{
    if (wanted == keyboardFocus || windowDestroyed)
        return;
    keyboardFocus = wanted;
    X11ErrorTrap trap(display);
    XSelectInput(display, window, wanted ? kEventMask | kKeyEventMask : kEventMask);
    if (wanted) {
        XSetInputFocus(display, window, RevertToParent, CurrentTime);
    } else {
        Window focused = 0;
        int revert = 0;
        XGetInputFocus(display, &focused, &revert);
        if (focused == window)
            XSetInputFocus(display, parentWindow, RevertToParent, CurrentTime);
    }
    XFlush(display);
}

void X11PlatformFrame::handleKey(XEvent& event)
{
    char typed[8] = {};
    KeySym symbol = 0;
    const int length = XLookupString(&event.xkey, typed, sizeof(typed), &symbol, nullptr);
    VstKeyCode key{0, virtualKeyOf(symbol), keyModifiersOf(event.xkey.state)};
    if (!key.virt) {
        if (length != 1)
            return;
        key.character = uint8_t(typed[0]);
    }
    frame.onKeyDown(key);
}

void X11PlatformFrame::idle()
{
    {
        X11ErrorTrap trap(display);
        // Events that arrive while one is handled wait for the next idle, so that a stream of
        // them cannot keep the host's thread here.
        for (int budget = XPending(display); budget > 0 && XEventsQueued(display, QueuedAlready) > 0 &&
                                             frame.isOpen() && !windowDestroyed;
             --budget) {
            XEvent event;
            XNextEvent(display, &event);
            handleEvent(event);
        }
    }
    if (frame.isOpen())
        timerClock.tick();
}

void X11PlatformFrame::handleEvent(XEvent& event)
{
    if (event.xany.window != window)
        return;
    switch (event.type) {
    case Expose:
        repaint(CRect(event.xexpose.x, event.xexpose.y, event.xexpose.x + event.xexpose.width,
                      event.xexpose.y + event.xexpose.height));
        break;
    case DestroyNotify:
        windowDestroyed = true;
        break;
    case KeyPress:
        if (keyboardFocus)
            handleKey(event);
        break;
    case FocusOut: {
        // Another window took the keyboard (the user clicked into the host): editing ends. The
        // moves of a grab, and the notices sent as the focus comes to us, are not that.
        if (!keyboardFocus || event.xfocus.mode != NotifyNormal || event.xfocus.detail == NotifyInferior ||
            event.xfocus.detail == NotifyPointer)
            break;
        Window focused = 0;
        int revert = 0;
        XGetInputFocus(display, &focused, &revert);
        if (focused != window)
            frame.setFocusView(nullptr);
        break;
    }
    case ButtonPress: {
        const XButtonEvent& press = event.xbutton;
        CPoint where(press.x, press.y);
        const CButtonState modifiers(modifiersOf(press.state));
        // Buttons 4 to 7 are the wheel: one step each, up and left counting positive.
        if (press.button >= 4 && press.button <= 7) {
            const bool vertical = press.button <= 5;
            const float distance = (press.button == 4 || press.button == 6) ? 1.f : -1.f;
            frame.onWheel(where, vertical ? kMouseWheelAxisY : kMouseWheelAxisX, distance, modifiers);
        } else if (const int32_t button = buttonOf(press.button)) {
            frame.onMouseDown(where, CButtonState(button | modifiers()));
        }
        break;
    }
    case ButtonRelease: {
        const XButtonEvent& release = event.xbutton;
        if (const int32_t button = buttonOf(release.button)) {
            CPoint where(release.x, release.y);
            frame.onMouseUp(where, CButtonState(button | modifiersOf(release.state)));
        }
        break;
    }
    case MotionNotify: {
        // Only the latest of a run of moves matters; the run ends at any other event.
        XEvent next;
        while (XEventsQueued(display, QueuedAlready) > 0) {
            XPeekEvent(display, &next);
            if (next.type != MotionNotify || next.xany.window != window)
                break;
            XNextEvent(display, &event);
        }
        CPoint where(event.xmotion.x, event.xmotion.y);
        frame.onMouseMoved(where, CButtonState(heldButtonsOf(event.xmotion.state) | modifiersOf(event.xmotion.state)));
        break;
    }
    default:
        break;
    }
}

} // namespace VSTGUI
