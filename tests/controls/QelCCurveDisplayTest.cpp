#include "controls/QelCCurveDisplay.h"

#include "tests/vstgui/TestSupport.h"

#include <gtest/gtest.h>

using namespace VSTGUI;

namespace {

const CColor kBlue(0, 0, 200, 255);
const CColor kRed(200, 0, 0, 255);

struct CurveRig : testsupport::OffscreenRig {
    // A 100 x 40 display at (20, 20) over a plain background 40 high.
    QelCCurveDisplay* add(int32_t backgroundWidth, const CColor& colour, float value = 0.5f)
    {
        auto* display = new QelCCurveDisplay(CRect(20, 20, 120, 60), nullptr, 0, plain(backgroundWidth, colour));
        display->setValue(value);
        frame->addView(display);
        return display;
    }
    static SharedPointer<CBitmap> plain(int32_t width, const CColor& colour)
    {
        return makeOwned<CBitmap>(testsupport::makeBitmap(width, 40, [&](int32_t, int32_t) { return colour; }));
    }
    // The mean row, within the display, of the pixels in its column 50 that differ from the
    // background; -1 when none does. Its top left corner must show the background.
    double curveRow(const CColor& background)
    {
        frame->idle();
        EXPECT_EQ(backEnd->getPixel(22, 22), background);
        double sum = 0, count = 0;
        for (int32_t y = 0; y < 40; ++y)
            if (backEnd->getPixel(70, 20 + y) != background)
                sum += y, ++count;
        return count ? sum / count : -1;
    }
};

TEST(CurveDisplay, TheValueBendsTheCurveOverItsBackgroundAndTheStrokeStyleChoosesTheLine)
{
    CurveRig rig;
    // A larger value bends the curve up towards the upper left corner.
    for (auto [value, lowest, highest] : {std::tuple{1.f, 4., 12.}, {0.5f, 17., 23.}, {0.f, 30., 37.}}) {
        rig.frame->removeAll();
        const double row = rig.curveRow((rig.add(100, kBlue, value), kBlue));
        EXPECT_TRUE(row >= lowest && row <= highest) << value << ": row " << row;
    }
    auto* display = static_cast<QelCCurveDisplay*>(rig.frame->getView(0));
    for (auto [style, lineStyle] : {std::pair{1, 1}, {3, 3}, {2, 2}, {0, 2}, {4, 2}, {-1, 2}}) {
        display->strokeStyle = style;
        display->invalid();
        rig.frame->idle();
        EXPECT_EQ(display->canvas->lineStyle, lineStyle) << style;
    }
}

TEST(CurveDisplay, AWidthNotAMultipleOfFourKeepsTheCanvasWhichThenLeavesTheBackgroundAloneOthersReplaceItAndCopiesDrawThemselves)
{
    CurveRig rig;
    EXPECT_EQ(rig.curveRow((rig.add(102, kRed), kRed)), -1);
    QelCCurveDisplay* replaced = rig.add(100, kBlue);
    const RasterCanvas* canvas = replaced->canvas.get();
    rig.frame->idle();
    replaced->setBitmap(nullptr);
    replaced->setBitmap(CurveRig::plain(102, kRed));
    EXPECT_EQ(replaced->canvas.get(), canvas);
    EXPECT_EQ(rig.curveRow(kRed), -1);
    replaced->setBitmap(CurveRig::plain(100, kRed));
    EXPECT_NE(rig.curveRow(kRed), -1);

    rig.frame->removeAll();
    QelCCurveDisplay* original = rig.add(100, kBlue);
    auto* copy = static_cast<QelCCurveDisplay*>(original->newCopy());
    rig.frame->removeView(original);
    rig.frame->addView(copy);
    const double row = rig.curveRow(kBlue);
    EXPECT_TRUE(row >= 17 && row <= 23) << row;
}

} // namespace
