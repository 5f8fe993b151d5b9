#include "WindowTestScene.h"

#include "vstgui/COptionMenu.h"
#include "vstgui/CParamDisplay.h"
#include "vstgui/CTextEdit.h"
#include "vstgui/CVSTGUITimer.h"

#include <chrono>
#include <cstdlib>
#include <thread>

namespace testsupport {

CPoint centreOf(const CRect& r)
{
    return CPoint((r.left + r.right) / 2, (r.top + r.bottom) / 2);
}

CFrame* WindowTest::makeScene(RecordingEditor& editor, IControlListener& listener)
{
    constexpr int32_t kKnobFrames = 8;
    auto* frame = new CFrame(CRect(0, 0, kWidth, kHeight), &editor);
    editor.setFrame(frame);
    editor.setKnobMode(kLinearMode);
    frame->setBackground(makeOwned<CBitmap>(makeBitmap(int32_t(kWidth), int32_t(kHeight), [](int32_t x, int32_t y) {
        return CColor(uint8_t(x * 255 / int32_t(kWidth)), uint8_t(y * 255 / int32_t(kHeight)), 90, 255);
    })));
    // Each knob frame its own colour, half transparent, so blending shows as well.
    auto strip = makeOwned<CBitmap>(makeBitmap(32, 32 * kKnobFrames, [](int32_t x, int32_t y) {
        const int32_t index = y / 32;
        const bool ring = (x - 16) * (x - 16) + (y % 32 - 16) * (y % 32 - 16) < 15 * 15;
        return ring ? CColor(uint8_t(30 * index), 200, uint8_t(255 - 30 * index), 180) : CColor(0, 0, 0, 0);
    }));
    auto* knob = new CAnimKnob(kKnobRect, &listener, kKnobTag, kKnobFrames, 32, strip.get());
    knob->setWheelInc(0.1f);
    frame->addView(knob);
    auto states = makeOwned<CBitmap>(makeBitmap(20, 40, [](int32_t, int32_t y) {
        return y < 20 ? CColor(60, 60, 60, 255) : CColor(250, 220, 0, 255);
    }));
    frame->addView(new COnOffButton(kSwitchRect, &listener, kSwitchTag, states.get()));
    auto* text = new CParamDisplay(CRect(10, 70, 150, 90));
    text->setValue(0.75f);
    text->setBackColor(CColor(20, 20, 40, 255));
    frame->addView(text);
    return frame;
}

void WindowTest::SetUp()
{
    // Only where the test stage has prepared a window system: on Linux the X display to use
    // (never the developer's own), under wine any value (the prefix has the null graphics driver).
    const char* setting = std::getenv("ZARN_WINDOW_TESTS");
    if (!setting || !*setting)
        GTEST_SKIP() << "ZARN_WINDOW_TESTS is not set (the window stages of scripts/test.sh set it)";
    host = makeHostWindow();
    ASSERT_TRUE(host);
}

void WindowTest::TearDown()
{
    if (frame)
        frame->close();
    host.reset();
}

void WindowTest::openFrame()
{
    frame = makeScene(editor, listener);
    ASSERT_TRUE(frame->open(host->parent()));
}

bool WindowTest::idleUntil(const std::function<bool()>& done)
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

void WindowTest::settle()
{
    int rounds = 0;
    idleUntil([&] { return ++rounds == 5; });
}

void WindowTest::click(CPoint at, int32_t buttons)
{
    send(HostWindow::Input::press, at, buttons);
    send(HostWindow::Input::release, at, buttons);
    settle();
}

int32_t WindowTest::popupSizeMenu(CPoint at)
{
    auto* menu = new COptionMenu(CRect(at.x, at.y, at.x + 100, at.y + 20), &listener, 99999, nullptr, nullptr,
                                 COptionMenu::kCheckStyle);
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

bool WindowTest::shows(CPoint at, CColor colour)
{
    const size_t i = (size_t(at.y) * size_t(kWidth) + size_t(at.x)) * 4;
    return idleUntil([&] {
        const std::vector<uint8_t> shown = host->capture(*frame);
        return shown.size() == size_t(kWidth * kHeight * 4) && std::abs(shown[i] - colour.blue) <= 2 &&
               std::abs(shown[i + 1] - colour.green) <= 2 && std::abs(shown[i + 2] - colour.red) <= 2;
    });
}

// The background's gradient (x * 255 / 160, y * 255 / 100, 90); the knob's first frame, (0, 200,
// 255) at alpha 180, over it; the switch's upper (off) half; and the same again once the window
// has lost its pixels.
TEST_F(WindowTest, TheWindowShowsTheSceneAndRepaintsWhatItLost)
{
    openFrame();
    for (int pass = 0; pass < 2; ++pass) {
        EXPECT_TRUE(shows(CPoint(130, 20), CColor(207, 51, 90))) << pass;
        EXPECT_TRUE(shows(CPoint(159, 99), CColor(253, 252, 90))) << pass;
        EXPECT_TRUE(shows(CPoint(36, 36), CColor(17, 168, 206))) << pass;
        EXPECT_TRUE(shows(centreOf(kSwitchRect), CColor(60, 60, 60))) << pass;
        host->loseContents(*frame);
    }
}

TEST_F(WindowTest, PressesDragsWheelAndModifiersReachTheControls)
{
    openFrame();
    settle();
    // A drag of 50 pixels up covers a quarter of the range; the grab or capture keeps the drag
    // going when it leaves the window above (another 100 pixels: half the range more).
    using Input = HostWindow::Input;
    const CPoint centre = centreOf(kKnobRect);
    send(Input::press, centre);
    settle();
    send(Input::move, centre - CPoint(0, 50));
    settle();
    EXPECT_FLOAT_EQ(knob()->getValue(), 0.25f);
    send(Input::move, centre - CPoint(0, 150));
    settle();
    send(Input::release, centre - CPoint(0, 150));
    settle();
    EXPECT_FLOAT_EQ(knob()->getValue(), 0.75f);
    EXPECT_FALSE(host->pointerHeld());
    ASSERT_FALSE(listener.calls.empty());
    EXPECT_EQ(listener.calls.back().tag, kKnobTag);
    EXPECT_FLOAT_EQ(listener.calls.back().value, 0.75f);

    send(Input::wheelDown, centre); // one step of 0.1 down
    settle();
    EXPECT_FLOAT_EQ(knob()->getValue(), 0.65f);
    click(centre, kLButton | kControl); // the default value
    EXPECT_FLOAT_EQ(knob()->getValue(), 0.5f);

    // A left click flips the switch and reports it; a right click on the background reaches the
    // editor's hook with the right button.
    click(centreOf(kSwitchRect), kLButton);
    EXPECT_FLOAT_EQ(toggle()->getValue(), 1.f);
    EXPECT_EQ(listener.calls.back().tag, kSwitchTag);
    EXPECT_TRUE(shows(centreOf(kSwitchRect), CColor(250, 220, 0))); // the lower (on) half
    click(CPoint(130, 20), kRButton);
    ASSERT_EQ(editor.unhandledDowns.size(), 1u);
    EXPECT_EQ(editor.unhandledDownButtons.at(0), kRButton);
    EXPECT_EQ(editor.unhandledDowns.at(0), CPoint(130, 20));
}

TEST_F(WindowTest, ResizingTheFrameResizesItsWindowAndTimersFollowRealTime)
{
    openFrame();
    ASSERT_TRUE(frame->setSize(180, 110));
    EXPECT_TRUE(idleUntil([&] { return host->windowSize(*frame) == CPoint(180, 110); }));

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

// The frame and its back end must outlive the event that closes them.
TEST_F(WindowTest, APressThatClosesTheFrameEndsTheEventPumpSafely)
{
    openFrame();
    editor.downHook = [&](CPoint&, const CButtonState&) {
        frame->close();
        frame = nullptr;
        return kMouseEventHandled;
    };
    send(HostWindow::Input::press, CPoint(130, 20), kRButton);
    send(HostWindow::Input::release, CPoint(130, 20), kRButton);
    ASSERT_TRUE(idleUntil([&] { return frame == nullptr; }));
    EXPECT_EQ(host->childWindows(), 0);
    EXPECT_FALSE(host->pointerHeld());
}

TEST_F(WindowTest, ATextFieldIsTypedIntoAndCommitsOnReturnOnAClickElsewhereAndWhenTheHostTakesTheKeys)
{
    openFrame();
    auto* edit = new CTextEdit(CRect(56, 52, 156, 68), &listener, 9, "ab");
    frame->addView(edit);
    settle();
    const auto type = [&](std::initializer_list<std::pair<int32_t, unsigned char>> keys) {
        for (auto [character, virt] : keys)
            host->key(*frame, character, virt);
        settle();
    };
    click(CPoint(100, 60), kLButton);
    ASSERT_TRUE(edit->isPlatformEditOpen());
    type({{'x', 0}, {'y', 0}, {0, VKEY_BACK}, {0, VKEY_LEFT}, {'z', 0}, {0, VKEY_RETURN}});
    EXPECT_TRUE(idleUntil([&] { return !edit->isPlatformEditOpen(); }));
    EXPECT_STREQ(edit->getText(), "abzx");
    ASSERT_EQ(listener.calls.size(), 1u);
    EXPECT_EQ(listener.calls.back().tag, 9);

    click(CPoint(100, 60), kLButton);
    type({{' ', 0}, {'q', 0}});
    click(CPoint(130, 20), kLButton); // the background
    EXPECT_FALSE(edit->isPlatformEditOpen());
    EXPECT_STREQ(edit->getText(), "abzx q");

    click(CPoint(100, 60), kLButton);
    type({{'w', 0}});
    host->takeKeyboardFocus();
    EXPECT_TRUE(idleUntil([&] { return !edit->isPlatformEditOpen(); }));
    EXPECT_STREQ(edit->getText(), "abzx qw");
    EXPECT_EQ(listener.calls.size(), 3u);
}

TEST_F(WindowTest, AMissingOrDestroyedParentWindowIsSurvived)
{
    // A handle that names no window: the open fails instead of the window system ending the process.
    frame = makeScene(editor, listener);
    EXPECT_FALSE(frame->open(host->notAWindow()));
    frame->close();

    // The host destroys its window before closing the editor: idle and close still work.
    openFrame();
    settle();
    host->destroyParent(*frame);
    frame->invalid();
    settle();
    frame->close();
    frame = nullptr;
}

} // namespace testsupport
