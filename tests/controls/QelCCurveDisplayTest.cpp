#include "controls/QelCCurveDisplay.h"

#include "tests/vstgui/TestSupport.h"

#include <gtest/gtest.h>

using namespace VSTGUI;

namespace {

const CColor kBlue(0, 0, 200, 255), kRed(200, 0, 0, 255);

SharedPointer<CBitmap> plain(int32_t width, const CColor& colour)
{
    return makeOwned<CBitmap>(testsupport::makeBitmap(width, 40, [&](int32_t, int32_t) { return colour; }));
}

// The mean row of the pixels in column 50 of the 100 x 40 display at (20, 20) that differ from
// its background, -1 without any; its top left corner shows the background.
double curveRow(testsupport::OffscreenRig& rig, const CColor& background)
{
    rig.frame->idle();
    EXPECT_EQ(rig.backEnd->getPixel(22, 22), background);
    double sum = 0, count = 0;
    for (int32_t y = 0; y < 40; ++y)
        if (rig.backEnd->getPixel(70, 20 + y) != background)
            sum += y, ++count;
    return count ? sum / count : -1;
}

TEST(CurveDisplay, TheValueBendsTheCurveOverItsBackgroundWhichAloneShowsWhileTheCanvasIsKeptFromAnother)
{
    testsupport::OffscreenRig rig;
    auto* original = new QelCCurveDisplay(CRect(20, 20, 120, 60), nullptr, 0, plain(100, kBlue));
    rig.frame->addView(original);
    // A larger value bends the curve up towards the upper left corner.
    for (auto [value, lowest, highest] : {std::tuple{1.f, 4., 12.}, {0.5f, 17., 23.}, {0.f, 30., 37.}}) {
        original->setValue(value);
        const double row = curveRow(rig, kBlue);
        EXPECT_TRUE(row >= lowest && row <= highest) << value << ": row " << row;
    }
    auto* display = static_cast<QelCCurveDisplay*>(original->newCopy());
    rig.frame->removeView(original);
    rig.frame->addView(display);
    EXPECT_GT(curveRow(rig, kBlue), 29);
    for (auto [style, lineStyle] : {std::pair{1, 1}, {3, 3}, {0, 2}, {4, 2}}) {
        display->strokeStyle = style;
        display->invalid();
        rig.frame->idle();
        EXPECT_EQ(display->canvas->lineStyle, lineStyle) << style;
    }
    const RasterCanvas* canvas = display->canvas.get();
    display->setBitmap(nullptr);
    display->setBitmap(plain(102, kRed));
    EXPECT_EQ(display->canvas.get(), canvas);
    EXPECT_EQ(curveRow(rig, kRed), -1);
    display->setBitmap(plain(100, kRed));
    EXPECT_GT(curveRow(rig, kRed), 29);
}

} // namespace
