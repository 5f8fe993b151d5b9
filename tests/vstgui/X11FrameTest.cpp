// googletest first: Xlib's macros (None, Bool) would break its headers.
#include <gtest/gtest.h>

#include "WindowTestScene.h"

#include "vstgui/COptionMenu.h"
#include "vstgui/CVSTGUITimer.h"
#include "vstgui/OptionMenuPanel.h"
#include "vstgui/X11PlatformFrame.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

#include <atomic>
#include <chrono>
#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>
#include <functional>
#include <thread>

using namespace VSTGUI;
using testsupport::RecordingEditor;
using testsupport::RecordingListener;
using testsupport::WindowTestScene;

namespace {

constexpr int kParentX = 60;
constexpr int kParentY = 150; // room above the window for a drag to leave it

CPoint centreOf(const CRect& r)
{
    return CPoint((r.left + r.right) / 2, (r.top + r.bottom) / 2);
}

int openFileCount()
{
    int count = 0;
    if (DIR* directory = opendir("/proc/self/fd")) {
        while (readdir(directory))
            ++count;
        closedir(directory);
    }
    return count;
}

// A parent window on the display in $DISPLAY (the tests' own Xvfb), standing in for the host's,
// and the test's own connection, through which it sends input (XTest) and reads pixels.
class X11FrameTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        const char* displayName = testsupport::windowTestSetting();
        if (!displayName)
            GTEST_SKIP() << "ZARN_WINDOW_TESTS names no display (the x11-window stage of scripts/test.sh sets it)";
        // The pointer is one for the whole display: test programs that ctest runs side by side
        // take turns.
        lockFile = open(testsupport::outputPath("x11-window-tests.lock").c_str(), O_CREAT | O_RDWR | O_CLOEXEC, 0644);
        ASSERT_GE(lockFile, 0);
        ASSERT_EQ(flock(lockFile, LOCK_EX), 0);
        // The back end opens the display in $DISPLAY, as in a host.
        setenv("DISPLAY", displayName, 1);
        display = XOpenDisplay(nullptr);
        ASSERT_NE(display, nullptr) << displayName;
        int event = 0, error = 0, major = 0, minor = 0;
        ASSERT_TRUE(XTestQueryExtension(display, &event, &error, &major, &minor));
        parent = XCreateSimpleWindow(display, DefaultRootWindow(display), kParentX, kParentY, 200, 120, 0, 0, 0);
        XSelectInput(display, parent, StructureNotifyMask);
        XMapWindow(display, parent);
        XEvent mapped;
        XWindowEvent(display, parent, StructureNotifyMask, &mapped);
        while (mapped.type != MapNotify)
            XWindowEvent(display, parent, StructureNotifyMask, &mapped);
        editor.setKnobMode(kLinearMode);
        moveTo(0, 0);
    }
    void TearDown() override
    {
        if (frame)
            frame->close();
        if (display) {
            XTestFakeKeyEvent(display, XKeysymToKeycode(display, XK_Control_L), False, CurrentTime);
            if (parent)
                XDestroyWindow(display, parent);
            XCloseDisplay(display);
        }
        if (lockFile >= 0)
            close(lockFile);
    }

    void openFrame()
    {
        frame = WindowTestScene::makeFrame(editor, listener);
        ASSERT_TRUE(frame->open(reinterpret_cast<void*>(uintptr_t(parent))));
        backEnd = dynamic_cast<X11PlatformFrame*>(frame->getPlatformFrame());
        ASSERT_NE(backEnd, nullptr);
    }

    // Runs the frame's idle, as the host does, until done() or two seconds have passed.
    bool idleUntil(const std::function<bool()>& done)
    {
        const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(2);
        do {
            XSync(display, False);
            frame->idle();
            if (done())
                return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        } while (std::chrono::steady_clock::now() < end);
        return false;
    }
    // Lets the frame take the input sent so far.
    void settle()
    {
        for (int i = 0; i < 5; ++i) {
            XSync(display, False);
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
            frame->idle();
        }
    }

    // Pointer to (x, y) of the parent window.
    void moveTo(int x, int y)
    {
        XTestFakeMotionEvent(display, DefaultScreen(display), kParentX + x, kParentY + y, CurrentTime);
        XFlush(display);
    }
    void button(unsigned number, bool press)
    {
        XTestFakeButtonEvent(display, number, press, CurrentTime);
        XFlush(display);
    }
    void key(KeySym symbol, bool press)
    {
        XTestFakeKeyEvent(display, XKeysymToKeycode(display, symbol), press, CurrentTime);
        XFlush(display);
    }

    // Where the window's pixels differ from the offscreen rendering; "" when they are equal.
    std::string differenceFromOffscreen(const std::vector<uint8_t>& expected)
    {
        const int w = int(WindowTestScene::kWidth);
        const int h = int(WindowTestScene::kHeight);
        XImage* image = XGetImage(display, backEnd->getWindow(), 0, 0, unsigned(w), unsigned(h), AllPlanes, ZPixmap);
        if (!image)
            return "no image";
        std::string difference;
        for (int y = 0; y < h && difference.empty(); ++y) {
            for (int x = 0; x < w; ++x) {
                const unsigned long pixel = XGetPixel(image, x, y);
                const uint8_t* p = expected.data() + (size_t(y) * size_t(w) + size_t(x)) * 4;
                const unsigned r = unsigned((pixel >> 16) & 0xff), g = unsigned((pixel >> 8) & 0xff),
                               b = unsigned(pixel & 0xff);
                if (r != p[2] || g != p[1] || b != p[0]) {
                    difference = "pixel " + std::to_string(x) + "," + std::to_string(y);
                    break;
                }
            }
        }
        XDestroyImage(image);
        return difference;
    }

    int lockFile = -1;
    Display* display = nullptr;
    Window parent = 0;
    RecordingEditor editor;
    RecordingListener listener;
    CFrame* frame = nullptr;
    X11PlatformFrame* backEnd = nullptr;
};

