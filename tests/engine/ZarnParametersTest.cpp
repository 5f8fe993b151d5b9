#include <cmath>
#include <cstring>
#include <gtest/gtest.h>
#include <limits>
#include <memory>
#include <vector>

#include "engine/Zarn.h"

namespace {

std::unique_ptr<Zarn> engineAt(double rate) {
    auto engine = std::make_unique<Zarn>();
    engine->setSampleRate(rate);
    return engine;
}

double f(float value) {
    return static_cast<double>(value);
}

#define FIELD(name) [](const Zarn& z) { return static_cast<double>(z.name); }

// The ends, the middle and the boundaries of every mapped row.
TEST(ZarnParametersTest, EveryRowAtZeroOneAndMiddle) {
    const struct {
        uint32_t index;
        float value;
        double (*field)(const Zarn&);
        double expected;
        double tolerance; // 0: exact
    } cases[] = {
        {kPitchCoarse, 0.0f, FIELD(coarseFactor), 0.5, 0},
        {kPitchCoarse, 0.5f, FIELD(coarseFactor), 1.0, 0},
        {kPitchCoarse, 1.0f, FIELD(coarseFactor), 2.0, 1e-6},
        {kPitchFine, 0.0f, FIELD(fineFactor), 0.9438743126816934, 1e-15},
        {kPitchFine, 1.0f, FIELD(fineFactor), 1.0594630943592953, 1e-15},
        {kPitchFine, 0.5f, FIELD(fineFactor), 1.0, 1e-15},
        {kPitchEnvAmt, 0.3f, FIELD(pitchEnvAmount), f(0.3f), 0},
        {kPitchLfoAmt, 0.7f, FIELD(lfoDepth), f(0.7f), 0},
        {kPitchDecay, 0.0f, FIELD(pitchDecayMs), 10.0, 0},
        {kPitchDecay, 1.0f, FIELD(pitchDecayMs), 1000.0, 1e-3},
        {kPitchStart, 0.0f, FIELD(pitchStartHz), 100.0, 1e-12},
        {kPitchStart, 0.5f, FIELD(pitchStartHz), 400.0, 1e-9},
        {kPitchStart, 1.0f, FIELD(pitchStartHz), 1600.0, 1e-9},
        {kPitchCurve, 0.0f, FIELD(pitchCurve), 32.0, 1e-5},
        {kPitchCurve, 1.0f, FIELD(pitchCurve), 1.0, 0},
        {kAmpSustain, 0.0f, FIELD(sustainTime), 0.0, 0},
        {kAmpSustain, 1.0f, FIELD(sustainTime), 0.4, 1e-7},
        {kAmpSustain, 0.016f, FIELD(sustainTime), 0.0001007, 1e-6}, // just above the gate-mode boundary
        {kAmpSustain, 0.0158f, FIELD(sustainTime), 0.0, 0},         // just below it
        {kAmpSustain, -0.5f, FIELD(sustainTime), 0.0, 0},
        {kAmpCurve, 0.25f, FIELD(ampCurve), 0.25, 0},
        {kTimbreAttack, 0.0f, FIELD(attackAmount), 0.0, 0},
        {kTimbreAttack, 0.5f, FIELD(attackAmount), 1.0, 0},
        {kTimbreAttack, 1.0f, FIELD(attackAmount), 4.0, 0},
        {kTimbreAttack, 0.0f, FIELD(attackCutoffHz), 156.0, 0},
        {kTimbreAttack, 1.0f, FIELD(attackCutoffHz), 17234.0, 1e-3},
        {kTimbreColor, 1.0f, FIELD(colorAmount), 2.0 / 32768.0, 0},
        {kTimbreColor, 0.0f, FIELD(colorCutoffHz), 156.0, 0},
        {kTimbreColor, 1.0f, FIELD(colorCutoffHz), 17234.0, 1e-3},
        {kTimbreSelfFm, 0.4f, FIELD(selfFm), f(0.4f), 0},
        {kTimbreSelfFm, 0.0f, FIELD(selfFmCutoffHz), 10.5625, 0},
        {kTimbreSelfFm, 1.0f, FIELD(selfFmCutoffHz), 10816.0, 1e-2},
        {kTimbreDecay, 0.0f, FIELD(timbreDecay), 0.0625, 0},
        {kTimbreDecay, 1.0f, FIELD(timbreDecay), 16.0, 1e-5},
        {kLfoRate, 0.0f, FIELD(lfoRateHz), 1.0, 0},
        {kLfoRate, 1.0f, FIELD(lfoRateHz), 100.0, 1e-12},
        {kLfoShape, 0.0f, FIELD(lfoShape), 1.0, 1e-15},
        {kLfoShape, 1.0f, FIELD(lfoShape), 0.01, 0},
        {kVolume, 0.0f, FIELD(volumeGain), 0.0, 0},
        {kVolume, 0.5f, FIELD(volumeGain), 1.0, 0},
        {kVolume, 1.0f, FIELD(volumeGain), 4.0, 0},
        {kAmpDecay, 0.0f, FIELD(ampDecay), 0.0, 0},
        {kAmpDecay, 0.0f, FIELD(ampReleaseCoef), 0.995658, 1e-6}, // 20 dB in 12 ms
        {kAmpDecay, 1.0f, FIELD(ampReleaseCoef), std::pow(0.1, 1000.0 / (2000.0 * 44100.0)), 1e-7},
        // Switches turn on strictly above their threshold.
        {kLfoFree, 0.1f, FIELD(lfoFree), 0, 0},
        {kLfoFree, std::nextafter(0.1f, 1.0f), FIELD(lfoFree), 1, 0},
        {kLfoOneShot, 0.1f, FIELD(lfoOneShot), 0, 0},
        {kLfoOneShot, std::nextafter(0.1f, 1.0f), FIELD(lfoOneShot), 1, 0},
        {kMidi, 0.4f, FIELD(fixedPitch), 0, 0},
        {kMidi, std::nextafter(0.4f, 1.0f), FIELD(fixedPitch), 1, 0},
        {kLfoInvert, 0.1f, FIELD(lfoSign), 1.0, 0},
        {kLfoInvert, 0.1000001f, FIELD(lfoSign), -1.0, 0},
    };
    for (const auto& c : cases) {
        auto engine = engineAt(44100.0);
        engine->setParameter(c.index, c.value);
        EXPECT_NEAR(c.field(*engine), c.expected, c.tolerance) << "index " << c.index << " value " << c.value;
    }
}

// The rows keep their single or double precision: the sound depends on the rounding.
TEST(ZarnParametersTest, SingleAndDoublePrecisionRows) {
    auto engine = engineAt(44100.0);
    engine->setParameter(kPitchCurve, 0.3f);
    EXPECT_EQ(engine->pitchCurve, f(Module::expScale(1.0f, 32.0f, 1.0f - 0.3f)));
    engine->setParameter(kTimbreColor, 0.3f);
    EXPECT_EQ(engine->colorCutoffHz, static_cast<float>(Module::expScale(156.0, 17234.0, f(0.3f))));
    EXPECT_EQ(engine->colorAmount, (0.3f + 0.3f) * 3.0517578125e-05f);
    engine->setParameter(kLfoShape, 0.3f);
    EXPECT_EQ(engine->lfoShape, Module::expScale(0.01, 1.0, 1.0 - f(0.3f)));
    engine->setParameter(kAmpSustain, 0.5f);
    EXPECT_EQ(engine->sustainTime, static_cast<float>(f(Module::expScale(1.0f, 401.0f, 0.5f) - 1.0f) * 0.001));
    engine->setParameter(kAmpDecay, 0.0f);
    EXPECT_EQ(engine->ampReleaseCoef, static_cast<float>(std::pow(f(0.1f), f(1000.0f / (12.0f * 44100.0f)))));
}

// The release factor is per sample: a rate change must map Amp-Decay again.
TEST(ZarnParametersTest, ApplyParametersMapsTheStoredValuesAtTheNewRate) {
    auto engine = engineAt(96000.0);
    engine->applyParameters(); // program 0: "2012 QZ"
    EXPECT_EQ(engine->model, 0);
    EXPECT_EQ(engine->fixedPitch, 1);
    EXPECT_EQ(engine->volumeGain, f(0.655f * 0.655f * 4.0f));
    EXPECT_EQ(engine->coarseFactor, f(Module::expScale(0.5f, 2.0f, 0.185f)));
    engine->paramValues[kAmpDecay] = 0.0f;
    engine->applyParameters();
    EXPECT_NEAR(engine->ampReleaseCoef, std::pow(0.1, 1000.0 / (12.0 * 96000.0)), 1e-7);
    EXPECT_EQ(engine->voiceActive, 0) << "mapping neither starts nor stops the voice";
}

TEST(ZarnParametersTest, ModelBoundaries) {
    auto engine = engineAt(44100.0);
    for (int k = 0; k <= 7; ++k) {
        engine->setParameter(kModel, static_cast<float>(k) / 7.0f);
        EXPECT_EQ(engine->model, k);
        // The boundary lies 0.01/7 below k/7.
        if (k > 0) {
            engine->setParameter(kModel, (static_cast<float>(k) - 0.0105f) / 7.0f);
            EXPECT_EQ(engine->model, k - 1) << k;
            engine->setParameter(kModel, (static_cast<float>(k) - 0.0095f) / 7.0f);
            EXPECT_EQ(engine->model, k) << k;
        }
    }
    // Out of range values saturate instead of overflowing the integer.
    const std::pair<float, int32_t> cases[] = {
        {0.14f, 0}, {0.142f, 1}, {0.14286f, 1}, {1.2f, 8}, {-0.5f, -4},
        {1e30f, std::numeric_limits<int32_t>::max()}, {-1e30f, std::numeric_limits<int32_t>::min()},
    };
    for (const auto& [value, model] : cases) {
        engine->setParameter(kModel, value);
        EXPECT_EQ(engine->model, model) << value;
    }
    EXPECT_EQ(engine->activeModel, 1) << "switching the model does not switch the sounding one";
}

TEST(ZarnParametersTest, OutOfRangeIndexAndNonFiniteValuesChangeNothing) {
    auto engine = engineAt(44100.0);
    engine->applyParameters();
    std::vector<unsigned char> before(sizeof(Zarn));
    std::memcpy(before.data(), static_cast<const void*>(engine.get()), sizeof(Zarn));
    engine->setParameter(22, 0.5f);
    engine->setParameter(static_cast<uint32_t>(-1), 0.5f);
    for (uint32_t i = 0; i < kNumParams; ++i) {
        for (float bad : {std::numeric_limits<float>::quiet_NaN(), std::numeric_limits<float>::infinity(),
                          -std::numeric_limits<float>::infinity()})
            engine->setParameter(i, bad);
    }
    EXPECT_EQ(std::memcmp(before.data(), static_cast<const void*>(engine.get()), before.size()), 0);
}

} // namespace
