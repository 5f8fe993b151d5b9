#include "controls/QelCFineKnob.h"

#include <gtest/gtest.h>

using namespace VSTGUI;

TEST(FineKnob, WhileEditingWithTheLeftButtonAloneOnlyShiftIsPassedOn)
{
    // Buttons, editing, what is passed on.
    for (auto [buttons, editing, passed] :
         {std::tuple{kLButton | kControl | kShift, true, kLButton | kShift}, {kLButton | kAlt | kApple, true, kLButton},
          {kLButton | kControl | kShift, false, kLButton | kControl | kShift}, {kRButton | kControl, true, kRButton | kControl},
          {kLButton | kRButton | kAlt, true, kLButton | kRButton | kAlt}})
        EXPECT_EQ(QelCFineKnob::passedButtons(buttons, editing)(), passed) << buttons << " " << editing;
}
