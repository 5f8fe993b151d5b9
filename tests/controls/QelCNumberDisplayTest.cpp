#include "controls/QelCNumberDisplay.h"

#include <gtest/gtest.h>

#include <limits>

using namespace VSTGUI;

namespace {

constexpr float kInf = std::numeric_limits<float>::infinity();
constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();

TEST(NumberDisplay, ShowsTheScaledValueInAtMostFifteenCharactersForAnyNumber)
{
    // Factor, value, precision, percent, offset (float), the text.
    for (auto [factor, value, precision, percent, offset, text] :
         {std::tuple{100.f, 0.5f, 0, false, 1.f, "51"}, {100.f, 0.5f, 1, true, 0.f, "50.0 %"},
          {100.f, 0.5f, 2, false, 0.25f, "50.25"}, {1e30f, 1.f, 0, false, 2e9f, "4147483647"},
          {-1e30f, 1.f, 0, false, -3e9f, "-4294967296"}, {1e30f, 1.f, 9, true, 0.f, "1.0000000e+30 %"},
          {1e6f, 1.f, 9, false, 0.f, "1000000.0000000"}, {kInf, 1.f, 3, false, 0.f, "inf"},
          {kNaN, 1.f, 0, false, 0.f, "0"}, {1.f, 0.5f, 0, false, kNaN, "0"}, {1.f, 0.5f, 2, true, kNaN, "nan %"},
          {1.f, 0.5f, 40, false, 0.f, "0.500000000"}, {1.f, 0.5f, -3, false, 0.f, "0"}}) {
        QelCNumberDisplay display(CRect(0, 0, 80, 20));
        display.setValue(value);
        display.displayFactor = factor;
        display.precision = precision;
        display.percentSuffix = percent;
        display.setOffset(offset);
        EXPECT_EQ(display.getText(), text) << factor << " " << precision << " " << offset;
        EXPECT_LE(display.getText().size(), QelCNumberDisplay::kMaxTextLength);
    }
}

TEST(NumberDisplay, IntegerValuesAndOffsetsConvertWithoutLeavingTheInt32Range)
{
    QelCNumberDisplay display(CRect(0, 0, 80, 20));
    for (auto [offset, stored] : {std::pair{2.95f, 3}, {-0.2f, -1}, {kNaN, 0}, {1e20f, INT32_MAX}, {-kInf, INT32_MIN}})
        EXPECT_EQ(display.setOffset(offset), stored) << offset;
    display.displayFactor = 100.f;
    display.setIntValue(25);
    EXPECT_FLOAT_EQ(display.getValue(), 0.25f);
    EXPECT_EQ(display.getIntValue(), 25);
    for (float factor : {0.f, kNaN}) {
        display.displayFactor = factor;
        display.setIntValue(7);
        EXPECT_FLOAT_EQ(display.getValue(), 0.25f);
    }
    display.displayFactor = kInf;
    EXPECT_EQ(display.getIntValue(), INT32_MAX);
}

} // namespace
