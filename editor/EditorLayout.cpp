#include "editor/EditorLayout.h"

#include <cmath>
#include <cstring>

namespace {

float scaleCoordinate(double base, float s)
{
    return std::floor(float(base) * s);
}

} // namespace

EditorLayout EditorLayout::scaledTo(int32_t backgroundWidth)
{
    EditorLayout layout{};
    std::memcpy(layout.controls, controlLayout, sizeof layout.controls);
    const bool scaled = backgroundWidth != kReferenceWidth;
    const float s = float(backgroundWidth) / float(kReferenceWidth);
    for (int32_t tag = 0; tag < kNumControlTags; ++tag) {
        const BaseRect& base = controlBaseRects[tag];
        ControlDesc& control = layout.controls[tag];
        control.left = int32_t(scaled ? scaleCoordinate(base.left, s) : base.left);
        control.top = int32_t(scaled ? scaleCoordinate(base.top, s) : base.top);
        control.right = int32_t(scaled ? scaleCoordinate(base.right, s) : base.right);
        control.bottom = int32_t(scaled ? scaleCoordinate(base.bottom, s) : base.bottom);
    }
    for (int32_t box = 0; box < kNumModelBoxes; ++box) {
        const BaseRect& base = modelBoxBaseRects[box];
        layout.modelBoxes[box] = scaled ? BaseRect{scaleCoordinate(base.left, s), scaleCoordinate(base.top, s),
                                                   scaleCoordinate(base.right, s), scaleCoordinate(base.bottom, s)}
                                        : base;
    }
    layout.fontSize = scaled ? double(std::floor(s * 0.85f * 12.0f)) : kReferenceFontSize;
    return layout;
}
