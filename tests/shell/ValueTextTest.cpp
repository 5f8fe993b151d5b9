#include "shell/AudioEffect.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <cstring>
#include <limits>

namespace {

class Effect : public AudioEffect {
public:
    Effect() : AudioEffect(nullptr, 1, 1) {}
    void processReplacing(float**, float**, VstInt32) override {}
};

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
constexpr float kInf = std::numeric_limits<float>::infinity();

TEST(ValueText, FloatInEightCharactersTruncated) {
    const struct {
        float value;
        const char* text;
    } cases[] = {
        {0.5f, "0.500000"},     {1234.5f, "1234.500"},  {-3.25f, "-3.25000"}, {0.0f, "0.000000"},
        {0.1f, "0.100000"},     {2.0f / 3.0f, "0.666666"}, {-0.001f, "-0.00100"}, {9999999.0f, "9999999."},
        // Integer parts too wide for 8 characters lose their leftmost digits.
        {12345678.0f, "2345678."}, {99999999.0f, "Huge!"} /* nearest float is 1e8 */, {-9999999.0f, "-999999."},
        {100000000.0f, "Huge!"}, {-10000000.0f, "Huge!"}, {kInf, "Huge!"}, {-kInf, "Huge!"}, {kNaN, "Huge!"},
    };
    Effect effect;
    for (const auto& c : cases) {
        char text[32];
        std::memset(text, 'x', sizeof text);
        effect.float2string(c.value, text, 16);
        EXPECT_STREQ(text, c.text) << c.value;
    }
}

TEST(ValueText, IntegerWithSignAndHugeLimits) {
    const struct {
        VstInt32 value;
        const char* text;
    } cases[] = {
        {-42, "-42"},         {0, "0"},           {7, "7"},         {99999999, "99999999"},
        {-99999999, "-99999999"}, {100000000, "Huge!"}, {-100000000, "Huge!"}, {INT_MAX, "Huge!"}, {INT_MIN, "Huge!"},
        {1000, "1000"},
    };
    Effect effect;
    for (const auto& c : cases) {
        char text[32];
        effect.int2string(c.value, text, 16);
        EXPECT_STREQ(text, c.text) << c.value;
    }
}

TEST(ValueText, DecibelsHertzAndMilliseconds) {
    Effect effect;
    char text[32];
    effect.dB2string(0.0f, text, 16);
    EXPECT_STREQ(text, "-oo");
    effect.dB2string(-1.0f, text, 16);
    EXPECT_STREQ(text, "-oo");
    effect.dB2string(1.0f, text, 16);
    EXPECT_STREQ(text, "0.000000");
    effect.dB2string(10.0f, text, 16);
    EXPECT_STREQ(text, "20.00000");
    effect.Hz2string(100.0f, text, 16);
    EXPECT_STREQ(text, "441.0000");
    effect.Hz2string(0.0f, text, 16);
    EXPECT_STREQ(text, "0.000000");
    effect.ms2string(441.0f, text, 16);
    EXPECT_STREQ(text, "10.00000");
}

TEST(ValueText, NeverWritesPastMaxLenPlusTheNul) {
    Effect effect;
    using Writer = void (*)(Effect&, char*, VstInt32);
    const Writer writers[] = {
        [](Effect& e, char* t, VstInt32 n) { e.float2string(1234.5f, t, n); },
        [](Effect& e, char* t, VstInt32 n) { e.int2string(-12345, t, n); },
        [](Effect& e, char* t, VstInt32 n) { e.dB2string(0.0f, t, n); },
        [](Effect& e, char* t, VstInt32 n) { e.Hz2string(3.0f, t, n); },
        [](Effect& e, char* t, VstInt32 n) { e.ms2string(3.0f, t, n); },
    };
    for (const Writer write : writers) {
        for (VstInt32 maxLen : {0, 1, 3}) {
            char text[16];
            std::memset(text, 'x', sizeof text);
            write(effect, text, maxLen);
            EXPECT_EQ(text[maxLen], '\0');
            EXPECT_LE(std::strlen(text), static_cast<std::size_t>(maxLen));
            EXPECT_EQ(text[maxLen + 1], 'x');
        }
        char untouched = 'x';
        write(effect, &untouched, -1);
        EXPECT_EQ(untouched, 'x');
    }
    char text[8];
    effect.int2string(-12345, text, 3);
    EXPECT_STREQ(text, "-12");
}

} // namespace
