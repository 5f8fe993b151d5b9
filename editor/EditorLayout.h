#pragma once

#include "editor/ControlLayout.h"

#include <cstdint>

// One editor's control table, model boxes and font size at its window size. Each editor keeps
// its own, so that editors open side by side at different sizes each draw and hit-test with
// theirs.
struct EditorLayout {
    static constexpr int32_t kReferenceWidth = 717; // the "Default" background's width
    static constexpr double kReferenceFontSize = 12;

    // The "Default" layout scaled to a background backgroundWidth pixels wide: every coordinate
    // c becomes floor(float(c) x s) with s = width / 717 in single precision, the font size
    // floor(s x 0.85 x 12). The "Default" width copies the base values unchanged.
    static EditorLayout scaledTo(int32_t backgroundWidth);

    ControlDesc controls[kNumControlTags];
    BaseRect modelBoxes[kNumModelBoxes];
    double fontSize;
};
