#pragma once

// Scalar types, results and enumerations shared by the toolkit.

#include <cstdint>

namespace VSTGUI {

using CCoord = double;
using IdStringPtr = const char*;
using UTF8StringPtr = const char*;

enum CMouseEventResult : int32_t {
    kMouseEventNotImplemented = 0,
    kMouseEventHandled = 1,
    kMouseEventNotHandled = 2,
    kMouseDownEventHandledButDontNeedMovedOrUpEvents = 3,
};

enum CMessageResult : int32_t {
    kMessageUnknown = 0,
    kMessageNotified = 1,
};

enum CHoriTxtAlign : int32_t {
    kLeftText = 0,
    kCenterText,
    kRightText,
};

enum CDrawStyle : int32_t {
    kDrawStroked = 0,
    kDrawFilled,
    kDrawFilledAndStroked,
};

enum CKnobMode : int32_t {
    kCircularMode = 0,
    kRelativCircularMode,
    kLinearMode,
};

enum CMouseWheelAxis : int32_t {
    kMouseWheelAxisX = 0,
    kMouseWheelAxisY,
};

// Which back end CFrame::open uses. The default native type shows the frame in the host's window;
// the offscreen type paints into memory only (tests, and any open without a parent window).
enum class PlatformType : int32_t {
    kDefaultNative = 0,
    kOffscreen,
};

} // namespace VSTGUI
