#pragma once

#include "vstgui/CBitmap.h"
#include "vstgui/CPoint.h"

#include <cstdint>

namespace VSTGUI {

// One segment kind of a QelCVUDisplay: its two-state bitmap (borrowed) and how many positions in
// a row use it.
struct VUSegment {
    int32_t index = 0; // 1-based
    int32_t repeatCount = 0;
    CBitmap* bitmap = nullptr; // null: its positions are skipped and take no room
    bool litIsLowerHalf = false;
    int32_t width = 0;
    int32_t height = 0;
    CPoint litOffset;
    CPoint unlitOffset;
};

} // namespace VSTGUI
