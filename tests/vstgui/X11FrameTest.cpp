// The scene first: it brings googletest, whose headers Xlib's macros (None, Bool) would break.
#include "WindowTestScene.h"

#include "vstgui/OptionMenuPanel.h"
#include "vstgui/X11PlatformFrame.h"
#include "X11TestDisplay.h"

#include <X11/Xlib.h>
#include <X11/keysym.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <thread>

using namespace VSTGUI;

namespace testsupport {

namespace {

constexpr int kParentX = 60;
constexpr int kParentY = 150; // room above the window for a drag to leave it

X11PlatformFrame& backEndOf(CFrame& frame)
{
    return dynamic_cast<X11PlatformFrame&>(*frame.getPlatformFrame());
}

// A parent window on the tests' own Xvfb, and the test's own connection, through which it sends
// input (XTest) and reads pixels.
class X11Host : public HostWindow {
public:
    X11Host()
    {
        if (!display)
            return;
        window = connection.createMappedWindow(kParentX, kParentY, 200, 120);
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
        return connection.capture(backEndOf(frame).getWindow(), int(WindowTest::kWidth), int(WindowTest::kHeight));
    }
    void loseContents(CFrame&) override
    {
        XUnmapWindow(display, window);
        XMapWindow(display, window);
        XSync(display, False);
    }
    CPoint windowSize(CFrame& frame) override
    {
        XWindowAttributes attributes{};
        XGetWindowAttributes(display, backEndOf(frame).getWindow(), &attributes);
        return CPoint(attributes.width, attributes.height);
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

} // namespace

std::unique_ptr<HostWindow> makeHostWindow()
{
    auto host = std::make_unique<X11Host>();
    EXPECT_TRUE(host->ready()) << "no display or no XTest at " << std::getenv("ZARN_WINDOW_TESTS");
    return host->ready() ? std::move(host) : nullptr;
}

namespace {

// The menu window, driven from its shown hook; a watchdog sends Escape if the menu is still open
// after ten seconds, so a fault fails instead of hanging.
class X11MenuTest : public WindowTest {
protected:
    X11Host& x11() { return static_cast<X11Host&>(*host); }
    int32_t popup(const std::function<void(Window)>& drive, CPoint at = CPoint(40, 20))
    {
        backEndOf(*frame).getX11OptionMenu().onShown = drive;
        std::atomic<bool> done{false};
        std::thread watchdog([&] {
            for (int i = 0; i < 1000 && !done; ++i)
                std::this_thread::sleep_for(std::chrono::milliseconds(10));
            if (!done) {
                Display* own = XOpenDisplay(nullptr);
                XTestFakeKeyEvent(own, XKeysymToKeycode(own, XK_Escape), True, CurrentTime);
                XTestFakeKeyEvent(own, XKeysymToKeycode(own, XK_Escape), False, CurrentTime);
                XCloseDisplay(own);
            }
        });
        const int32_t chosen = popupSizeMenu(at);
        done = true;
        watchdog.join();
        return chosen;
    }
    void escape()
    {
        x11().key(XK_Escape, true);
        x11().key(XK_Escape, false);
    }
    void clickAt(CPoint at)
    {
        x11().pointer(at);
        x11().buttons(kLButton, true);
        x11().buttons(kLButton, false);
    }
};

TEST_F(X11MenuTest, AClickOnAnEntryChoosesItAndEscapeOrAPressOutsideDismisses)
{
    openFrame();
    EXPECT_EQ(popup([&](Window) { escape(); }), -1);
    // Outside: on the frame window far from the menu, then on the root window.
    EXPECT_EQ(popup([&](Window) { clickAt(CPoint(150, 90)); }), -1);
    EXPECT_EQ(popup([&](Window) { clickAt(CPoint(-40, -40)); }), -1);
    EXPECT_TRUE(listener.calls.empty());
    const int32_t chosen = popup([&](Window menuWindow) {
        COptionMenu probe(CRect(0, 0, 100, 20), nullptr, 0);
        for (const char* title : {"Default", "Large", "Huge"})
            probe.addEntry(title);
        const CPoint large = centreOf(OptionMenuPanel(probe, 100).getEntryRect(1));
        int x = 0, y = 0;
        Window child = 0;
        XTranslateCoordinates(x11().display, menuWindow, x11().window, int(large.x), int(large.y), &x, &y, &child);
        clickAt(CPoint(x, y));
    });
    EXPECT_EQ(chosen, 1);
    EXPECT_EQ(listener.calls.back().tag, 99999);
}

TEST_F(X11MenuTest, TheReleaseOfTheRightClickThatOpenedTheMenuChoosesNothing)
{
    openFrame();
    // As the editor does: a right press on the background pops the menu up, here so that the
    // pointer lies on its first entry. The release comes while the menu is open.
    int32_t chosen = -2;
    editor.downHook = [&](CPoint& where, const CButtonState&) {
        chosen = popup(
            [&](Window) {
                x11().button(3, false);
                escape();
            },
            where - CPoint(10, 10));
        return kMouseDownEventHandledButDontNeedMovedOrUpEvents;
    };
    send(HostWindow::Input::press, CPoint(60, 60), kRButton);
    ASSERT_TRUE(idleUntil([&] { return chosen != -2; }));
    EXPECT_EQ(chosen, -1);
    EXPECT_TRUE(listener.calls.empty());
}

} // namespace

} // namespace testsupport
