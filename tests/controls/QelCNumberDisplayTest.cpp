#include "controls/QelCNumberDisplay.h"

#include <gtest/gtest.h>

#include <limits>

using namespace VSTGUI;

constexpr float kInf = std::numeric_limits<float>::infinity(), kNaN = std::numeric_limits<float>::quiet_NaN();

TEST(NumberDisplay, ShowsTheScaledValueInAtMostFifteenCharactersForAnyNumber)
{
    // Factor, value, precision, percent, offset (float), the text.
    for (auto [factor, value, precision, percent, offset, text] :
         {std::tuple{100.f, 0.5f, 0, false, 1.f, "51"}, {100.f, 0.5f, 1, true, 0.f, "50.0 %"}, {100.f, 0.5f, 2, false, 0.25f, "50.25"},
          {100.f, 0.5f, 0, false, 2.95f, "53"}, {1e30f, 1.f, 0, false, 2e9f, "4147483647"}, {-1e30f, 1.f, 0, false, -3e9f, "-4294967296"},
          {1e30f, 1.f, 9, true, 0.f, "1.0000000e+30 %"}, {1e6f, 1.f, 9, false, 0.f, "1000000.0000000"}, {kInf, 1.f, 3, false, 0.f, "inf"},
          {kNaN, 1.f, 0, false, 0.f, "0"}, {1.f, 0.5f, 2, true, kNaN, "nan %"}, {1.f, 0.5f, 40, false, 0.f, "0.500000000"},
          {1.f, 0.5f, -3, false, 0.f, "0"}}) {
        QelCNumberDisplay display(CRect(0, 0, 80, 20));
        display.setValue(value);
        display.displayFactor = factor;
        display.precision = precision;
        display.percentSuffix = percent;
        display.setOffset(offset);
        EXPECT_EQ(display.getText(), text) << factor << " " << precision << " " << offset;
    }
}

TEST(NumberDisplay, IntegerValuesAndOffsetsConvertWithoutLeavingTheInt32Range)
{
    QelCNumberDisplay display(CRect(0, 0, 80, 20));
    for (auto [offset, stored] : {std::pair{2.95f, 3}, {-0.2f, -1}, {kNaN, 0}, {1e20f, INT32_MAX}, {-kInf, INT32_MIN}})
        EXPECT_EQ(display.setOffset(offset), stored) << offset;
    // Factor, integer set, the value then, the integer read back.
    for (auto [factor, set, value, read] : {std::tuple{100.f, 25, 0.25f, 25}, {0.f, 7, 0.25f, 0}, {kNaN, 7, 0.25f, 0}, {kInf, -1, 0.25f, INT32_MAX}}) {
        display.displayFactor = factor;
        if (set >= 0)
            display.setIntValue(set);
        EXPECT_EQ(std::pair(display.getValue(), display.getIntValue()), std::pair(value, read)) << factor;
    }
}
