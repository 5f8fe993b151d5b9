#pragma once

// The host's window of the X11 window tests. Include after googletest (Xlib's macros None and Bool
// break it).

#include "WindowTestScene.h"
#include "X11TestDisplay.h"
#include "vstgui/COptionMenu.h"
#include "vstgui/OptionMenuPanel.h"
#include "vstgui/X11PlatformFrame.h"

#include <X11/Xlib.h>
#include <X11/keysym.h>

#include <filesystem>

namespace testsupport {

inline constexpr int kParentX = 60;
inline constexpr int kParentY = 150; // room above the window for a drag to leave it

inline X11PlatformFrame& backEndOf(CFrame& frame)
{
    return dynamic_cast<X11PlatformFrame&>(*frame.getPlatformFrame());
}

// A parent window on the tests' own Xvfb, and the test's own connection, through which it sends
// input (XTest) and reads pixels.
class X11Host : public HostWindow {
public:
    X11Host(int32_t width, int32_t height)
    {
        if (!display)
            return;
        window = connection.createMappedWindow(kParentX, kParentY, unsigned(width), unsigned(height));
        pointer(CPoint(0, 0));
    }
    ~X11Host() override
    {
        if (display) {
            key(XK_Control_L, false);
            if (window)
                XDestroyWindow(display, window);
        }
    }
    bool ready() const { return window != 0; }

    void pointer(CPoint at)
    {
        XTestFakeMotionEvent(display, DefaultScreen(display), kParentX + int(at.x), kParentY + int(at.y), CurrentTime);
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
        return connection.capture(backEndOf(frame).getWindow(), int(frame.getWidth()), int(frame.getHeight()));
    }
    void loseContents(CFrame&) override
    {
        XUnmapWindow(display, window);
        XMapWindow(display, window);
        XSync(display, False);
    }
    CPoint windowSize(CFrame& frame) override { return sizeOf(backEndOf(frame).getWindow()); }
    CPoint parentSize() override { return sizeOf(window); }
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

private:
    X11TestDisplay connection{outputPath("x11-window-tests.lock")};

public:
    Display* display = connection.get();
    Window window = 0;
};


} // namespace testsupport
