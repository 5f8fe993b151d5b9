#include "controls/QelCMultiLedSwitch.h"

#include "ControlsTestSupport.h"

TEST(MultiLedSwitch, TheValueOrSelectingQuietlyLightsOneLedFromTheEndAndAPressOrDragPicksTheOneUnderThePointer)
{
    testsupport::RecordingListener listener;
    // LEDs, value set (NaN: let in by a NaN minimum), LED selected (-1: none), the value after drawing, the lit LED.
    for (auto [leds, value, select, stored, lit] :
         {std::tuple{4, 0.f, -1, 0.f, 3}, {4, 0.5f, -1, 0.5f, 1}, {4, 1.f, -1, 0.9998f, 0}, {4, 0.5f, 0, 0.1f, 3},
          {4, 0.5f, 3, 0.85f, 0}, {10, 0.5f, 0, 0.1f, 8}, {10, 0.5f, 8, 0.9f, 0}, {10, 0.5f, 9, 0.9998f, 0}, {4, 0.5f, -7, 0.f, 3},
          {0, 0.5f, 2, 0.5f, -1}, {4, kNaN, -1, 0.f, 3}}) {
        QelCMultiLedSwitch leds_(CRect(0, 0, 40, 10), &listener, 0, nullptr, leds, 2);
        leds_.setMin(std::min(value, 0.f));
        leds_.setValue(value);
        if (select != -1)
            leds_.setSelectedLed(select);
        EXPECT_EQ(std::pair(leds_.getSelectedLed(), listener.calls.size()), std::pair(lit, size_t(0)))
            << leds << " " << value << " " << select;
        painted(1, 1, [&](CDrawContext& c) { leds_.draw(&c); });
        EXPECT_FLOAT_EQ(leds_.getValue(), stored) << leds << " " << value << " " << select;
    }
    // Two states 12 x 10 stacked: unlit above, lit below; borrowed by the control, it outlives the rig.
    const CColor unlit(40, 0, 0, 255), lit(0, 255, 0, 255);
    auto bitmap = stacked(12, 20, unlit, lit);
    // Orientation, the control's size, then pointer positions along it with the LED each lights.
    for (auto [orientation, sized, drags] :
         {std::tuple{2, CRect(10, 10, 70, 20), std::vector<std::pair<int, int>>{{35, 2}, {-50, 0}, {69, 4}, {500, 4}, {45, 2}}},
          {1, CRect(10, 10, 22, 60), {{35, 2}, {-50, 0}, {59, 4}, {500, 4}, {47, 3}}}}) {
        testsupport::OffscreenRig rig;
        auto* leds = new QelCMultiLedSwitch(CRect(10, 10, 0, 0), &rig.listener, 4, bitmap, 5, orientation);
        rig.frame->addView(leds);
        const auto at = [&, o = orientation](int along) { return o == 2 ? CPoint(along, 15) : CPoint(15, along); };
        EXPECT_EQ((std::tuple{leds->getViewSize(), rig.backEnd->mouseDown(at(20), kRButton),
                              rig.backEnd->mouseDown(at(20), kLButton | kRButton), rig.backEnd->mouseDown(at(20), kLButton | kShift),
                              leds->getSelectedLed()}),
                  std::tuple(sized, kMouseEventNotHandled, kMouseEventNotHandled, kMouseEventHandled, 0));
        for (auto [along, led] : drags) // nothing reported before the release
            EXPECT_EQ((std::tuple{rig.backEnd->mouseMoved(at(along), kLButton), leds->getSelectedLed(), rig.listener.calls.size()}),
                      std::tuple(kMouseEventHandled, led, size_t(0))) << orientation << " " << along;
        rig.backEnd->mouseUp(at(drags.back().first), kLButton);
        EXPECT_EQ(std::tuple(rig.listener.calls.size(), rig.listener.calls.at(0).tag, rig.listener.begins, rig.listener.ends),
                  std::tuple(size_t(1), 4, 1, 1));
        rig.frame->idle();
        for (int led = 0; led < 5; ++led) // the lit LED shows the bitmap's lower half, the others its upper half
            EXPECT_EQ(orientation == 2 ? rig.backEnd->getPixel(11 + 12 * led, 15) : rig.backEnd->getPixel(15, 11 + 10 * led),
                      led == drags.back().second ? lit : unlit) << orientation << led;
    }
}
