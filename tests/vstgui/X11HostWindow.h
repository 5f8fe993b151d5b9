#pragma once

// The host's window of the X11 window tests. Include after googletest (Xlib's macros None and Bool
// break it).

#include "WindowTestScene.h"
#include "vstgui/COptionMenu.h"
#include "vstgui/OptionMenuPanel.h"
#include "vstgui/X11PlatformFrame.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <string>
#include <sys/file.h>
#include <unistd.h>

namespace testsupport {

inline constexpr int kParentX = 60;
inline constexpr int kParentY = 150; // room above the window for a drag to leave it
inline constexpr int kParentBorder = 3;

inline X11PlatformFrame& backEndOf(CFrame& frame)
{
    return dynamic_cast<X11PlatformFrame&>(*frame.getPlatformFrame());
}

// A bordered parent window on the display named by ZARN_WINDOW_TESTS (DISPLAY is set to it too, so
// that the code under test opens the same display, as in a host), and the test's own connection,
// through which it sends input (XTest) and reads pixels. With ZARN_WINDOW_TESTS_DEPTH=32 the
// parent has a 32-bit TrueColor visual and its own colormap, as GPU toolkits' windows have.
// The pointer is one for the whole display: test programs take turns through a lock file.
class X11Host : public HostWindow {
public:
    X11Host(int32_t width, int32_t height) // the outer size, border included
    {
        const char* name = std::getenv("ZARN_WINDOW_TESTS"); // never the developer's own display
        lockFile = open(outputPath("x11-window-tests.lock").c_str(), O_CREAT | O_RDWR | O_CLOEXEC, 0644);
        if (!name || lockFile < 0 || flock(lockFile, LOCK_EX) != 0 || !(display = XOpenDisplay(name)))
            return;
        setenv("DISPLAY", name, 1);
        int event = 0, error = 0, major = 0, minor = 0;
        XVisualInfo visual{};
        const char* depth = std::getenv("ZARN_WINDOW_TESTS_DEPTH");
        const bool deep = depth && std::string(depth) == "32";
        if (!XTestQueryExtension(display, &event, &error, &major, &minor) ||
            (deep && !XMatchVisualInfo(display, DefaultScreen(display), 32, TrueColor, &visual)))
            return;
        XSetWindowAttributes attributes{};
        attributes.colormap = colormap = deep ? XCreateColormap(display, DefaultRootWindow(display), visual.visual, AllocNone) : 0;
        attributes.event_mask = StructureNotifyMask;
        window = XCreateWindow(display, DefaultRootWindow(display), kParentX, kParentY, unsigned(width - 2 * kParentBorder),
                               unsigned(height - 2 * kParentBorder), kParentBorder, deep ? 32 : 0, InputOutput,
                               deep ? visual.visual : nullptr, CWEventMask | CWBorderPixel | (deep ? CWColormap : 0),
                               &attributes);
        XMapWindow(display, window);
        for (XEvent mapped{}; mapped.type != MapNotify;)
            XWindowEvent(display, window, StructureNotifyMask, &mapped);
        bindKey(XK_eacute);
        pointer(CPoint(0, 0));
    }
    ~X11Host() override
    {
        if (window) { // nothing held into the next test, whatever this one left
            key(XK_Control_L, false);
            button(1, false);
            button(3, false);
            XDestroyWindow(display, window);
        }
        if (colormap)
            XFreeColormap(display, colormap);
        if (display)
            XCloseDisplay(display);
        if (lockFile >= 0)
            close(lockFile);
    }
    bool ready() const { return window != 0; }

    // Positions are the frame's: inside the parent's border.
    void pointer(CPoint at)
    {
        XTestFakeMotionEvent(display, DefaultScreen(display), kParentX + kParentBorder + int(at.x),
                             kParentY + kParentBorder + int(at.y), CurrentTime);
        XFlush(display);
    }
    void button(unsigned number, bool down)
    {
        XTestFakeButtonEvent(display, number, down, CurrentTime);
        XFlush(display);
    }
    void key(KeySym symbol, bool down)
    {
        XTestFakeKeyEvent(display, XKeysymToKeycode(display, symbol), down, CurrentTime);
        XFlush(display);
    }
    // A key that types symbol, on a free key code when the keyboard map has none.
    void bindKey(KeySym symbol)
    {
        int first = 0, last = 0, perCode = 0;
        XDisplayKeycodes(display, &first, &last);
        KeySym* map = XGetKeyboardMapping(display, KeyCode(first), last - first + 1, &perCode);
        for (int code = last; code >= first && !XKeysymToKeycode(display, symbol); --code)
            if (map[(code - first) * perCode] == NoSymbol) {
                XChangeKeyboardMapping(display, code, 1, &symbol, 1);
                XMappingEvent changed{MappingNotify, 0, True, display, 0, MappingKeyboard, code, 1};
                XRefreshKeyboardMapping(&changed);
            }
        XFree(map);
    }
    void buttons(int32_t state, bool down)
    {
        if (state & kControl && down)
            key(XK_Control_L, true);
        button(state & kRButton ? 3 : 1, down);
        if (state & kControl && !down)
            key(XK_Control_L, false);
    }

