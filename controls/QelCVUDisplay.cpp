#include "controls/QelCVUDisplay.h"

#include "vstgui/CDrawContext.h"

#include <algorithm>

namespace VSTGUI {

namespace {

int32_t clampedSegmentCount(int32_t count)
{
    return std::clamp(count, 1, QelCVUDisplay::kMaxSegments);
}

} // namespace

QelCVUDisplay::QelCVUDisplay(const CRect& size, IControlListener* listener, int32_t tag, int32_t segmentCount,
                             int32_t min, int32_t max)
    : CControl(size, listener, tag, nullptr),
      segments(uint32_t(clampedSegmentCount(segmentCount)), kSegmentsCode),
      level(min),
      minLevel(min),
      maxLevel(max),
      positionIndex(0, kPositionIndexCode),
      segmentCount(clampedSegmentCount(segmentCount))
{
    // Unset segments count no positions, so that the records always add up to at most the
    // positions set: a meter whose every segment has been set once draws without a report.
    for (int32_t s = 0; s < this->segmentCount; ++s)
        segments.at(uint32_t(s)).index = s + 1;
}

QelCVUDisplay::~QelCVUDisplay()
{
    segments.release();
    positionIndex.release();
}

void QelCVUDisplay::setSegmentBitmap(CBitmap* bitmap, int32_t number, int32_t repeatCount, bool litIsLowerHalf)
{
    if (!bitmap || number < 1 || number > segmentCount || repeatCount < 1)
        return;
    VUSegment& segment = segments.at(uint32_t(number - 1));
    segment.bitmap = bitmap;
    segment.litIsLowerHalf = litIsLowerHalf;
    segment.index = number;
    segment.repeatCount = repeatCount;
    segment.width = int32_t(bitmap->getWidth());
    segment.height = int32_t(bitmap->getHeight());
    segment.litOffset = litIsLowerHalf ? CPoint(0, segment.height / 2) : CPoint(0, 0);
    segment.unlitOffset = litIsLowerHalf ? CPoint(0, 0) : CPoint(0, segment.height / 2);
    // Saturating: beyond the array limit the index is refused anyway, and the sum must not wrap.
    totalPositions = int32_t(std::min<int64_t>(int64_t(totalPositions) + repeatCount, INT32_MAX));
    rebuildSegmentIndex();
}

void QelCVUDisplay::setSegmentBitmap(const VUSegment& segment)
{
    setSegmentBitmap(segment.bitmap, segment.index, segment.repeatCount, segment.litIsLowerHalf);
}

int32_t QelCVUDisplay::setIntValue(int32_t value)
{
    level = std::min(std::max(value, minLevel), maxLevel);
    return level;
}

void QelCVUDisplay::rebuildSegmentIndex()
{
    positionIndex.release();
    positionIndex.allocate(uint32_t(totalPositions));
    // Only as far as the index reaches: positions past it have nowhere to go.
    uint32_t p = 0;
    for (int32_t s = 0; s < segmentCount; ++s)
        for (int32_t r = 0; r < segments.at(uint32_t(s)).repeatCount && p < positionIndex.size(); ++r)
            positionIndex.at(p++) = s;
}

void QelCVUDisplay::draw(CDrawContext* context)
{
    if (segments.size() != 0 && totalPositions != 0 && segmentCount != 0) {
        const int64_t lit = std::clamp<int64_t>(int64_t(level) - minLevel, 0, totalPositions);
        const CRect& r = getViewSize();
        CCoord x = r.left;
        // The positions the index holds: all of them unless their number passed the array limit.
        const uint32_t positions = std::min(uint32_t(totalPositions), positionIndex.size());
        for (uint32_t i = 0; i < positions; ++i) {
            const VUSegment& segment = segments.at(uint32_t(positionIndex.at(i)));
            if (!segment.bitmap)
                continue;
            segment.bitmap->draw(context, CRect(x, r.top, x + segment.width, r.bottom),
                                 int64_t(i) < lit ? segment.litOffset : segment.unlitOffset, 1.f);
            x += segment.width;
        }
    }
    setDirty(false);
}

} // namespace VSTGUI
