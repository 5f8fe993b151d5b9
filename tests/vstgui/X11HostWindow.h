#pragma once

// The host's window of the X11 window tests. Include after googletest (Xlib's macros None and Bool
// break it).

#include "HostWindow.h"
#include "vstgui/X11PlatformFrame.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

#include <cstdlib>
#include <fcntl.h>
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

// A parent window with an X border on the display named by ZARN_WINDOW_TESTS (DISPLAY is set to it
// too, so that the code under test opens the same display, as in a host), and the test's own
// connection, through which it sends input (XTest) and reads pixels. With
// ZARN_WINDOW_TESTS_DEPTH=32 the parent has a 32-bit TrueColor visual and its own colormap, as
// windows of GPU toolkits have. The pointer is one for the whole display: test programs take turns
// through a lock file.
class X11Host : public HostWindow {
public:
    X11Host(int32_t width, int32_t height) // the outer size, border included
    {
        const char* name = std::getenv("ZARN_WINDOW_TESTS");
        const char* depth = std::getenv("ZARN_WINDOW_TESTS_DEPTH");
        const bool deep = depth && std::string(depth) == "32";
        lockFile = open(outputPath("x11-window-tests.lock").c_str(), O_CREAT | O_RDWR | O_CLOEXEC, 0644);
        int event = 0, error = 0, major = 0, minor = 0;
        XVisualInfo visual{};
        if (!name || lockFile < 0 || flock(lockFile, LOCK_EX) != 0 || !(display = XOpenDisplay(name)) ||
            !XTestQueryExtension(display, &event, &error, &major, &minor) ||
            (deep && !XMatchVisualInfo(display, DefaultScreen(display), 32, TrueColor, &visual)))
            return;
        setenv("DISPLAY", name, 1);
        XSynchronize(display, True); // the input sent below reaches the server before each call returns
        const Window root = DefaultRootWindow(display);
        XSetWindowAttributes attributes{};
        attributes.colormap = colormap = deep ? XCreateColormap(display, root, visual.visual, AllocNone) : 0;
        attributes.event_mask = StructureNotifyMask;
        window = XCreateWindow(display, root, kParentX, kParentY, unsigned(width - 2 * kParentBorder),
                               unsigned(height - 2 * kParentBorder), kParentBorder, deep ? 32 : 0, InputOutput,
                               deep ? visual.visual : nullptr, CWEventMask | CWBorderPixel | (deep ? CWColormap : 0),
                               &attributes);
        XMapWindow(display, window);
        for (XEvent mapped{}; mapped.type != MapNotify;)
            XWindowEvent(display, window, StructureNotifyMask, &mapped);
        pointer(CPoint(0, 0));
    }
    ~X11Host() override
    {
        if (window) { // nothing held into the next test, whatever this one left
            buttons(kControl | kLButton, false);
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

    // At a frame position, inside the parent's border.
    void pointer(CPoint at)
    {
        const int x = kParentX + kParentBorder + int(at.x), y = kParentY + kParentBorder + int(at.y);
        XTestFakeMotionEvent(display, DefaultScreen(display), x, y, CurrentTime);
    }
    void button(unsigned number, bool down) { XTestFakeButtonEvent(display, number, down, CurrentTime); }
    void key(KeySym symbol, bool down) { XTestFakeKeyEvent(display, XKeysymToKeycode(display, symbol), down, CurrentTime); }
    void buttons(int32_t state, bool down)
    {
        if (state & kControl)
            key(XK_Control_L, down);
        button(state & kRButton ? 3 : 1, down);
    }
    bool hostHasKeyboard()
    {
        Window focused = 0;
        int revert = 0;
        return XGetInputFocus(display, &focused, &revert), focused == window;
    }

    void* parent() override { return reinterpret_cast<void*>(uintptr_t(window)); }
    void destroyParent(CFrame&) override
    {
        XDestroyWindow(display, window);
        window = 0;
        pump();
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
        for (int i = 0; image && i < width * height; ++i) {
            const unsigned long pixel = XGetPixel(image, i % width, i / width);
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
        pump();
    }
    CPoint windowSize(CFrame& frame) override { return sizeOf(backEndOf(frame).getWindow()); }
    CPoint parentSize() override { return sizeOf(window) + CPoint(2 * kParentBorder, 2 * kParentBorder); }
    // Clicks the entry (rows of 18 pixels below a 1-pixel border) from the menu's shown hook,
    // inside the menu's own loop.
    void answerNextMenu(CFrame& frame, int32_t index) override
    {
        backEndOf(frame).getX11OptionMenu().onShown = [this, index](Window menuWindow) {
            int x = 0, y = 0;
            Window child = 0;
            XTranslateCoordinates(display, menuWindow, DefaultRootWindow(display), 0, 0, &x, &y, &child);
            menuCorner = CPoint(x, y);
            XTranslateCoordinates(display, menuWindow, window, 40, 10 + 18 * index, &x, &y, &child);
            pointer(CPoint(x, y));
            buttons(kLButton, true);
            buttons(kLButton, false);
        };
    }
    int childWindows() override
    {
        Window root = 0, parentOfParent = 0, *children = nullptr;
        unsigned count = 0;
        const bool listed = XQueryTree(display, window, &root, &parentOfParent, &children, &count);
        XFree(children);
        return listed ? int(count) : -1;
    }
    bool pointerHeld() override
    {
        const int result = XGrabPointer(display, DefaultRootWindow(display), False, 0, GrabModeAsync, GrabModeAsync,
                                        0, 0, CurrentTime);
        XUngrabPointer(display, CurrentTime);
        pump();
        return result == AlreadyGrabbed;
    }
    // Latin-1 characters are their own key symbols.
    void key(CFrame&, int32_t character, unsigned char virt) override
    {
        const KeySym symbol = virt == VKEY_BACK ? XK_BackSpace : virt == VKEY_RETURN ? XK_Return
                              : virt == VKEY_LEFT ? XK_Left : KeySym(character);
        key(symbol, true);
        key(symbol, false);
    }
    void takeKeyboardFocus() override
    {
        XSetInputFocus(display, window, RevertToParent, CurrentTime);
        pump();
    }
    CPoint sizeOf(Window target)
    {
        XWindowAttributes attributes{};
        return XGetWindowAttributes(display, target, &attributes) ? CPoint(attributes.width, attributes.height) : CPoint();
    }

    Display* display = nullptr;
    Window window = 0;

private:
    Colormap colormap = 0;
    int lockFile = -1;
};

inline std::unique_ptr<HostWindow> makeHostWindow(int32_t width = 200, int32_t height = 120)
{
    auto host = std::make_unique<X11Host>(width, height);
    EXPECT_TRUE(host->window) << "no display or no XTest at " << std::getenv("ZARN_WINDOW_TESTS");
    return host->window ? std::move(host) : nullptr;
}

} // namespace testsupport
