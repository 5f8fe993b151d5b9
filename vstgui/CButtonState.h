#pragma once

#include <cstdint>

namespace VSTGUI {

enum CButton : int32_t {
    kLButton = 1 << 1,
    kMButton = 1 << 2,
    kRButton = 1 << 3,
    kShift = 1 << 4,
    kControl = 1 << 5,
    kAlt = 1 << 6,
    kApple = 1 << 7,
    kButton4 = 1 << 8,
    kButton5 = 1 << 9,
    kDoubleClick = 1 << 10,
};

inline constexpr int32_t kButtonMask = kLButton | kMButton | kRButton | kButton4 | kButton5;
inline constexpr int32_t kModifierMask = kShift | kControl | kAlt | kApple;
// Control+click restores a control's default value; Shift slows a knob drag down.
inline constexpr int32_t kDefaultValueModifier = kControl;
inline constexpr int32_t kZoomModifier = kShift;

// Mouse buttons and modifier keys of one event.
class CButtonState {
public:
    constexpr CButtonState(int32_t state = 0) : state(state) {}

    constexpr int32_t getButtonState() const { return state & kButtonMask; }
    constexpr int32_t getModifierState() const { return state & kModifierMask; }
    constexpr bool isLeftButton() const { return (state & kLButton) != 0; }
    constexpr bool isRightButton() const { return (state & kRButton) != 0; }
    constexpr bool isDoubleClick() const { return (state & kDoubleClick) != 0; }

    constexpr int32_t operator()() const { return state; }
    constexpr int32_t operator&(int32_t mask) const { return state & mask; }
    constexpr CButtonState operator|(int32_t bits) const { return CButtonState(state | bits); }
    constexpr bool operator==(const CButtonState& other) const = default;

private:
    int32_t state;
};

} // namespace VSTGUI
