#include "controls/QelCVUDisplay.h"

#include "ControlsTestSupport.h"
#include "tests/vstgui/TestSupport.h"

#include <gtest/gtest.h>

#include <climits>

using namespace VSTGUI;

// Segment kinds 1 to 3, each 4 pixels wide: unlit (40 k, 0, 0) in the upper half, lit (0, 80 k, 0) below.
struct MeterRig : testsupport::OffscreenRig {
    MeterRig()
    {
        for (int k = 1; k <= 3; ++k)
            bitmaps.push_back(makeOwned<CBitmap>(testsupport::makeBitmap(
                4, 20, [k](int32_t, int32_t y) { return y < 10 ? CColor(uint8_t(40 * k), 0, 0, 255) : CColor(0, uint8_t(80 * k), 0, 255); })));
        frame->addView(meter);
    }
    // Per position from the left: the kind's digit when lit, its letter ('a' for 1) when unlit.
    std::string shown()
    {
        frame->invalid();
        frame->idle();
        std::string states;
        for (int x = 11; backEnd->getPixel(x, 15) != kBlackCColor; x += 4) {
            const CColor c = backEnd->getPixel(x, 15);
            states += c.green ? char('0' + c.green / 80) : char('a' + c.red / 40 - 1);
        }
        return states;
    }
    std::vector<SharedPointer<CBitmap>> bitmaps; // borrowed by the meter
    QelCVUDisplay* meter = new QelCVUDisplay(CRect(10, 10, 200, 20), nullptr, 0, 3, 5, 100);
    MessageBoxRecorder boxes;
};

TEST(LevelMeter, LightsTheFirstLevelMinusMinPositionsAcrossSegmentsWithoutAReport)
{
    MeterRig rig;
    // Set last to first: unset segments take no positions meanwhile.
    rig.meter->setSegmentBitmap(rig.bitmaps[2], 3, 1, true);
    rig.meter->setSegmentBitmap(rig.bitmaps[1], 2, 3, true);
    rig.meter->setIntValue(6);
    EXPECT_EQ(rig.shown(), "2bbc");
    rig.meter->setSegmentBitmap(rig.bitmaps[0], 1, 10, true);
    // Level, positions lit.
    for (auto [level, shown] : {std::pair{17, "111111111122bc"}, {5, "aaaaaaaaaabbbc"}, {-40, "aaaaaaaaaabbbc"},
                                {19, "11111111112223"}, {99, "11111111112223"}}) {
        rig.meter->setIntValue(level);
        EXPECT_EQ(rig.shown(), shown) << level;
    }
    EXPECT_TRUE(rig.boxes.shown().empty());
    // A copy has its own records: both go without a double release.
    auto* copy = static_cast<QelCVUDisplay*>(rig.meter->newCopy());
    copy->segments.at(0).repeatCount = 0;
    copy->forget();
    EXPECT_EQ(rig.shown(), "11111111112223");
}

TEST(LevelMeter, BadArgumentsChangeNothingEverySetCountsItsPositionsAndLevelsAreBounded)
{
    MeterRig rig;
    rig.meter->setSegmentBitmap(rig.bitmaps[0], 1, 2, false);
    rig.meter->setIntValue(6);
    EXPECT_EQ(rig.shown(), "a1"); // lit in the upper half: the first position shows that half
    for (auto [bitmap, number, repeat] : {std::tuple{rig.bitmaps[1].get(), 0, 1}, {rig.bitmaps[1].get(), 4, 1},
                                         {rig.bitmaps[1].get(), 2, 0}, {nullptr, 2, 1}})
        rig.meter->setSegmentBitmap(bitmap, number, repeat, true);
    EXPECT_EQ(rig.shown(), "a1");
    // The first segment again: its three positions and the two counted before, the first segment's too.
    rig.meter->setSegmentBitmap(rig.bitmaps[0], 1, 3, true);
    rig.meter->setIntValue(8);
    EXPECT_EQ(rig.shown(), "111aa");
    EXPECT_TRUE(rig.boxes.shown().empty());
    for (auto [count, clamped] : {std::pair{0, 1}, {-5, 1}, {20, 16}})
        EXPECT_EQ(QelCVUDisplay(CRect(), nullptr, 0, count, 0, 1).segmentCount, clamped);
    // Min, max, value, level.
    for (auto [min, max, value, level] : {std::tuple{0, 10, -3, 0}, {0, 10, 11, 10}, {10, 0, 5, 0}, {INT_MIN, INT_MAX, INT_MAX, INT_MAX}})
        EXPECT_EQ(QelCVUDisplay(CRect(), nullptr, 0, 1, min, max).setIntValue(value), level);
    // Counts past the array limit: refused with one report each, nothing drawn, no endless loop.
    rig.meter->setIntValue(INT_MAX);
    rig.meter->setSegmentBitmap(rig.bitmaps[1], 2, INT_MAX, true);
    rig.meter->setSegmentBitmap(rig.bitmaps[2], 3, INT_MAX, true);
    EXPECT_EQ(rig.shown(), "");
    EXPECT_EQ(rig.boxes.shown().size(), 2u);
}
