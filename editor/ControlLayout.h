#pragma once

#include <cstdint>

// Tags of the editor's controls: 0 to 21 are the parameter indices.
enum ControlTag : int32_t {
    kTapPadTag = 22,
    kSplashTag = 23,
    kNumControlTags = 24,
    kUISizeMenuTag = 99999,
};

enum ControlType : int32_t {
    kControlKnob = 0,
    kControlLedSwitch = 1,
    kControlButtonSwitch = 3,
    kControlModelSelector = 4,
    kControlSplash = 7,
    kControlTapPad = 11,
};

// One control of the editor: its rectangle in pixels of the current window size, its type and
// the name of the parameter it plays (empty for the tap pad and the logo area).
struct ControlDesc {
    int32_t left;
    int32_t top;
    int32_t right;
    int32_t bottom;
    int32_t type;
    char name[36];
};

static_assert(sizeof(ControlDesc) == 56);

struct BaseRect {
    double left;
    double top;
    double right; // 0 where the control takes its size from its picture
    double bottom;
};

// Indexed by ControlTag. The names are fixed; the editor writes the rectangles when it opens.
extern ControlDesc controlLayout[kNumControlTags];
// The rectangles at the "Default" window size.
extern const BaseRect controlBaseRects[kNumControlTags];

// The model selector's boxes at the "Default" window size; box i picks model i.
inline constexpr int32_t kNumModelBoxes = 8;
extern const BaseRect modelBoxBaseRects[kNumModelBoxes];
