#include "controls/BoundedArray.h"

#include "ControlsTestSupport.h"

#include <gtest/gtest.h>

TEST(BoundedArray, AFaultyIndexIsReportedAndGetsAZeroedSpareElementNeverAnotherElement)
{
    MessageBoxRecorder boxes;
    // Size, code, index, the report's numbers (none for a good index or an empty array).
    for (auto [size, code, index, report] :
         {std::tuple{4u, uint8_t(7), 3u, ""}, {4u, uint8_t(7), 4u, "[4] / max: 4 (Code: 7)"},
          {4u, uint8_t(255), 0xFFFFFFFFu, "[4294967295] / max: 4 (Code: 255)"}, {0u, uint8_t(7), 0u, ""}}) {
        BoundedArray<int32_t> array(size, code);
        for (uint32_t i = 0; i < array.size(); ++i)
            array.at(i) = int32_t(10 + i);
        boxes.shown().clear();
        array.at(index) = -1;
        EXPECT_EQ(boxes.shown(), *report ? std::vector<std::string>{std::string("Error|Index out of range ") + report + "|4112"}
                                         : std::vector<std::string>{});
        for (uint32_t i = 0; i < array.size(); ++i)
            EXPECT_EQ(array.at(i), i == index ? -1 : int32_t(10 + i));
        EXPECT_EQ(array.at(index), index < size ? -1 : 0); // the spare element zeroed again
    }
}

TEST(BoundedArray, SizesFromTheLimitOnAreRefusedAndOnlyAReleasedArrayAllocatesAgain)
{
    MessageBoxRecorder boxes;
    // Size asked, size given.
    for (auto [asked, given] : {std::pair{219999u, 219999u}, {220000u, 0u}, {0xFFFFFFFFu, 0u}}) {
        BoundedArray<int32_t> array(asked, 3);
        array.at(0) = 5;
        EXPECT_EQ(std::tuple(array.size(), array.getByteSize(), array.at(0)), std::tuple(given, given * 4, given ? 5 : 0));
    }
    EXPECT_EQ(boxes.shown(), (std::vector<std::string>{"Error|Array max size exceeded [220000] / max: 220000 (Code: 3)|4112",
                                                       "Error|Array max size exceeded [4294967295] / max: 220000 (Code: 3)|4112"}));
    BoundedArray<int32_t> array(2, 1);
    array.allocate(8);
    EXPECT_EQ(array.size(), 2u);
    array.release();
    array.allocate(8);
    EXPECT_EQ(array.size(), 8u);
}
