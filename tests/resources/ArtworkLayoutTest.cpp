#include "editor/ControlLayout.h"
#include "tools/artwork-gen/Drawing.h"
#include "tools/artwork-gen/FontFaces.h"
#include "tools/artwork-gen/KnobArt.h"
#include "tools/artwork-gen/PanelArt.h"
#include "tools/artwork-gen/PanelScale.h"

#include <gtest/gtest.h>

#include <cairo.h>

#include <cstdint>
#include <functional>
#include <vector>

using namespace artwork;

namespace {

constexpr int kWindowWidths[] = {717, 956, 1434};

bool overlaps(const TextBox& a, const TextBox& b)
{
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

// What the controls draw over the panel: knobs, and the LED or button of every switch and model box.
std::vector<TextBox> controlBoxes(const PanelScale& scale)
{
    std::vector<TextBox> boxes;
    const double knob = scale.size(42);
    const double led = scale.size(12);
    for (int tag = 0; tag < kNumControlTags; ++tag) {
        const double left = scale.px(controlBaseRects[tag].left);
        const double top = scale.px(controlBaseRects[tag].top);
        const int32_t type = controlLayout[tag].type;
        if (type == kControlKnob)
            boxes.push_back({left, top, left + knob, top + knob});
        else if (type == kControlLedSwitch || type == kControlButtonSwitch)
            boxes.push_back({left, top, left + led, top + led});
    }
    for (const BaseRect& box : modelBoxBaseRects) {
        const double left = scale.px(box.left);
        const double top = scale.px(box.top);
        boxes.push_back({left, top, left + led, top + led});
    }
    return boxes;
}

// Every text of the panel stays legible and clear of every other text and of every control.
TEST(ArtworkLayout, PanelTextsOverlapNothingAndStayLegible)
{
    FontFaces fonts(ZARN_FONT_DIR);
    ASSERT_TRUE(fonts.ok());
    for (int width : kWindowWidths) {
        SCOPED_TRACE(width);
        const PanelScale scale(width);
        const int height = scale.size(kDefaultHeight);
        cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
        cairo_t* cr = cairo_create(surface);
        applyTextOptions(cr);
        std::vector<TextBox> texts;
        logTexts(cr, &texts);
        paintPanel(cr, scale, fonts);
        cairo_destroy(cr);
        cairo_surface_destroy(surface);

        ASSERT_GE(texts.size(), 40u);
        const std::vector<TextBox> controls = controlBoxes(scale);
        for (size_t i = 0; i < texts.size(); ++i) {
            const TextBox& text = texts[i];
            SCOPED_TRACE(testing::Message() << "text at " << text.left << ", " << text.top);
            EXPECT_GE(text.left, 0.0);
            EXPECT_GE(text.top, 0.0);
            EXPECT_LE(text.right, width);
            EXPECT_LE(text.bottom, height);
            EXPECT_GE(text.bottom - text.top, 5.0 * scale.factor);
            for (size_t j = i + 1; j < texts.size(); ++j)
                EXPECT_FALSE(overlaps(text, texts[j]))
                    << "and text at " << texts[j].left << ", " << texts[j].top;
            for (const TextBox& control : controls)
                EXPECT_FALSE(overlaps(text, control))
                    << "and control at " << control.left << ", " << control.top;
        }
    }
}

// Counts the strip frame's pixels that satisfy test, within the region that inside selects
// (coordinates relative to the knob's centre, in knob diameters).
int countPixels(cairo_surface_t* strip, int size, int frame,
                const std::function<bool(double, double)>& inside,
                const std::function<bool(int, int, int)>& test)
{
    const unsigned char* data = cairo_image_surface_get_data(strip);
    const int stride = cairo_image_surface_get_stride(strip);
    int count = 0;
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            if (!inside((x + 0.5) / size - 0.5, (y + 0.5) / size - 0.5))
                continue;
            const auto pixel = *reinterpret_cast<const uint32_t*>(data + (frame * size + y) * stride + 4 * x);
            count += test(int(pixel >> 16 & 0xFF), int(pixel >> 8 & 0xFF), int(pixel & 0xFF)) ? 1 : 0;
        }
    return count;
}

// The value reads at a glance: the lit arc grows clockwise from lower left to lower right and the
// pointer stands up at the middle of the range.
TEST(ArtworkLayout, KnobFramesLightTheArcFromLowerLeftToLowerRight)
{
    const auto accent = [](int red, int green, int blue) { return red > 200 && green < 170 && blue < 100; };
    const auto white = [](int red, int green, int blue) { return red > 220 && green > 220 && blue > 220; };
    const auto lowerLeft = [](double x, double y) { return x < 0.0 && y > 0.25; };
    const auto lowerRight = [](double x, double y) { return x > 0.0 && y > 0.25; };
    const auto anywhere = [](double, double) { return true; };
    const auto aboveCentre = [](double x, double y) { return y < -0.1 && x > -0.1 && x < 0.1; };
    for (int size : {42, 56, 84}) {
        SCOPED_TRACE(size);
        cairo_surface_t* strip = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, size, size * kKnobFrames);
        cairo_t* cr = cairo_create(strip);
        paintKnobStrip(cr, size);
        cairo_destroy(cr);
        cairo_surface_flush(strip);

        EXPECT_EQ(countPixels(strip, size, 0, anywhere, accent), 0);
        EXPECT_GT(countPixels(strip, size, 31, lowerLeft, accent), 0);
        EXPECT_EQ(countPixels(strip, size, 31, lowerRight, accent), 0);
        EXPECT_GT(countPixels(strip, size, 31, aboveCentre, white), 0);
        EXPECT_EQ(countPixels(strip, size, 0, aboveCentre, white), 0);
        EXPECT_GT(countPixels(strip, size, 62, lowerRight, accent), 0);
        cairo_surface_destroy(strip);
    }
}

} // namespace
