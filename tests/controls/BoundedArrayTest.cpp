#include "controls/BoundedArray.h"

#include "MessageBoxRecorder.h"

#include <gtest/gtest.h>

namespace {

std::string indexReport(const char* numbers)
{
    return std::string("Error|Index out of range ") + numbers + "|4112";
}

TEST(BoundedArray, AFaultyIndexIsReportedAndGetsAZeroedSpareElementNeverAnotherElement)
{
    MessageBoxRecorder boxes;
    // Size, code, index, the report (none for a good index or an empty array).
    for (auto [size, code, index, report] :
         {std::tuple{4u, uint8_t(7), 3u, std::string()}, {4u, uint8_t(7), 4u, indexReport("[4] / max: 4 (Code: 7)")},
          {4u, uint8_t(255), 0xFFFFFFFFu, indexReport("[4294967295] / max: 4 (Code: 255)")},
          {0u, uint8_t(7), 0u, std::string()}, {0u, uint8_t(7), 9u, std::string()}}) {
        BoundedArray<int32_t> array(size, code);
        for (uint32_t i = 0; i < array.size(); ++i)
            array.at(i) = int32_t(10 + i);
        boxes.shown().clear();
        int32_t& element = array.at(index);
        const bool good = index < size;
        EXPECT_EQ(element, good ? int32_t(10 + index) : 0);
        element = -1;
        EXPECT_EQ(boxes.shown(), report.empty() ? std::vector<std::string>{} : std::vector<std::string>{report});
        for (uint32_t i = 0; i < array.size(); ++i)
            EXPECT_EQ(array.at(i), i == index ? -1 : int32_t(10 + i));
        if (!good) {
            EXPECT_EQ(array.at(index), 0); // zeroed again
        }
    }
}

TEST(BoundedArray, SizesFromTheLimitOnAreRefusedAndOnlyAReleasedArrayAllocatesAgain)
{
    MessageBoxRecorder boxes;
    BoundedArray<int32_t> fits(kBoundedArrayMax - 1, 3);
    EXPECT_EQ(fits.size(), 219999u);
    EXPECT_EQ(fits.getByteSize(), 219999u * 4);
    for (uint32_t refused : {kBoundedArrayMax, 0xFFFFFFFFu}) {
        BoundedArray<int32_t> array(refused, 3);
        EXPECT_EQ(array.size(), 0u);
        array.at(0) = 5;
        EXPECT_EQ(array.at(0), 0);
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

} // namespace
