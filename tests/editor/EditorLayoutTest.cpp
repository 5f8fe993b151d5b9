#include "editor/EditorLayout.h"

#include <gtest/gtest.h>

#include <array>

namespace {

std::array<double, 4> corners(const ControlDesc& c)
{
    return {double(c.left), double(c.top), double(c.right), double(c.bottom)};
}
std::array<double, 4> corners(const BaseRect& r)
{
    return {r.left, r.top, r.right, r.bottom};
}

// The knobs' places at each size are checked where the editor opens; here what only the layout
// holds: the logo area, the model boxes and the font size.
TEST(EditorLayout, ScalesTheDefaultLayoutToEachWindowSize)
{
    const struct {
        int32_t width;
        std::array<double, 4> logo, modelBox7;
        double fontSize;
    } sizes[] = {{717, {57, 204, 225, 270}, {453, 255, 516, 267}, 12},
                 {956, {76, 272, 300, 360}, {604, 340, 688, 356}, 13},
                 {1434, {114, 408, 450, 540}, {906, 510, 1032, 534}, 20}};
    for (const auto& e : sizes) {
        const EditorLayout layout = EditorLayout::scaledTo(e.width);
        EXPECT_EQ(corners(layout.controls[kSplashTag]), e.logo) << e.width;
        EXPECT_EQ(corners(layout.modelBoxes[7]), e.modelBox7) << e.width;
        EXPECT_EQ(layout.fontSize, e.fontSize) << e.width;
    }
}

} // namespace
