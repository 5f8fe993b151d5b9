#pragma once

// The window back ends' tests: one scene and one set of scenarios, and per back end (X11 or Win32)
// only the host's window, the input it sends, and how it reads the window's pixels.

#include "TestSupport.h"

#include "vstgui/CAnimKnob.h"
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
    virtual CPoint parentSize() = 0; // outer size, border included
    // The next size menu (Default, Large, Huge, separator) the frame pops up gets entry index chosen.
    virtual void answerNextMenu(CFrame& frame, int32_t index) = 0;
    virtual int childWindows() = 0;
    virtual bool pointerHeld() = 0; // a grab or capture left behind
    // A key pressed and released into the frame's text field: a character, or a VKEY_ code.
    virtual void key(CFrame& frame, int32_t character, unsigned char virt = 0) = 0;
    virtual void takeKeyboardFocus() = 0; // the user clicked into the host
};

// The scene: a gradient background, a knob (tag 3) and a switch (tag 7).
class WindowTest : public ::testing::Test {
public:
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

    std::unique_ptr<HostWindow> host;
    RecordingEditor editor;
    RecordingListener listener;
    CFrame* frame = nullptr;
};

} // namespace testsupport
