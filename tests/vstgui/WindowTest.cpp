// The window back ends in real windows: one scene and one set of scenarios, then what only one
// back end has. The host window first: it brings googletest, whose headers Xlib's macros (None,
// Bool) would break.
#ifdef _WIN32
#include "Win32HostWindow.h"
#include "vstgui/Win32WindowClass.h"
#else
#include "X11HostWindow.h"
#endif

#include "vstgui/CAnimKnob.h"
#include "vstgui/COnOffButton.h"
#include "vstgui/CTextEdit.h"
#include "vstgui/TimerQueue.h"

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <thread>

namespace testsupport {

namespace {

// The scene: a gradient background (x * 255 / 160, y * 255 / 100, 90); a knob (tag 3) whose
// frame i is (30 i, 200, 255 - 30 i) at alpha 180 in a disc of radius 15; a switch (tag 7), grey
// (60) when off, yellow when on.
class WindowTest : public ::testing::Test {
protected:
    static constexpr CRect kKnobRect{20, 20, 52, 52};
    static constexpr CRect kSwitchRect{80, 30, 100, 50};
    static constexpr CPoint kBackground{130, 20};
    using Input = HostWindow::Input;
    CFrame* makeScene()
    {
        auto* scene = new CFrame(CRect(0, 0, 160, 100), &editor);
        editor.setFrame(scene);
        editor.setKnobMode(kLinearMode);
        scene->setBackground(makeBitmap(160, 100, [](int32_t x, int32_t y) {
            return CColor(uint8_t(x * 255 / 160), uint8_t(y * 255 / 100), 90, 255);
        }));
        auto strip = makeBitmap(32, 32 * 8, [](int32_t x, int32_t y) {
            const bool disc = (x - 16) * (x - 16) + (y % 32 - 16) * (y % 32 - 16) < 15 * 15;
            return disc ? CColor(uint8_t(30 * (y / 32)), 200, uint8_t(255 - 30 * (y / 32)), 180) : CColor(0, 0, 0, 0);
        });
        auto* knob = new CAnimKnob(kKnobRect, &listener, 3, 8, 32, strip.get());
        knob->setWheelInc(0.1f);
        scene->addView(knob);
        auto states = makeBitmap(20, 40, [](int32_t, int32_t y) {
            return y < 20 ? CColor(60, 60, 60, 255) : CColor(250, 220, 0, 255);
        });
        scene->addView(new COnOffButton(kSwitchRect, &listener, 7, states.get()));
        return scene;
    }
    void SetUp() override
    {
        // Only where the test stage has prepared a window system (on Linux the X display to use,
        // never the developer's own); the stage counts a skip as a failure.
        const char* setting = std::getenv("ZARN_WINDOW_TESTS");
        if (!setting || !*setting)
            GTEST_SKIP() << "ZARN_WINDOW_TESTS is not set (the window stages of scripts/test.sh set it)";
        host = makeHostWindow();
        ASSERT_TRUE(host);
    }
    void TearDown() override
    {
        if (frame)
            frame->close();
    }
    void openFrame()
    {
        frame = makeScene();
        ASSERT_TRUE(frame->open(host->parent()));
    }
    // Runs the host's loop and the frame's idle until done() or two seconds have passed.
    bool idleUntil(const std::function<bool()>& done)
    {
        const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(2);
        do {
            host->pump();
            if (frame)
                frame->idle(); // may close the frame from inside an event
            if (done())
                return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        } while (std::chrono::steady_clock::now() < end);
        return false;
    }
    void settle()
    {
        int rounds = 0;
        idleUntil([&] { return ++rounds == 5; });
    }
    void send(Input input, CPoint at, int32_t buttons = kLButton) { host->send(*frame, input, at, buttons); }
    void sendAndSettle(Input input, CPoint at) { send(input, at), settle(); }
    void click(CPoint at, int32_t buttons)
    {
        send(Input::press, at, buttons);
        send(Input::release, at, buttons);
        settle();
    }
    // Whether the window comes to show colour (within 2 per channel) at the frame's point.
    bool shows(CPoint at, CColor colour)
    {
        const size_t i = (size_t(at.y) * size_t(frame->getWidth()) + size_t(at.x)) * 4;
        return idleUntil([&] {
            const std::vector<uint8_t> shown = host->capture(*frame);
            return shown.size() > i && std::abs(shown[i] - colour.blue) <= 2 &&
                   std::abs(shown[i + 1] - colour.green) <= 2 && std::abs(shown[i + 2] - colour.red) <= 2;
        });
    }
    CAnimKnob* knob() const { return dynamic_cast<CAnimKnob*>(frame->getView(0)); }
    // A checked size menu (Default, Large, Huge, separator) popped up at "at"; the chosen index or -1.
    int32_t popup(CPoint at = CPoint(40, 20))
    {
        auto* menu = new COptionMenu(CRect(at, CPoint(100, 20)), &listener, 99999, nullptr, nullptr, COptionMenu::kCheckStyle);
        for (const char* title : {"Default", "Large", "Huge"})
            menu->addEntry(title);
        menu->addSeparator();
        frame->addView(menu);
        menu->checkEntryAlone(0);
        menu->popup();
        const int32_t chosen = menu->getCurrentIndex(true);
        frame->removeView(menu);
        return chosen;
    }

