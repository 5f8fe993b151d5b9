#include "ProbeEffect.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <functional>
#include <limits>

namespace {

using Writer = std::function<void(PlainEffect&, char*, VstInt32)>;
Writer f(float v) { return [v](PlainEffect& e, char* t, VstInt32 n) { e.float2string(v, t, n); }; }
Writer i(VstInt32 v) { return [v](PlainEffect& e, char* t, VstInt32 n) { e.int2string(v, t, n); }; }
Writer dB(float v) { return [v](PlainEffect& e, char* t, VstInt32 n) { e.dB2string(v, t, n); }; }
Writer Hz(float v) { return [v](PlainEffect& e, char* t, VstInt32 n) { e.Hz2string(v, t, n); }; }
Writer ms(float v) { return [v](PlainEffect& e, char* t, VstInt32 n) { e.ms2string(v, t, n); }; }

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
constexpr float kInf = std::numeric_limits<float>::infinity();

const std::pair<Writer, const char*> kCases[] = {
    // Floats in eight characters, truncated, not rounded.
    {f(0.5f), "0.500000"}, {f(1234.5f), "1234.500"}, {f(-3.25f), "-3.25000"}, {f(0.0f), "0.000000"},
    {f(0.1f), "0.100000"}, {f(2.0f / 3.0f), "0.666666"}, {f(-0.001f), "-0.00100"}, {f(9999999.0f), "9999999."},
    // Integer parts too wide for 8 characters lose their leftmost digits; 99999999 becomes 1e8 as a float.
    {f(12345678.0f), "2345678."}, {f(99999999.0f), "Huge!"}, {f(-9999999.0f), "-999999."}, {f(1e8f), "Huge!"},
    {f(-1e7f), "Huge!"}, {f(kInf), "Huge!"}, {f(-kInf), "Huge!"}, {f(kNaN), "Huge!"},
    {i(-42), "-42"}, {i(0), "0"}, {i(7), "7"}, {i(1000), "1000"}, {i(99999999), "99999999"},
    {i(-99999999), "-99999999"}, {i(100000000), "Huge!"}, {i(-100000000), "Huge!"}, {i(INT_MAX), "Huge!"},
    {i(INT_MIN), "Huge!"},
    {dB(0.0f), "-oo"}, {dB(-1.0f), "-oo"}, {dB(1.0f), "0.000000"}, {dB(10.0f), "20.00000"},
    {Hz(100.0f), "441.0000"}, {Hz(0.0f), "0.000000"}, {ms(441.0f), "10.00000"}, // at 44.1 kHz
};

TEST(ValueText, FloatsIntegersDecibelsHertzAndMillisecondsWithTheirLimits) {
    PlainEffect effect;
    for (std::size_t c = 0; c < std::size(kCases); ++c) {
        char text[32];
        std::memset(text, 'x', sizeof text);
        kCases[c].first(effect, text, 16);
        EXPECT_STREQ(text, kCases[c].second) << "case " << c;
    }
}

TEST(ValueText, NeverWritesPastMaxLenPlusTheNul) {
    PlainEffect effect;
    for (std::size_t c = 0; c < std::size(kCases); ++c) {
        for (VstInt32 maxLen : {0, 1, 3}) {
            char text[16];
            std::memset(text, 'x', sizeof text);
            kCases[c].first(effect, text, maxLen);
            EXPECT_EQ(std::string(text), std::string(kCases[c].second).substr(0, maxLen)) << "case " << c;
            EXPECT_EQ(text[maxLen + 1], 'x') << "case " << c;
        }
        char untouched = 'x';
        kCases[c].first(effect, &untouched, -1);
        EXPECT_EQ(untouched, 'x') << "case " << c;
    }
}

} // namespace
