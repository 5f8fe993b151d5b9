#pragma once

// The window back ends' tests: one scene and one set of scenarios, and per back end (X11 or Win32)
// only the host's window, the input it sends, and how it reads the window's pixels.

#include "TestSupport.h"

#include "vstgui/CAnimKnob.h"
#include "vstgui/CFrame.h"
#include "vstgui/COnOffButton.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace testsupport {

// A host's window at (60, 150), 200 x 120 outside unless asked otherwise, and the input a user
// gives the frame in it. Positions are the frame's; buttons carry VSTGUI's button and modifier bits.
class HostWindow {
public:
    virtual ~HostWindow() = default;
    virtual void* parent() = 0;
    virtual void destroyParent(CFrame& frame) = 0;
    virtual void pump() = 0; // hands the window system's pending work over
    enum class Input { press, move, release, wheelDown };
    virtual void send(CFrame& frame, Input input, CPoint at, int32_t buttons) = 0;
    // The frame window's pixels as blue, green, red, unused; empty when unreadable.
    virtual std::vector<uint8_t> capture(CFrame& frame) = 0;
    // The window system throws the window's pixels away and asks for them again.
    virtual void loseContents(CFrame& frame) = 0;
    virtual CPoint windowSize(CFrame& frame) = 0;
    virtual CPoint parentSize() = 0; // the host window's outer size, border included
    // The next size menu (Default, Large, Huge, separator) that the frame pops up gets entry
    // index chosen by the user.
    virtual void answerNextMenu(CFrame& frame, int32_t index) = 0;
    virtual int childWindows() = 0;
    virtual bool pointerHeld() = 0; // a grab or capture left behind
    virtual int openHandles() = 0;  // display connections and the like
    // A key pressed and released with the frame's text field in front: a lower-case letter, a
    // blank, or a VKEY_ code with character 0.
    virtual void key(CFrame& frame, int32_t character, unsigned char virt = 0) = 0;
    // The host's window takes the keyboard (the user clicked into the host).
    virtual void takeKeyboardFocus() = 0;
};

// Per back end: the host's window, or null (with a failure saying why) without a window system.
std::unique_ptr<HostWindow> makeHostWindow(int32_t width = 200, int32_t height = 120);

// The scene: a gradient background, a knob and a switch.
class WindowTest : public ::testing::Test {
public:
    static constexpr CCoord kWidth = 160;
    static constexpr CCoord kHeight = 100;
    static constexpr int32_t kKnobTag = 3;
    static constexpr int32_t kSwitchTag = 7;
    static constexpr CRect kKnobRect{20, 20, 52, 52};
    static constexpr CRect kSwitchRect{80, 30, 100, 50};
    static constexpr CPoint kBackground{130, 20};

protected:
    void SetUp() override;
    void TearDown() override;
    void openFrame();
    CFrame* makeScene();
    // Runs the host's loop and the frame's idle until done() or two seconds have passed.
    bool idleUntil(const std::function<bool()>& done);
    void settle();
    void send(HostWindow::Input input, CPoint at, int32_t buttons = kLButton) { host->send(*frame, input, at, buttons); }
    void click(CPoint at, int32_t buttons);
    // Whether the window comes to show colour (within 2 per channel) at the frame's point.
    bool shows(CPoint at, CColor colour);
    CAnimKnob* knob() const { return dynamic_cast<CAnimKnob*>(frame->getView(0)); }
    COnOffButton* toggle() const { return dynamic_cast<COnOffButton*>(frame->getView(1)); }

    std::unique_ptr<HostWindow> host;
    RecordingEditor editor;
    RecordingListener listener;
    CFrame* frame = nullptr;
};

} // namespace testsupport