TEST_F(X11FrameTest, WindowShowsExactlyTheOffscreenPixelsAndRepaintsWhatWasExposed)
{
    openFrame();
    const std::vector<uint8_t> expected = testsupport::offscreenPixelsOfScene();
    std::string difference;
    EXPECT_TRUE(idleUntil([&] { return (difference = differenceFromOffscreen(expected)).empty(); })) << difference;

    // Hiding and showing the window loses its pixels; the back end puts them back from the
    // frame's buffer without the views drawing again.
    XUnmapWindow(display, parent);
    XMapWindow(display, parent);
    XSync(display, False);
    EXPECT_TRUE(idleUntil([&] { return (difference = differenceFromOffscreen(expected)).empty(); })) << difference;
}

TEST_F(X11FrameTest, PressesDragsWheelAndModifiersReachTheControls)
{
    openFrame();
    CAnimKnob* knob = WindowTestScene::knobOf(frame);
    COnOffButton* toggle = WindowTestScene::switchOf(frame);
    ASSERT_TRUE(idleUntil([] { return true; }));

    // A drag of 50 pixels up covers a quarter of the range; the pointer grab keeps the drag going
    // when it leaves the window above (another 100 pixels: half the range more).
    const CPoint centre = centreOf(WindowTestScene::kKnobRect);
    moveTo(int(centre.x), int(centre.y));
    button(1, true);
    settle();
    moveTo(int(centre.x), int(centre.y) - 50);
    settle();
    EXPECT_FLOAT_EQ(knob->getValue(), 0.25f);
    moveTo(int(centre.x), int(centre.y) - 150);
    settle();
    button(1, false);
    settle();
    EXPECT_FLOAT_EQ(knob->getValue(), 0.75f);
    ASSERT_FALSE(listener.calls.empty());
    EXPECT_EQ(listener.calls.back().tag, WindowTestScene::kKnobTag);
    EXPECT_FLOAT_EQ(listener.calls.back().value, 0.75f);

    // Wheel down is one step of 0.1 down.
    moveTo(int(centre.x), int(centre.y));
    button(5, true);
    button(5, false);
    settle();
    EXPECT_FLOAT_EQ(knob->getValue(), 0.65f);

    // Control+click restores the default value.
    key(XK_Control_L, true);
    button(1, true);
    button(1, false);
    key(XK_Control_L, false);
    settle();
    EXPECT_FLOAT_EQ(knob->getValue(), 0.5f);

    // A left click flips the switch and reports it; a right click on the background reaches the
    // editor's hook with the right button.
    const CPoint switchCentre = centreOf(WindowTestScene::kSwitchRect);
    moveTo(int(switchCentre.x), int(switchCentre.y));
    button(1, true);
    button(1, false);
    settle();
    EXPECT_FLOAT_EQ(toggle->getValue(), 1.f);
    EXPECT_EQ(listener.calls.back().tag, WindowTestScene::kSwitchTag);
    moveTo(130, 20);
    button(3, true);
    button(3, false);
    settle();
    ASSERT_EQ(editor.unhandledDowns.size(), 1u);
    EXPECT_EQ(editor.unhandledDownButtons.at(0), kRButton);
    EXPECT_EQ(editor.unhandledDowns.at(0), CPoint(130, 20));
}

