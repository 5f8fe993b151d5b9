#include "controls/BoundedArray.h"

#include "ControlsTestSupport.h"

#include <gtest/gtest.h>

TEST(BoundedArray, AFaultyIndexIsReportedAndGetsAZeroedSpareElementAndSizesFromTheLimitOnAreRefused)
{
    MessageBoxRecorder boxes;
    // Size, owner code, the index written, the box shown ("": none).
    for (auto [size, code, index, box] :
         {std::tuple{4u, 7, 3u, ""}, {4u, 7, 4u, "Index out of range [4] / max: 4 (Code: 7)"},
          {4u, 255, 0xFFFFFFFFu, "Index out of range [4294967295] / max: 4 (Code: 255)"}, {0u, 7, 0u, ""}, {219999u, 3, 219998u, ""},
          {220000u, 3, 0u, "Array max size exceeded [220000] / max: 220000 (Code: 3)"},
          {0xFFFFFFFFu, 3, 0u, "Array max size exceeded [4294967295] / max: 220000 (Code: 3)"}}) {
        shownBoxes.clear();
        BoundedArray<int32_t> array(size, uint8_t(code));
        for (uint32_t i = 0; i < std::min(array.size(), 8u); ++i)
            array.at(i) = int32_t(10 + i);
        array.at(index) = -1;
        EXPECT_EQ(shownBoxes, *box ? std::vector<std::string>{std::string("Error|") + box + "|4112"} : std::vector<std::string>()) << size;
        for (uint32_t i = 0; i < std::min(array.size(), 8u); ++i)
            EXPECT_EQ(array.at(i), i == index ? -1 : int32_t(10 + i));
        // A refused size leaves no elements; the spare element is zeroed again for each faulty access.
        EXPECT_EQ(std::tuple(array.size(), array.getByteSize(), array.at(index)),
                  std::tuple(size < 220000 ? size : 0, size < 220000 ? size * 4 : 0, index < size && size < 220000 ? -1 : 0));
    }
    BoundedArray<int32_t> array(2, 1);
    array.allocate(8);
    EXPECT_EQ(array.size(), 2u);
    array.release();
    array.allocate(8);
    EXPECT_EQ(array.size(), 8u);
}
