#include "controls/QelCMultiLedSwitch.h"

#include "tests/vstgui/TestSupport.h"

#include <gtest/gtest.h>

#include <limits>

using namespace VSTGUI;

namespace {

const CColor kUnlit(40, 0, 0, 255);
const CColor kLit(0, 255, 0, 255);
constexpr float kNaNf = std::numeric_limits<float>::quiet_NaN();

SharedPointer<CBitmap> ledBitmap()
{
    return makeOwned<CBitmap>(testsupport::makeBitmap(12, 24, [](int32_t, int32_t y) { return y < 12 ? kUnlit : kLit; }));
}

TEST(MultiLedSwitch, TheValueSelectsOneLedFromTheEndAndCountsBelowOneMeanNoLeds)
{
    // LEDs, value set (or LED selected when the value is negative), the value then, the lit LED.
    for (auto [leds, value, select, stored, lit] :
         {std::tuple{4, 0.f, -1, 0.f, 3}, {4, 0.5f, -1, 0.5f, 1}, {4, 1.f, -1, 1.f, 0}, {4, 0.5f, 0, 0.1f, 3},
          {4, 0.5f, 3, 0.85f, 0}, {10, 0.5f, 0, 0.1f, 8}, {10, 0.5f, 8, 0.9f, 0}, {10, 0.5f, 9, 0.9998f, 0},
          {4, 0.5f, -7, 0.f, 3}, {0, 0.5f, 2, 0.5f, -1}, {-3, 0.5f, 2, 0.5f, -1}}) {
        QelCMultiLedSwitch leds_(CRect(0, 0, 40, 10), nullptr, 0, nullptr, leds, 2);
        leds_.setValue(value);
        if (select != -1)
            leds_.setSelectedLed(select);
        EXPECT_FLOAT_EQ(leds_.getValue(), stored) << leds << " " << value << " " << select;
        EXPECT_EQ(leds_.getSelectedLed(), lit) << leds << " " << value << " " << select;
    }
    QelCMultiLedSwitch noMin(CRect(0, 0, 40, 10), nullptr, 0, nullptr, 4, 2);
    noMin.setMin(kNaNf);
    noMin.setValue(kNaNf); // a NaN minimum lets NaN in: it counts as 0
    EXPECT_EQ(noMin.getSelectedLed(), 3);
}

TEST(MultiLedSwitch, APressOrDragPicksTheLedUnderThePointerAndTheReleaseReportsIt)
{
    auto bitmap = ledBitmap(); // borrowed by the control: it outlives the rig
    testsupport::OffscreenRig rig;
    auto* leds = new QelCMultiLedSwitch(CRect(10, 10, 0, 0), &rig.listener, 4, bitmap, 5, 2); // 60 wide
    rig.frame->addView(leds);
    EXPECT_EQ(rig.backEnd->mouseDown(CPoint(20, 15), kRButton), kMouseEventNotHandled);
    EXPECT_EQ(rig.backEnd->mouseDown(CPoint(20, 15), kLButton | kRButton), kMouseEventNotHandled);
    EXPECT_EQ(rig.backEnd->mouseDown(CPoint(20, 15), kLButton | kShift), kMouseEventHandled);
    EXPECT_EQ(leds->getSelectedLed(), 0);
    // Pointer, LED: beyond either end the end's LED.
    for (auto [x, lit] : {std::pair{35, 2}, {-50, 0}, {69, 4}, {500, 4}, {45, 2}}) {
        EXPECT_EQ(rig.backEnd->mouseMoved(CPoint(x, 15), kLButton), kMouseEventHandled);
        EXPECT_EQ(leds->getSelectedLed(), lit) << x;
    }
    EXPECT_TRUE(rig.listener.calls.empty());
    rig.backEnd->mouseUp(CPoint(45, 15), kLButton);
    ASSERT_EQ(rig.listener.calls.size(), 1u);
    EXPECT_EQ(rig.listener.calls[0].tag, 4);
    EXPECT_EQ(rig.editor.editorBegins.size(), rig.editor.editorEnds.size());
    rig.frame->idle();
    EXPECT_EQ(rig.backEnd->getPixel(40, 15), kLit); // the lower half; the gallery shows the sizes
}

} // namespace