// A menu in the frame, popped up while the test drives it from the shown hook; a watchdog sends
// Escape if the menu is still open after ten seconds, so a fault fails instead of hanging.
class X11MenuTest : public X11FrameTest {
protected:
    int32_t popup(const std::function<void(Window)>& drive, const CPoint& at = CPoint(40, 20))
    {
        auto* menu = new COptionMenu(CRect(at.x, at.y, at.x + 100, at.y + 20), &listener, 99999, nullptr, nullptr, COptionMenu::kCheckStyle);
        menu->addEntry("Default");
        menu->addEntry("Large");
        menu->addEntry("Huge");
        menu->addSeparator();
        frame->addView(menu);
        menu->checkEntryAlone(0);
        backEnd->getX11OptionMenu().onShown = drive;
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
        menu->popup();
        done = true;
        watchdog.join();
        const int32_t chosen = menu->getCurrentIndex(true);
        frame->removeView(menu);
        return chosen;
    }
    // The centre of entry index of the shown menu, in the parent window's coordinates.
    CPoint entryCentre(Window menuWindow, int32_t index)
    {
        COptionMenu probe(CRect(0, 0, 100, 20), nullptr, 0);
        for (const char* title : {"Default", "Large", "Huge"})
            probe.addEntry(title);
        const CPoint centre = centreOf(OptionMenuPanel(probe, 100).getEntryRect(index));
        int x = 0, y = 0;
        Window child = 0;
        XTranslateCoordinates(display, menuWindow, parent, int(centre.x), int(centre.y), &x, &y, &child);
        return CPoint(x, y);
    }
};

TEST_F(X11MenuTest, AClickOnAnEntryChoosesIt)
{
    openFrame();
    const int32_t chosen = popup([&](Window menuWindow) {
        const CPoint large = entryCentre(menuWindow, 1);
        moveTo(int(large.x), int(large.y));
        button(1, true);
        button(1, false);
    });
    EXPECT_EQ(chosen, 1);
    EXPECT_EQ(listener.calls.back().tag, 99999);
}

TEST_F(X11MenuTest, EscapeOrAPressOutsideDismissesAndTheOpeningReleaseChoosesNothing)
{
    openFrame();
    EXPECT_EQ(popup([&](Window) {
                  key(XK_Escape, true);
                  key(XK_Escape, false);
              }),
              -1);
    // Outside: on the frame window far from the menu, then on the root window.
    EXPECT_EQ(popup([&](Window) {
                  moveTo(150, 90);
                  button(1, true);
                  button(1, false);
              }),
              -1);
    EXPECT_EQ(popup([&](Window) {
                  moveTo(-40, -40);
                  button(1, true);
                  button(1, false);
              }),
              -1);
    EXPECT_TRUE(listener.calls.empty());
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
                button(3, false);
                key(XK_Escape, true);
                key(XK_Escape, false);
            },
            where - CPoint(10, 10));
        return kMouseDownEventHandledButDontNeedMovedOrUpEvents;
    };
    moveTo(60, 60);
    button(3, true);
    ASSERT_TRUE(idleUntil([&] { return chosen != -2; }));
    EXPECT_EQ(chosen, -1);
    EXPECT_TRUE(listener.calls.empty());
}

