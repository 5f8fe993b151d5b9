// The host window first: it brings googletest, whose headers Xlib's macros (None, Bool) would break.
#include "X11HostWindow.h"

#include "vstgui/CTextEdit.h"

#include <algorithm>

using namespace VSTGUI;

namespace testsupport {

namespace {

class X11MenuTest : public WindowTest {
protected:
    X11Host& x11() { return static_cast<X11Host&>(*host); }
    // A checked size menu (Default, Large, Huge, separator) popped up at "at", its window driven
    // from its shown hook (a menu that never closes ends at the test's time limit); the chosen
    // index or -1.
    int32_t popup(const std::function<void(Window)>& drive, CPoint at = CPoint(40, 20))
    {
        backEndOf(*frame).getX11OptionMenu().onShown = drive;
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
    int32_t popupClickedAt(CPoint at)
    {
        return popup([&](Window) {
            send(HostWindow::Input::press, at);
            send(HostWindow::Input::release, at);
        });
    }
};

TEST_F(X11MenuTest, AClickOnAnEntryChoosesItWhileTheOpeningReleaseEscapeOrAPressOutsideDismiss)
{
    openFrame();
    // As the editor does: a right press on the background pops the menu up, here so that the
    // pointer lies on its first entry. The release comes while the menu is open; Escape follows.
    int32_t chosen = -2;
    editor.downHook = [&](CPoint& where, const CButtonState&) {
        chosen = popup([&](Window) { x11().button(3, false); host->key(*frame, XK_Escape); }, where - CPoint(10, 10));
        return kMouseDownEventHandledButDontNeedMovedOrUpEvents;
    };
    send(HostWindow::Input::press, CPoint(60, 60), kRButton);
    ASSERT_TRUE(idleUntil([&] { return chosen != -2; }));
    EXPECT_EQ(chosen, -1);
    // Outside: on the frame window far from the menu, then on the root window.
    EXPECT_EQ(popupClickedAt(CPoint(150, 90)), -1);
    EXPECT_EQ(popupClickedAt(CPoint(-40, -40)), -1);
    EXPECT_TRUE(listener.calls.empty());
    host->answerNextMenu(*frame, 1);
    ASSERT_EQ(popup(backEndOf(*frame).getX11OptionMenu().onShown), 1);
    EXPECT_EQ(listener.calls.back().tag, 99999);
}

TEST_F(X11MenuTest, ALatin1KeyIsTypedAndTheKeyboardGoesBackToTheHostAfterTheEdit)
{
    openFrame();
    auto* edit = new CTextEdit(CRect(56, 52, 156, 68), &listener, 9, "a");
    frame->addView(edit);
    click(CPoint(100, 60), kLButton);
    host->key(*frame, 0xb1); // plus-minus, on the keypad
    host->key(*frame, 0, VKEY_RETURN);
    EXPECT_TRUE(idleUntil([&] { return !edit->isPlatformEditOpen(); }));
    EXPECT_STREQ(edit->getText(), "a\xb1");
    EXPECT_TRUE(x11().hostHasKeyboard());
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
    EXPECT_EQ(std::count(report.begin(), report.end(), '\n'), 1) << report;
    EXPECT_NE(report.find("BadMatch"), std::string::npos) << report;
}

} // namespace

} // namespace testsupport
