// The host window first: it brings googletest, whose headers Xlib's macros (None, Bool) would break.
#include "X11HostWindow.h"

#include "vstgui/CTextEdit.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <thread>

using namespace VSTGUI;

namespace testsupport {

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
    host->answerNextMenu(*frame, 1);
    ASSERT_EQ(popup(backEndOf(*frame).getX11OptionMenu().onShown), 1);
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

TEST_F(X11MenuTest, ALatin1KeyIsTypedAndTheKeyboardGoesBackToTheHostAfterTheEdit)
{
    openFrame();
    auto* edit = new CTextEdit(CRect(56, 52, 156, 68), &listener, 9, "a");
    frame->addView(edit);
    click(CPoint(100, 60), kLButton);
    host->key(*frame, 0xe9); // e acute
    host->key(*frame, 0, VKEY_RETURN);
    EXPECT_TRUE(idleUntil([&] { return !edit->isPlatformEditOpen(); }));
    EXPECT_STREQ(edit->getText(), "a\xe9");
    EXPECT_TRUE(x11().hostHasKeyboard());
}

// A parent that cannot hold a drawn window (input only): the refusal is one line on standard error.
TEST_F(X11MenuTest, AWindowTheServerRefusesIsReportedOnStandardError)
{
    const Window inputOnly = XCreateWindow(x11().display, x11().window, 0, 0, 10, 10, 0, 0, InputOnly, nullptr, 0, nullptr);
    XSync(x11().display, False);
    frame = makeScene(editor, listener);
    testing::internal::CaptureStderr();
    EXPECT_FALSE(frame->open(reinterpret_cast<void*>(uintptr_t(inputOnly))));
    const std::string report = testing::internal::GetCapturedStderr();
    EXPECT_EQ(std::count(report.begin(), report.end(), '\n'), 1) << report;
    EXPECT_NE(report.find("BadMatch"), std::string::npos) << report;
}

} // namespace

} // namespace testsupport
