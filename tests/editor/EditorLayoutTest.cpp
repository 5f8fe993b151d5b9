#include "editor/EditorLayout.h"
#include "engine/ParamIndex.h"

#include <gtest/gtest.h>

#include <array>
#include <utility>

namespace {

struct Expected {
    int32_t width;
    int32_t pitchCoarse[2]; // left, top
    BaseRect logo;
    BaseRect modelBox0;
    BaseRect modelBox7;
    double fontSize;
};

TEST(EditorLayout, ScalesTheDefaultLayoutToEachWindowSize)
{
    const Expected sizes[] = {
        {717, {72, 69}, {57, 204, 225, 270}, {375, 219, 438, 231}, {453, 255, 516, 267}, 12},
        {956, {96, 92}, {76, 272, 300, 360}, {500, 292, 584, 308}, {604, 340, 688, 356}, 13},
        {1434, {144, 138}, {114, 408, 450, 540}, {750, 438, 876, 462}, {906, 510, 1032, 534}, 20},
    };
    for (const Expected& e : sizes) {
        SCOPED_TRACE(e.width);
        const EditorLayout layout = EditorLayout::scaledTo(e.width);
        EXPECT_EQ(layout.controls[0].left, e.pitchCoarse[0]);
        EXPECT_EQ(layout.controls[0].top, e.pitchCoarse[1]);
        EXPECT_EQ(layout.controls[0].right, 0); // knobs take their size from the strip
        const ControlDesc& logo = layout.controls[kSplashTag];
        EXPECT_EQ((std::array{logo.left, logo.top, logo.right, logo.bottom}),
                  (std::array{int32_t(e.logo.left), int32_t(e.logo.top), int32_t(e.logo.right), int32_t(e.logo.bottom)}));
        for (const auto& [box, expected] : {std::pair{layout.modelBoxes[0], e.modelBox0}, {layout.modelBoxes[7], e.modelBox7}})
            EXPECT_EQ((std::array{box.left, box.top, box.right, box.bottom}),
                      (std::array{expected.left, expected.top, expected.right, expected.bottom}));
        EXPECT_EQ(layout.fontSize, e.fontSize);
        EXPECT_STREQ(layout.controls[kVolume].name, "Volume");
    }
}

} // namespace
