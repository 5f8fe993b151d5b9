// The parameter mapping and the factory bank, pinned bit for bit: the sound depends on the
// precision of every row (single or double) and on every stored value.
//
// To change either on purpose, run with ZARN_PRINT_GOLDEN=1 and replace the digest printed.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <gtest/gtest.h>
#include <limits>
#include <vector>

#include "ModelRig.h"
#include "engine/FactoryBank.h"

namespace {

void expectDigest(uint64_t digest, uint64_t golden, const char* what) {
    if (std::getenv("ZARN_PRINT_GOLDEN") != nullptr)
        std::printf("%s: %lluull\n", what, static_cast<unsigned long long>(digest));
    EXPECT_EQ(digest, golden) << what;
}

// Every mapped field after each row is set to each value: a grid over 0..1, the few float steps
// around each Model boundary (k - 0.01) / 7, values beyond the range (the mapping does not clamp)
// and non-finite ones (which change nothing).
TEST(ParameterTableTest, EveryRowMapsEveryValueAsBefore) {
#ifdef _WIN32
    GTEST_SKIP() << "the Windows C library's pow differs from glibc's in the last bit for some of these values";
#endif
    std::vector<float> values;
    for (int k = 0; k <= 1000; ++k)
        values.push_back(static_cast<float>(k) / 1000.0f);
    for (int k = 1; k <= 7; ++k) {
        float v = (static_cast<float>(k) - 0.01f) / 7.0f;
        for (int step = 0; step < 3; ++step)
            v = std::nextafter(v, 0.0f);
        for (int step = 0; step < 6; ++step, v = std::nextafter(v, 1.0f))
            values.push_back(v);
    }
    for (float v : {-3.0f, -0.5f, 1.5f, 40.0f, 1e30f, std::numeric_limits<float>::quiet_NaN(),
                    std::numeric_limits<float>::infinity()})
        values.push_back(v);

    Zarn engine;
    Digest digest;
    for (uint32_t index = 0; index <= kNumParams; ++index) {
        for (float v : values) {
            engine.setParameter(index, v);
            const Zarn& e = engine;
            digest.add(e.coarseFactor), digest.add(e.fineFactor), digest.add(e.pitchEnvAmount), digest.add(e.lfoDepth);
            digest.add(e.pitchDecayMs), digest.add(e.pitchStartHz), digest.add(e.pitchCurve), digest.add(e.ampReleaseCoef);
            digest.add(e.ampDecay), digest.add(e.sustainTime), digest.add(e.ampCurve), digest.add(e.attackAmount);
            digest.add(e.attackCutoffHz), digest.add(e.colorAmount), digest.add(e.colorCutoffHz), digest.add(e.selfFm);
            digest.add(e.selfFmCutoffHz), digest.add(e.timbreDecay), digest.add(e.lfoRateHz), digest.add(e.lfoShape);
            digest.add(e.lfoFree), digest.add(e.lfoSign), digest.add(e.lfoOneShot), digest.add(e.model);
            digest.add(e.fixedPitch), digest.add(e.volumeGain);
        }
    }
    expectDigest(digest.hash, 8713889570484261516ull, "mapping");
}

// Beside the digest, on every platform: each switch at its threshold and just above it (a strict
// greater-than), the Model boundaries, Amp-Sustain's gate mode, Pitch-Start and Volume at their
// plain values.
TEST(ParameterTableTest, ThresholdsAndPlainValues) {
    Zarn e;
    for (const auto& [v, above] : {std::pair{0.1f, 0}, {0.1000001f, 1}}) {
        for (ParamIndex index : {kLfoFree, kLfoInvert, kLfoOneShot})
            e.setParameter(index, v);
        e.setParameter(kMidi, 4.0f * v); // 0.4 exactly, then just above it
        EXPECT_EQ(std::tuple(+e.lfoFree, e.lfoSign, +e.lfoOneShot, +e.fixedPitch), std::tuple(above, above ? -1.0 : 1.0, above, above));
    }
    for (const auto& [v, model] : {std::pair{0.0f, 0}, {0.14f, 0}, {0.142f, 1}, {2.0f / 7.0f, 2}, {3.0f / 7.0f, 3}, {4.0f / 7.0f, 4},
                                   {5.0f / 7.0f, 5}, {6.0f / 7.0f, 6}, {1.0f, 7}, {1.2f, 8}}) {
        e.setParameter(kModel, v);
        EXPECT_EQ(e.model, model) << v;
    }
    const std::tuple<ParamIndex, float, double> rows[] = {
        {kAmpSustain, 0.0f, 0.0},   {kAmpSustain, 0.015f, 0.0}, {kAmpSustain, 0.017f, 0.000107}, {kAmpSustain, 1.0f, 0.4},
        {kPitchStart, 0.0f, 100.0}, {kPitchStart, 0.5f, 400.0}, {kPitchStart, 1.0f, 1600.0},     {kVolume, 0.5f, 1.0},
        {kVolume, 1.0f, 4.0}};
    for (const auto& [index, v, expected] : rows) {
        e.setParameter(index, v);
        const double actual = index == kAmpSustain ? e.sustainTime : index == kPitchStart ? e.pitchStartHz : e.volumeGain;
        EXPECT_NEAR(actual, expected, 1e-6 * std::max(1.0, expected)) << index << " at " << v;
    }
}

// The tables a new engine builds, and its first program.
TEST(ParameterTableTest, ANewEngine) {
    Zarn e;
    EXPECT_EQ(e.lfoTable[32767], 32767.0f / 32768.0f);
    EXPECT_EQ(e.lfoTable[32768], 1.0f);
    EXPECT_EQ(e.lfoTable[65535], 1.0f / 32768.0f);
    EXPECT_EQ(Zarn::sineTable()[2048], 0.4f);
    EXPECT_EQ(e.model4ClickSource[225], -10328.0f / 32.0f);
    EXPECT_EQ(e.cycleWave[0], 1.0f / 32768.0f);
    EXPECT_STREQ(e.getPrograms()[0].name, "2012 QZ");
    EXPECT_EQ(e.paramValues[21], 0.655f);
}

TEST(ParameterTableTest, FactoryBankIsUnchanged) {
    Digest digest;
    for (const SynthProgram& program : factoryBank)
        digest.add(program);
    expectDigest(digest.hash, 17223221364894707908ull, "bank");
}

} // namespace
