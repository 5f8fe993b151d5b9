#include "controls/QelCVUDisplay.h"

#include "ControlsTestSupport.h"

// A meter of three segments from level 5 at (10, 10); segment kind k is 4 pixels wide, unlit
// (40 k, 0, 0) in its upper half and lit (0, 80 k, 0) below.
struct MeterRig : testsupport::OffscreenRig {
    MeterRig() { frame->addView(meter); }
    // Per position from the left: the kind's digit when lit, its letter ('a' for 1) when unlit.
    std::string shown()
    {
        frame->invalid();
        frame->idle();
        std::string states;
        for (CColor c; (c = backEnd->getPixel(int(11 + 4 * states.size()), 15)) != kBlackCColor;)
            states += c.green ? char('0' + c.green / 80) : char('a' + c.red / 40 - 1);
        return states;
    }
    static SharedPointer<CBitmap> kind(uint8_t k) { return stacked(4, 20, CColor(40 * k, 0, 0, 255), CColor(0, 80 * k, 0, 255)); }
    std::vector<SharedPointer<CBitmap>> bitmaps{kind(1), kind(2), kind(3)}; // borrowed by the meter
    QelCVUDisplay* meter = new QelCVUDisplay(CRect(10, 10, 200, 20), nullptr, 0, 3, 5, 100);
    MessageBoxRecorder boxes;
};

TEST(LevelMeter, LightsTheFirstLevelMinusMinPositionsAcrossSegmentsCountingEveryPositionSetWithinBounds)
{
    for (auto [count, clamped] : {std::pair{0, 1}, {20, 16}})
        EXPECT_EQ(QelCVUDisplay(CRect(), nullptr, 0, count, 0, 1).segmentCount, clamped);
    // Min, max, value, level.
    for (auto [min, max, value, level] :
         {std::tuple{0, 10, -3, 0}, {0, 10, 11, 10}, {10, 0, 5, 0}, {INT_MIN, INT_MAX, INT_MAX, INT_MAX}})
        EXPECT_EQ(QelCVUDisplay(CRect(), nullptr, 0, 1, min, max).setIntValue(value), level);
    MeterRig rig;
    auto* copy = static_cast<QelCVUDisplay*>(rig.meter->newCopy()); // with records of its own: no double release
    copy->segments.at(0).repeatCount = 1;
    copy->forget();
    // Segment number set (-1: none), its repeat count, the level, then what the meter shows. The third
    // segment's lit state is its upper half. Unset segments take no positions; a segment set again
    // counts both its repeat counts, the surplus positions being the first segment's.
    for (auto [number, repeat, level, shown] :
         {std::tuple{3, 1, 6, "c"}, {2, 3, 6, "2bb3"}, {1, 10, 17, "111111111122b3"}, {-1, 0, 5, "aaaaaaaaaabbb3"},
          {-1, 0, 19, "1111111111222c"}, {0, 1, 19, "1111111111222c"}, {4, 1, 19, "1111111111222c"}, {2, 0, 19, "1111111111222c"},
          {1, 1, 8, "122b3aaaaaaaaaa"}}) {
        if (number != -1)
            rig.meter->setSegmentBitmap(rig.bitmaps[size_t(std::clamp(number, 1, 3) - 1)], number, repeat, number != 3);
        rig.meter->setIntValue(level);
        EXPECT_EQ(rig.shown(), shown) << number << " " << repeat << " " << level;
    }
    rig.meter->setSegmentBitmap(nullptr, 2, 1, true);
    EXPECT_EQ(std::pair(rig.shown(), shownBoxes.size()), std::pair(std::string("122b3aaaaaaaaaa"), size_t(0)));
    rig.meter->setSegmentBitmap(rig.bitmaps[1], 2, INT_MAX, true); // past the array limit: refused, one report each
    rig.meter->setSegmentBitmap(rig.bitmaps[2], 3, INT_MAX, true);
    EXPECT_EQ(std::pair(rig.shown(), shownBoxes.size()), std::pair(std::string(), size_t(2)));
}