    std::unique_ptr<HostWindow> host;
    RecordingEditor editor;
    RecordingListener listener;
    CFrame* frame = nullptr;
};

// The knob's first frame over the background at (36, 36): (0, 141, 180) + (57, 91, 90) x 75 / 255.
// Lost pixels come back; a larger frame gets a larger window; timers follow real time.
TEST_F(WindowTest, TheWindowShowsTheSceneRepaintsWhatItLostAndFollowsSizeAndTime)
{
    openFrame();
    for (int pass = 0; pass < 2; ++pass, host->loseContents(*frame))
        for (auto [at, colour] : {std::pair{kBackground, CColor(207, 51, 90)}, {CPoint(159, 99), CColor(253, 252, 90)},
                                  {CPoint(36, 36), CColor(17, 168, 206)}, {kSwitchRect.getCenter(), CColor(60, 60, 60)}})
            EXPECT_TRUE(shows(at, colour)) << pass << ": " << at.x << "," << at.y;
    ASSERT_TRUE(frame->setSize(180, 110));
    EXPECT_TRUE(idleUntil([&] { return host->windowSize(*frame) == CPoint(180, 110); }));
    const uint64_t start = TimerQueue::forCurrentThread().now(); // the timers' clock
    EXPECT_TRUE(idleUntil([&] { return TimerQueue::forCurrentThread().now() >= start + 20; }));
}

TEST_F(WindowTest, PressesDragsWheelAndModifiersReachTheControls)
{
    openFrame();
    settle();
    // A drag of 50 pixels up covers a quarter of the range; the grab or capture keeps the drag
    // going when it leaves the window above (another 100 pixels: half the range more).
    const CPoint centre = kKnobRect.getCenter();
    sendAndSettle(Input::press, centre);
    sendAndSettle(Input::move, centre - CPoint(0, 50));
    EXPECT_FLOAT_EQ(knob()->getValue(), 0.25f);
    send(Input::move, centre - CPoint(0, 150));
    sendAndSettle(Input::release, centre - CPoint(0, 150));
    EXPECT_EQ(std::tuple(knob()->getValue(), listener.calls.at(listener.calls.size() - 1), host->pointerHeld()),
              std::tuple(0.75f, RecordingListener::Call{3, 0.75f}, false));
    EXPECT_TRUE(shows(CPoint(36, 36), CColor(123, 168, 100))); // frame 5: (150, 200, 105) at 180

    sendAndSettle(Input::wheelDown, centre); // one step of 0.1 down
    EXPECT_FLOAT_EQ(knob()->getValue(), 0.65f);
    click(centre, kLButton | kControl); // the default value
    EXPECT_FLOAT_EQ(knob()->getValue(), 0.5f);

    // A left click flips the switch and reports it; a right click on the background reaches the
    // editor's hook with the right button.
    click(kSwitchRect.getCenter(), kLButton);
    EXPECT_EQ(listener.calls.back(), (RecordingListener::Call{7, 1}));
    EXPECT_TRUE(shows(kSwitchRect.getCenter(), CColor(250, 220, 0)));
    click(kBackground, kRButton);
    EXPECT_EQ(editor.unhandledDowns, (std::vector{std::pair(kBackground, int32_t(kRButton))}));
}

TEST_F(WindowTest, ATextFieldIsTypedIntoAndCommitsOnReturnOnAClickElsewhereAndWhenTheHostTakesTheKeys)
{
    openFrame();
    auto* edit = new CTextEdit(CRect(56, 52, 156, 68), &listener, 9, "ab");
    frame->addView(edit);
    settle();
    const auto type = [&](std::initializer_list<std::pair<int32_t, unsigned char>> keys) {
        click(CPoint(100, 60), kLButton);
        EXPECT_TRUE(edit->isPlatformEditOpen());
        for (auto [character, virt] : keys)
            host->key(*frame, character, virt);
        settle();
    };
    type({{'x', 0}, {'y', 0}, {0, VKEY_BACK}, {0, VKEY_LEFT}, {'z', 0}, {0, VKEY_RETURN}});
    EXPECT_TRUE(idleUntil([&] { return !edit->isPlatformEditOpen(); }));
    EXPECT_STREQ(edit->getText(), "abzx");
    ASSERT_EQ(listener.calls.size(), 1u);

    type({{' ', 0}, {'q', 0}});
    click(kBackground, kLButton);
    EXPECT_FALSE(edit->isPlatformEditOpen());
    EXPECT_STREQ(edit->getText(), "abzx q");

    type({{'w', 0}});
    host->takeKeyboardFocus();
    EXPECT_TRUE(idleUntil([&] { return !edit->isPlatformEditOpen(); }));
    EXPECT_STREQ(edit->getText(), "abzx qw");
    EXPECT_EQ(listener.calls.size(), 3u);
#ifndef _WIN32 // a Latin-1 key (plus-minus, on the keypad) is typed; the keyboard goes back to the host
    type({{0xb1, 0}, {0, VKEY_RETURN}});
    EXPECT_TRUE(idleUntil([&] { return !edit->isPlatformEditOpen(); }));
    EXPECT_STREQ(edit->getText(), "abzx qw\xb1");
    EXPECT_TRUE(static_cast<X11Host&>(*host).hostHasKeyboard());
#endif
}

// A parent handle that names no window fails the open instead of the window system ending the
// process; a press that closes the frame, and a host that destroys its window before closing the
// editor, are survived (the frame and its back end outlive the event).
TEST_F(WindowTest, AMissingParentAClosingPressAndADestroyedParentAreSurvived)
{
    frame = makeScene();
    EXPECT_FALSE(frame->open(reinterpret_cast<void*>(uintptr_t(0x3fffff0)))); // no window has that id or handle
    frame->close();

    openFrame();
    editor.downHook = [&](CPoint&, const CButtonState&) {
        frame->close();
        frame = nullptr;
        return kMouseEventHandled;
    };
    click(kBackground, kRButton);
    ASSERT_TRUE(idleUntil([&] { return frame == nullptr; }));
    EXPECT_EQ(std::pair(host->childWindows(), host->pointerHeld()), std::pair(0, false));

    openFrame();
    settle();
    host->destroyParent(*frame);
    frame->invalid();
    settle();
}

// Open, resize and close in a real window, over and over: every object, child window and
// descriptor comes back (each frame has its own window and, on X11, its own display connection).
TEST_F(WindowTest, OpenResizeCloseCyclesLeaveNothingBehind)
{
#ifdef _WIN32
    const auto descriptors = [] { return 0; };
#else
    const auto descriptors = [] { return std::distance(std::filesystem::directory_iterator("/proc/self/fd"), {}); };
#endif
    const auto counts = [&] { return std::tuple(ReferenceCounted::liveObjectCount(), host->childWindows(), descriptors()); };
    const auto before = counts();
    for (int cycle = 0; cycle < 200; ++cycle) {
        openFrame();
        frame->setSize(cycle % 2 ? 120 : 200, 100);
        frame->idle();
        frame->close();
        frame = nullptr;
        host->pump();
    }
    EXPECT_EQ(counts(), before);
}

// The menu's window opens at its view's corner on the screen, (63, 153) + (40, 20), and the entry
// clicked there is chosen.
TEST_F(WindowTest, AMenuOpensAtItsViewsCornerOnTheScreenAndReportsTheEntryChosenThere)
{
    openFrame();
    host->answerNextMenu(*frame, 1);
    EXPECT_EQ(std::pair(popup(), host->menuCorner), std::pair(1, CPoint(103, 173)));
    EXPECT_EQ(listener.calls.at(0).tag, 99999);
}

#ifdef _WIN32

TEST_F(WindowTest, ADragWhoseCaptureIsTakenAwayEnds)
{
    openFrame();
    const CPoint centre = kKnobRect.getCenter();
    sendAndSettle(Input::press, centre);
    SetCapture(static_cast<HWND>(host->parent()));
    settle();
    sendAndSettle(Input::move, centre - CPoint(0, 50));
    EXPECT_FLOAT_EQ(knob()->getValue(), 0.f);
    ReleaseCapture();
}

TEST(Win32WindowClass, ASecondRegistrationOfTheNameFailsWithoutTakingTheFirstAway)
{
    const auto instance = static_cast<HINSTANCE>(Win32WindowClass::moduleInstance());
    WNDCLASSEXW info{};
    info.cbSize = sizeof(info);
    {
        Win32WindowClass first(L"ZarnProTestClass", reinterpret_cast<void*>(&DefWindowProcW));
        EXPECT_TRUE(first.isRegistered());
        EXPECT_FALSE(Win32WindowClass(L"ZarnProTestClass", reinterpret_cast<void*>(&DefWindowProcW)).isRegistered());
        EXPECT_TRUE(GetClassInfoExW(instance, L"ZarnProTestClass", &info));
    }
    EXPECT_FALSE(GetClassInfoExW(instance, L"ZarnProTestClass", &info));
}

#else

class X11MenuTest : public WindowTest {
protected:
    X11Host& x11() { return static_cast<X11Host&>(*host); }
    // The menu's window driven from its shown hook (a menu that never closes ends at the test's
    // time limit).
    int32_t popup(const std::function<void(Window)>& drive, CPoint at = CPoint(40, 20))
    {
        backEndOf(*frame).getX11OptionMenu().onShown = drive;
        return WindowTest::popup(at);
    }
};

TEST_F(X11MenuTest, TheOpeningReleaseEscapeAndAPressOutsideDismissTheMenu)
{
    openFrame();
    // As the editor does: a right press on the background pops the menu up, here so that the
    // pointer lies on its first entry. The release comes while the menu is open; Escape follows.
    int32_t chosen = -2;
    editor.downHook = [&](CPoint& where, const CButtonState&) {
        chosen = popup([&](Window) { x11().button(3, false); host->key(*frame, XK_Escape); }, where - CPoint(10, 10));
        return kMouseDownEventHandledButDontNeedMovedOrUpEvents;
    };
    send(Input::press, CPoint(60, 60), kRButton);
    ASSERT_TRUE(idleUntil([&] { return chosen != -2; }));
    EXPECT_EQ(chosen, -1);
    // Outside: on the frame window far from the menu, then on the root window.
    for (CPoint outside : {CPoint(150, 90), CPoint(-40, -40)})
        EXPECT_EQ(popup([&](Window) { send(Input::press, outside), send(Input::release, outside); }), -1);
    EXPECT_TRUE(listener.calls.empty());
}

// A parent that cannot hold a drawn window (input only): the refusal is one line on standard error.
TEST_F(X11MenuTest, AWindowTheServerRefusesIsReportedOnStandardError)
{
    const Window inputOnly = XCreateWindow(x11().display, x11().window, 0, 0, 10, 10, 0, 0, InputOnly, nullptr, 0, nullptr);
    XSync(x11().display, False);
    frame = makeScene();
    testing::internal::CaptureStderr();
    EXPECT_FALSE(frame->open(reinterpret_cast<void*>(uintptr_t(inputOnly))));
    const std::string report = testing::internal::GetCapturedStderr();
    EXPECT_TRUE(std::count(report.begin(), report.end(), '\n') == 1 && report.find("BadMatch") != std::string::npos)
        << report;
}

#endif

} // namespace

} // namespace testsupport