    void* parent() override { return reinterpret_cast<void*>(uintptr_t(window)); }
    void* notAWindow() override { return reinterpret_cast<void*>(uintptr_t(0x3fffff0)); }
    void destroyParent(CFrame&) override
    {
        XDestroyWindow(display, window);
        window = 0;
        XSync(display, False);
    }
    void pump() override { XSync(display, False); }
    void send(CFrame&, Input input, CPoint at, int32_t state) override
    {
        pointer(at);
        if (input == Input::wheelDown) {
            button(5, true);
            button(5, false);
        } else if (input != Input::move) {
            buttons(state, input == Input::press);
        }
    }
    std::vector<uint8_t> capture(CFrame& frame) override
    {
        std::vector<uint8_t> pixels;
        const int width = int(frame.getWidth()), height = int(frame.getHeight());
        XImage* image = XGetImage(display, backEndOf(frame).getWindow(), 0, 0, unsigned(width), unsigned(height),
                                  AllPlanes, ZPixmap);
        for (int y = 0; image && y < height; ++y)
            for (int x = 0; x < width; ++x) {
                const unsigned long pixel = XGetPixel(image, x, y);
                pixels.insert(pixels.end(), {uint8_t(pixel), uint8_t(pixel >> 8), uint8_t(pixel >> 16), 0});
            }
        if (image)
            XDestroyImage(image);
        return pixels;
    }
    void loseContents(CFrame&) override
    {
        XUnmapWindow(display, window);
        XMapWindow(display, window);
        XSync(display, False);
    }
    CPoint windowSize(CFrame& frame) override { return sizeOf(backEndOf(frame).getWindow()); }
    CPoint parentSize() override { return sizeOf(window) + CPoint(2 * kParentBorder, 2 * kParentBorder); }
    // Clicks the entry from the menu's shown hook, inside the menu's own loop.
    void answerNextMenu(CFrame& frame, int32_t index) override
    {
        backEndOf(frame).getX11OptionMenu().onShown = [this, index](Window menuWindow) {
            COptionMenu sizeMenu(CRect(0, 0, 100, 20), nullptr, 0);
            for (const char* title : {"Default", "Large", "Huge"})
                sizeMenu.addEntry(title);
            sizeMenu.addSeparator();
            const CPoint entry = OptionMenuPanel(sizeMenu, 100).getEntryRect(index).getCenter();
            int x = 0, y = 0;
            Window child = 0;
            XTranslateCoordinates(display, menuWindow, window, int(entry.x), int(entry.y), &x, &y, &child);
            pointer(CPoint(x, y));
            buttons(kLButton, true);
            buttons(kLButton, false);
        };
    }
    int childWindows() override
    {
        Window root = 0, parentOfParent = 0;
        Window* children = nullptr;
        unsigned count = 0;
        if (!XQueryTree(display, window, &root, &parentOfParent, &children, &count))
            return -1;
        if (children)
            XFree(children);
        return int(count);
    }
    bool pointerHeld() override
    {
        const int result = XGrabPointer(display, DefaultRootWindow(display), False, 0, GrabModeAsync, GrabModeAsync,
                                        0, 0, CurrentTime);
        XUngrabPointer(display, CurrentTime);
        XSync(display, False);
        return result == AlreadyGrabbed;
    }
    void key(CFrame&, int32_t character, unsigned char virt) override
    {
        KeySym symbol = KeySym(character); // Latin-1 characters are their own key symbols
        switch (virt) {
        case VKEY_BACK: symbol = XK_BackSpace; break;
        case VKEY_RETURN: symbol = XK_Return; break;
        case VKEY_ESCAPE: symbol = XK_Escape; break;
        case VKEY_LEFT: symbol = XK_Left; break;
        case VKEY_DELETE: symbol = XK_Delete; break;
        default: break;
        }
        key(symbol, true);
        key(symbol, false);
    }
    void takeKeyboardFocus() override
    {
        XSetInputFocus(display, window, RevertToParent, CurrentTime);
        XSync(display, False);
    }
    bool hostHasKeyboard()
    {
        Window focused = 0;
        int revert = 0;
        XGetInputFocus(display, &focused, &revert);
        return focused == window;
    }
    CPoint sizeOf(Window target)
    {
        XWindowAttributes attributes{};
        if (!XGetWindowAttributes(display, target, &attributes))
            return CPoint(0, 0);
        return CPoint(attributes.width, attributes.height);
    }
    int openHandles() override // every display connection is a file
    {
        return int(std::distance(std::filesystem::directory_iterator("/proc/self/fd"), {}));
    }

    Display* display = nullptr;
    Window window = 0;

private:
    Colormap colormap = 0;
    int lockFile = -1;
};

} // namespace testsupport
