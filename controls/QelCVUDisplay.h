#pragma once

#include "controls/BoundedArray.h"
#include "controls/VUSegment.h"
#include "vstgui/CControl.h"

namespace VSTGUI {

// A level meter: an integer level shown as a row of bitmap segments from the left, the first
// level - minLevel positions lit. Each of up to 16 segment kinds has a two-state bitmap and a
// repeat count (positions in a row). Display only; the client redraws it after setting the level.
// User-interface thread only.
class QelCVUDisplay : public CControl {
public:
    static constexpr int32_t kMaxSegments = 16;
    static constexpr uint8_t kSegmentsCode = 3;
    static constexpr uint8_t kPositionIndexCode = 4;

    // segmentCount is clamped to 1..16; the level starts at min.
    QelCVUDisplay(const CRect& size, IControlListener* listener, int32_t tag, int32_t segmentCount, int32_t min,
                  int32_t max);
    // A copy owns copies of the segment records and the position index.
    QelCVUDisplay(const QelCVUDisplay& other) = default;
    ~QelCVUDisplay() override;

    // Sets segment number (1-based) to bitmap (borrowed), repeated repeatCount times; ignored
    // without a bitmap, for a number outside 1..segmentCount or a count below 1. Every call adds
    // its count to the positions, even for a segment set before.
    void setSegmentBitmap(CBitmap* bitmap, int32_t number, int32_t repeatCount, bool litIsLowerHalf);
    void setSegmentBitmap(const VUSegment& segment);
    // Stores value within [minLevel, maxLevel] (maxLevel when they cross) and returns it.
    int32_t setIntValue(int32_t value);
    int32_t getIntValue() const { return level; }

    CView* newCopy() const override { return new QelCVUDisplay(*this); }
    void draw(CDrawContext* context) override;

    BoundedArray<VUSegment> segments;
    int32_t level;
    int32_t minLevel;
    int32_t maxLevel;
    BoundedArray<int32_t> positionIndex;
    int32_t segmentCount;
    int32_t totalPositions = 0;

private:
    void rebuildSegmentIndex();
};

} // namespace VSTGUI
