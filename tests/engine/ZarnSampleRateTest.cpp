#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <memory>

#include "engine/Zarn.h"
#include "engine/material/SoundMaterial.h"

namespace {

struct Lengths {
    double rate;
    int32_t click4, click5, click2, attack1, attack0, attack7, attack6, offset1, offset0;
};

void expectLengths(const Zarn& engine, const Lengths& l) {
    EXPECT_EQ(engine.attackSample4Length, l.click4) << l.rate;
    EXPECT_EQ(engine.attackSample5Length, l.click5) << l.rate;
    EXPECT_EQ(engine.attackSample2Length, l.click2) << l.rate;
    EXPECT_EQ(engine.attackSample1Length, l.attack1) << l.rate;
    EXPECT_EQ(engine.attackSample0Length, l.attack0) << l.rate;
    EXPECT_EQ(engine.attackSample7Length, l.attack7) << l.rate;
    EXPECT_EQ(engine.attackSample6Length, l.attack6) << l.rate;
    EXPECT_EQ(engine.attackSample1Offset, l.offset1) << l.rate;
    EXPECT_EQ(engine.attackSample0Offset, l.offset0) << l.rate;
}

TEST(ZarnSampleRateTest, LengthsAndOffsetsFollowTheWholeRate) {
    const Lengths table[] = {
        {44100.0, 226, 887, 29, 2047, 3809, 14996, 14992, 130, 264},
        {48000.0, 245, 965, 31, 2228, 4145, 16322, 16317, 141, 287},
        {96000.0, 491, 1930, 63, 4456, 8291, 32644, 32635, 282, 574},
        {192000.0, 983, 3861, 126, 8912, 16583, 65288, 65271, 565, 1149},
        {5000.0, 51, 201, 6, 464, 863, 3400, 3399, 29, 59},      // clamped to 10 kHz
        {500000.0, 983, 3861, 126, 8912, 16583, 65288, 65271, 565, 1149}, // clamped to 192 kHz
    };
    auto engine = std::make_unique<Zarn>();
    const float* buffers[] = {engine->attackSample0.get(), engine->attackSample6.get(), engine->attackSample7.get()};
    for (const Lengths& l : table) {
        engine->setSampleRate(l.rate);
        expectLengths(*engine, l);
        EXPECT_EQ(engine->sampleRate, std::fmin(std::fmax(l.rate, 10000.0), 192000.0));
    }
    // The buffers are never reallocated.
    EXPECT_EQ(engine->attackSample0.get(), buffers[0]);
    EXPECT_EQ(engine->attackSample6.get(), buffers[1]);
    EXPECT_EQ(engine->attackSample7.get(), buffers[2]);
}

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
    EXPECT_EQ(engine->attackSample4[0], 635.0f / 32768.0f);
    EXPECT_EQ(engine->attackSample4[1], 30305.0f / 32768.0f);
    EXPECT_EQ(engine->attackSample4[225], -10328.0f / 32768.0f);
    // The buffers that are cleared hold nothing past their material.
    EXPECT_EQ(engine->attackSample4[226], 0.0f);
    EXPECT_EQ(engine->attackSample0[2 * 3809], 0.0f);
}

TEST(ZarnSampleRateTest, FirstOutputSampleIsTheFirstSourceSample) {
    auto engine = std::make_unique<Zarn>();
    for (double rate : {10000.0, 32000.0, 48000.0, 96000.0, 192000.0}) {
        engine->setSampleRate(rate);
        EXPECT_EQ(engine->attackSample4[0], 635.0f / 32768.0f) << rate;
        EXPECT_EQ(engine->attackSample5[0], kModel5Click[0] * 0.0009765625f) << rate;
        EXPECT_EQ(engine->attackSample2[0], kModel2Click[0]) << rate;
        EXPECT_EQ(engine->attackSample7[0], kModel7Attack[0]) << rate;
        EXPECT_EQ(engine->attackSample1[1], kModel1Attack[1]) << rate;
        EXPECT_EQ(engine->attackSample0[1], kModel0Attack[1]) << rate;
        EXPECT_EQ(engine->attackSample6[0], kModel6Attack[0]) << rate;
    }
}

TEST(ZarnSampleRateTest, FractionalRateKeepsTheMaterial) {
    auto engine = std::make_unique<Zarn>();
    engine->setSampleRate(48000.0);
    engine->attackSample4[3] = 42.0f; // marks the buffer: a resampling would overwrite it
    engine->setSampleRate(48000.5);
    EXPECT_EQ(engine->sampleRate, 48000.5);
    EXPECT_EQ(engine->attackSample4[3], 42.0f);
    engine->setSampleRate(48001.0);
    EXPECT_NE(engine->attackSample4[3], 42.0f);
    EXPECT_EQ(engine->lastIntRate, 48001);
}

TEST(ZarnSampleRateTest, NonFiniteRatesAreIgnored) {
    auto engine = std::make_unique<Zarn>();
    engine->setSampleRate(48000.0);
    for (double rate : {std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity(),
                        -std::numeric_limits<double>::infinity()}) {
        engine->setSampleRate(rate);
        EXPECT_EQ(engine->sampleRate, 48000.0);
        EXPECT_EQ(engine->lastIntRate, 48000);
        EXPECT_EQ(engine->attackSample4Length, 245);
    }
}

// Resampling is a smooth interpolation: at 96 kHz every second output sample lies on a
// source sample and the ones between stay near their neighbours.
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
