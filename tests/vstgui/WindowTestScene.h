#pragma once

#include "TestSupport.h"

#include "vstgui/CAnimKnob.h"
#include "vstgui/CFrame.h"
#include "vstgui/COnOffButton.h"

#include <cstdint>
#include <vector>

namespace testsupport {

// The frame that the window tests show: a gradient background, a knob, a switch and a text.
struct WindowTestScene {
    static constexpr CCoord kWidth = 160;
    static constexpr CCoord kHeight = 100;
    static constexpr int32_t kKnobTag = 3;
    static constexpr int32_t kSwitchTag = 7;
    static const CRect kKnobRect;
    static const CRect kSwitchRect;

    // A closed frame holding the scene; the listener hears its controls.
    static CFrame* makeFrame(RecordingEditor& editor, IControlListener& listener);
    static CAnimKnob* knobOf(CFrame* frame);
    static COnOffButton* switchOf(CFrame* frame);
};

// The same frame painted offscreen: premultiplied BGRA rows, as every back end shows them.
std::vector<uint8_t> offscreenPixelsOfScene();

} // namespace testsupport

namespace testsupport {

// The window tests run only where the test stage has prepared a window system and says so in
// $ZARN_WINDOW_TESTS: on Linux the X display to use (never the developer's own), under wine
// any value (the build's prefix has the null graphics driver). Null when unset: skip.
const char* windowTestSetting();

} // namespace testsupport
