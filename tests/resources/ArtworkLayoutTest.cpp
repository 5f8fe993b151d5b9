#include "editor/ControlLayout.h"
#include "tools/artwork-gen/Drawing.h"
#include "tools/artwork-gen/FontFaces.h"
#include "tools/artwork-gen/PanelArt.h"
#include "tools/artwork-gen/PanelScale.h"

#include <gtest/gtest.h>

#include <cairo.h>

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

} // namespace
