#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <memory>

#include "engine/Zarn.h"
#include "engine/material/SoundMaterial.h"

namespace {

// Lengths follow the whole rate, clamped to 10 to 192 kHz, into buffers that are never
// reallocated; every rate starts each resampled sample on the source's first value.
TEST(ZarnSampleRateTest, LengthsAndOffsetsFollowTheWholeRate) {
    const struct {
        double rate;
        int32_t click4, click5, click2, attack1, attack0, attack7, attack6, offset1, offset0;
    } table[] = {
        {44100.0, 226, 887, 29, 2047, 3809, 14996, 14992, 130, 264},
        {48000.0, 245, 965, 31, 2228, 4145, 16322, 16317, 141, 287},
        {96000.0, 491, 1930, 63, 4456, 8291, 32644, 32635, 282, 574},
        {192000.0, 983, 3861, 126, 8912, 16583, 65288, 65271, 565, 1149},
        {5000.0, 51, 201, 6, 464, 863, 3400, 3399, 29, 59},                 // clamped to 10 kHz
        {500000.0, 983, 3861, 126, 8912, 16583, 65288, 65271, 565, 1149},   // clamped to 192 kHz
    };
    auto engine = std::make_unique<Zarn>();
    const float* buffers[] = {engine->attackSample0.get(), engine->attackSample6.get(), engine->attackSample7.get()};
    for (const auto& l : table) {
        engine->setSampleRate(l.rate);
        const int32_t lengths[] = {engine->attackSample4Length, engine->attackSample5Length, engine->attackSample2Length,
                                   engine->attackSample1Length, engine->attackSample0Length, engine->attackSample7Length,
                                   engine->attackSample6Length, engine->attackSample1Offset, engine->attackSample0Offset};
        const int32_t expected[] = {l.click4, l.click5, l.click2, l.attack1, l.attack0, l.attack7, l.attack6, l.offset1, l.offset0};
        for (std::size_t k = 0; k < std::size(expected); ++k)
            EXPECT_EQ(lengths[k], expected[k]) << "length " << k << " at " << l.rate;
        EXPECT_EQ(engine->sampleRate, std::fmin(std::fmax(l.rate, 10000.0), 192000.0));
        EXPECT_TRUE(engine->attackSample4[0] == 635.0f / 32768.0f && engine->attackSample5[0] == kModel5Click[0] * 0.0009765625f &&
                    engine->attackSample2[0] == kModel2Click[0] && engine->attackSample7[0] == kModel7Attack[0] &&
                    engine->attackSample1[1] == kModel1Attack[1] && engine->attackSample0[1] == kModel0Attack[1] &&
                    engine->attackSample6[0] == kModel6Attack[0])
            << "first source values at " << l.rate;
    }
    EXPECT_EQ(engine->attackSample0.get(), buffers[0]);
    EXPECT_EQ(engine->attackSample6.get(), buffers[1]);
    EXPECT_EQ(engine->attackSample7.get(), buffers[2]);
}

// At 44.1 kHz the material is copied; the buffers that are cleared hold nothing past it.
TEST(ZarnSampleRateTest, At44100TheMaterialIsCopied) {
    auto engine = std::make_unique<Zarn>();
    engine->setSampleRate(48000.0);
    engine->setSampleRate(44100.0);
    for (int i = 0; i < kModel2ClickLength; ++i)
        EXPECT_EQ(engine->attackSample2[i], kModel2Click[i]) << i;
    for (int i = 0; i < 2 * kModel6AttackFrames; i += 997)
        EXPECT_EQ(engine->attackSample6[i], kModel6Attack[i]) << i;
    for (int i = 0; i < kModel5ClickLength; ++i)
        EXPECT_EQ(engine->attackSample5[i], kModel5Click[i] * 0.0009765625f) << i;
    EXPECT_EQ(engine->attackSample4[1], 30305.0f / 32768.0f);
    EXPECT_EQ(engine->attackSample4[225], -10328.0f / 32768.0f);
    EXPECT_EQ(engine->attackSample4[226], 0.0f);
    EXPECT_EQ(engine->attackSample0[2 * 3809], 0.0f);
}

// A fractional change of rate keeps the material; a non-finite rate is ignored.
TEST(ZarnSampleRateTest, OnlyAFiniteChangeOfTheWholeRateResamples) {
    auto engine = std::make_unique<Zarn>();
    engine->setSampleRate(48000.0);
    engine->attackSample4[3] = 42.0f; // marks the buffer: a resampling would overwrite it
    for (double rate : {48000.5, std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity(),
                        -std::numeric_limits<double>::infinity()}) {
        engine->setSampleRate(rate);
        EXPECT_EQ(engine->sampleRate, 48000.5) << rate;
        EXPECT_EQ(engine->lastIntRate, 48000) << rate;
        EXPECT_EQ(engine->attackSample4[3], 42.0f) << rate;
        EXPECT_EQ(engine->attackSample4Length, 245) << rate;
    }
    engine->setSampleRate(48001.0);
    EXPECT_NE(engine->attackSample4[3], 42.0f);
    EXPECT_EQ(engine->lastIntRate, 48001);
}

// Resampling is a smooth interpolation: at 88.2 kHz every second output sample lies on a source
// sample and the ones between stay near their neighbours.
TEST(ZarnSampleRateTest, UpsampledMaterialFollowsTheSource) {
    auto engine = std::make_unique<Zarn>();
    engine->setSampleRate(88200.0);
    for (int k = 0; k + 1 < kModel7AttackLength; k += 101) {
        EXPECT_EQ(engine->attackSample7[2 * k], kModel7Attack[k]) << k;
        const float low = std::fmin(kModel7Attack[k], kModel7Attack[k + 1]);
        const float high = std::fmax(kModel7Attack[k], kModel7Attack[k + 1]);
        const float slack = 0.25f * (high - low) + 0.02f;
        EXPECT_GE(engine->attackSample7[2 * k + 1], low - slack) << k;
        EXPECT_LE(engine->attackSample7[2 * k + 1], high + slack) << k;
    }
}

} // namespace
