#include "controls/BoundedArray.h"

#include "ControlsTestSupport.h"

TEST(BoundedArray, AFaultyIndexIsReportedAndGetsAZeroedSpareElementAndSizesFromTheLimitOnAreRefused)
{
    // Size, owner code, the index written, the box shown ("": none), the elements kept.
    for (auto [size, code, index, box, kept] :
         {std::tuple{4u, 7, 3u, "", 4u}, {4u, 7, 4u, "Index out of range [4] / max: 4 (Code: 7)", 4u}, {0u, 7, 9u, "", 0u},
          {4u, 255, 0xFFFFFFFFu, "Index out of range [4294967295] / max: 4 (Code: 255)", 4u}, {219999u, 3, 219998u, "", 219999u},
          {220000u, 3, 0u, "Array max size exceeded [220000] / max: 220000 (Code: 3)", 0u}}) {
        MessageBoxRecorder boxes;
        BoundedArray<int32_t> array(size, uint8_t(code));
        array.at(0) = 10;
        array.at(index) = -1; // into the spare element when faulty: no real element changes
        array.allocate(8);    // refused: sized once until released
        EXPECT_EQ(shownBoxes, *box ? std::vector<std::string>{std::string("Error|") + box + "|4112"} : std::vector<std::string>());
        EXPECT_EQ(std::tuple(array.size(), array.getByteSize(), array.at(0), array.at(index)),
                  std::tuple(kept, kept * 4, kept ? 10 : 0, index < kept ? -1 : 0)) << size << " " << index;
    }
}