TEST_F(X11FrameTest, ResizingTheFrameResizesItsWindowAndTimersFollowRealTime)
{
    openFrame();
    ASSERT_TRUE(frame->setSize(180, 110));
    XWindowAttributes attributes{};
    ASSERT_TRUE(idleUntil([&] {
        XGetWindowAttributes(display, backEnd->getWindow(), &attributes);
        return attributes.width == 180 && attributes.height == 110;
    }));

    struct Counter : CBaseObject {
        CMessageResult notify(CBaseObject*, IdStringPtr message) override
        {
            fired += message == CVSTGUITimer::kMsgTimer ? 1 : 0;
            return kMessageNotified;
        }
        int fired = 0;
    };
    auto counter = makeOwned<Counter>();
    auto timer = makeOwned<CVSTGUITimer>(counter.get(), 10, true);
    EXPECT_TRUE(idleUntil([&] { return counter->fired >= 2; }));
    timer->stop();
}

TEST_F(X11FrameTest, APressThatClosesTheFrameEndsTheEventPumpSafely)
{
    openFrame();
    CFrame* open = frame;
    bool closed = false;
    editor.downHook = [&](CPoint&, const CButtonState&) {
        open->close();
        frame = nullptr;
        closed = true;
        return kMouseEventHandled;
    };
    moveTo(130, 20);
    button(1, true);
    button(1, false);
    moveTo(140, 30);
    XSync(display, False);
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(2);
    while (!closed && std::chrono::steady_clock::now() < end) {
        open->idle(); // the frame lives while its idle runs, and the back end to the end of it
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    ASSERT_TRUE(closed);
    Window root = 0, parentOfParent = 0;
    Window* children = nullptr;
    unsigned count = 0;
    ASSERT_TRUE(XQueryTree(display, parent, &root, &parentOfParent, &children, &count));
    if (children)
        XFree(children);
    EXPECT_EQ(count, 0u);
}

TEST_F(X11FrameTest, HundredOpenCloseCyclesReturnEveryResource)
{
    const int64_t objects = ReferenceCounted::liveObjectCount();
    const int files = openFileCount();
    for (int i = 0; i < 100; ++i) {
        openFrame();
        frame->idle();
        frame->close();
        frame = nullptr;
    }
    EXPECT_EQ(ReferenceCounted::liveObjectCount(), objects);
    EXPECT_EQ(openFileCount(), files); // every display connection closed
    Window root = 0, parentOfParent = 0;
    Window* children = nullptr;
    unsigned count = 0;
    ASSERT_TRUE(XQueryTree(display, parent, &root, &parentOfParent, &children, &count));
    if (children)
        XFree(children);
    EXPECT_EQ(count, 0u); // no window of ours left behind
}

TEST_F(X11FrameTest, AMissingOrDestroyedParentWindowIsSurvived)
{
    // An id that names no window: the open fails instead of Xlib ending the process.
    frame = WindowTestScene::makeFrame(editor, listener);
    EXPECT_FALSE(frame->open(reinterpret_cast<void*>(uintptr_t(0x3fffff0))));
    frame->close();
    frame = nullptr;

    // The host destroys its window before closing the editor: idle and close still work.
    openFrame();
    frame->idle();
    XDestroyWindow(display, parent);
    parent = 0;
    XSync(display, False);
    frame->invalid();
    frame->idle();
    frame->idle();
    frame->close();
    frame = nullptr;
    SUCCEED();
}

} // namespace
