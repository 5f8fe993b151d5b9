#include <cmath>
#include <cstring>
#include <functional>
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

std::vector<unsigned char> snapshot(const Zarn& engine) {
    const auto* bytes = reinterpret_cast<const unsigned char*>(&engine);
    return {bytes, bytes + sizeof(Zarn)};
}

struct MappingCase {
    uint32_t index;
    float value;
    std::function<double(const Zarn&)> field;
    double expected;
    double tolerance; // 0: exact
};

double f(float value) {
    return static_cast<double>(value);
}

TEST(ZarnParametersTest, EveryRowAtZeroOneAndMiddle) {
    const auto coarse = [](const Zarn& z) { return z.coarseFactor; };
    const auto fine = [](const Zarn& z) { return z.fineFactor; };
    const auto decay = [](const Zarn& z) { return f(z.pitchDecayMs); };
    const auto start = [](const Zarn& z) { return z.pitchStartHz; };
    const auto curve = [](const Zarn& z) { return z.pitchCurve; };
    const auto sustain = [](const Zarn& z) { return f(z.sustainTime); };
    const auto attack = [](const Zarn& z) { return f(z.attackAmount); };
    const auto attackHz = [](const Zarn& z) { return f(z.attackCutoffHz); };
    const auto color = [](const Zarn& z) { return f(z.colorAmount); };
    const auto colorHz = [](const Zarn& z) { return f(z.colorCutoffHz); };
    const auto selfFmHz = [](const Zarn& z) { return f(z.selfFmCutoffHz); };
    const auto timbre = [](const Zarn& z) { return f(z.timbreDecay); };
    const auto lfoRate = [](const Zarn& z) { return z.lfoRateHz; };
    const auto lfoShape = [](const Zarn& z) { return z.lfoShape; };
    const auto volume = [](const Zarn& z) { return z.volumeGain; };
    const std::vector<MappingCase> cases = {
        {kPitchCoarse, 0.0f, coarse, 0.5, 0},
        {kPitchCoarse, 0.5f, coarse, 1.0, 0},
        {kPitchCoarse, 1.0f, coarse, 2.0, 1e-6},
        {kPitchFine, 0.0f, fine, 0.9438743126816934, 1e-15},
        {kPitchFine, 1.0f, fine, 1.0594630943592953, 1e-15},
        {kPitchFine, 0.5f, fine, 1.0, 1e-15},
        {kPitchEnvAmt, 0.3f, [](const Zarn& z) { return z.pitchEnvAmount; }, f(0.3f), 0},
        {kPitchLfoAmt, 0.7f, [](const Zarn& z) { return z.lfoDepth; }, f(0.7f), 0},
        {kPitchDecay, 0.0f, decay, 10.0, 0},
        {kPitchDecay, 1.0f, decay, 1000.0, 1e-3},
        {kPitchStart, 0.0f, start, 100.0, 1e-12},
        {kPitchStart, 0.5f, start, 400.0, 1e-9},
        {kPitchStart, 1.0f, start, 1600.0, 1e-9},
        {kPitchCurve, 0.0f, curve, 32.0, 1e-5},
        {kPitchCurve, 1.0f, curve, 1.0, 0},
        {kAmpSustain, 0.0f, sustain, 0.0, 0},
        {kAmpSustain, 1.0f, sustain, 0.4, 1e-7},
        {kAmpSustain, 0.0158f, sustain, 0.0, 0}, // just below the gate-mode boundary
        {kAmpSustain, -0.5f, sustain, 0.0, 0},
        {kAmpCurve, 0.25f, [](const Zarn& z) { return z.ampCurve; }, 0.25, 0},
        {kTimbreAttack, 0.0f, attack, 0.0, 0},
        {kTimbreAttack, 0.5f, attack, 1.0, 0},
        {kTimbreAttack, 1.0f, attack, 4.0, 0},
        {kTimbreAttack, 0.0f, attackHz, 156.0, 0},
        {kTimbreAttack, 1.0f, attackHz, 17234.0, 1e-3},
        {kTimbreColor, 1.0f, color, 2.0 / 32768.0, 0},
        {kTimbreColor, 0.0f, colorHz, 156.0, 0},
        {kTimbreColor, 1.0f, colorHz, 17234.0, 1e-3},
        {kTimbreSelfFm, 0.4f, [](const Zarn& z) { return z.selfFm; }, f(0.4f), 0},
        {kTimbreSelfFm, 0.0f, selfFmHz, 10.5625, 0},
        {kTimbreSelfFm, 1.0f, selfFmHz, 10816.0, 1e-2},
        {kTimbreDecay, 0.0f, timbre, 0.0625, 0},
        {kTimbreDecay, 1.0f, timbre, 16.0, 1e-5},
        {kLfoRate, 0.0f, lfoRate, 1.0, 0},
        {kLfoRate, 1.0f, lfoRate, 100.0, 1e-12},
        {kLfoShape, 0.0f, lfoShape, 1.0, 1e-15},
        {kLfoShape, 1.0f, lfoShape, 0.01, 0},
        {kVolume, 0.0f, volume, 0.0, 0},
        {kVolume, 0.5f, volume, 1.0, 0},
        {kVolume, 1.0f, volume, 4.0, 0},
    };
    for (const MappingCase& c : cases) {
        auto engine = engineAt(44100.0);
        engine->setParameter(c.index, c.value);
        if (c.tolerance == 0)
            EXPECT_EQ(c.field(*engine), c.expected) << "index " << c.index << " value " << c.value;
        else
            EXPECT_NEAR(c.field(*engine), c.expected, c.tolerance) << "index " << c.index << " value " << c.value;
    }
}

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
    const float ms = Module::expScale(1.0f, 401.0f, 0.5f) - 1.0f;
    EXPECT_EQ(engine->sustainTime, static_cast<float>(f(ms) * 0.001));
}

TEST(ZarnParametersTest, AmpSustainGateBoundary) {
    auto engine = engineAt(44100.0);
    engine->setParameter(kAmpSustain, 0.016f);
    EXPECT_GE(engine->sustainTime, 0.0001f);
    engine->setParameter(kAmpSustain, 0.0158f);
    EXPECT_EQ(engine->sustainTime, 0.0f);
}

TEST(ZarnParametersTest, AmpDecayFollowsTheRate) {
    auto engine = engineAt(44100.0);
    engine->setParameter(kAmpDecay, 0.0f);
    EXPECT_EQ(engine->ampReleaseCoef,
              static_cast<float>(std::pow(f(0.1f), f(1000.0f / (12.0f * 44100.0f)))));
    EXPECT_NEAR(engine->ampReleaseCoef, 0.995658f, 1e-6f);
    EXPECT_EQ(engine->ampDecay, 0.0f);
    engine->setParameter(kAmpDecay, 1.0f);
    EXPECT_NEAR(engine->ampReleaseCoef, std::pow(0.1, 1000.0 / (2000.0 * 44100.0)), 1e-7);
    EXPECT_EQ(engine->ampDecay, 1.0f);

    engine->paramValues[kAmpDecay] = 0.0f;
    engine->setSampleRate(96000.0);
    engine->applyParameters();
    EXPECT_NEAR(engine->ampReleaseCoef, std::pow(0.1, 1000.0 / (12.0 * 96000.0)), 1e-7);
}

TEST(ZarnParametersTest, SwitchThresholdsAreStrict) {
    const float justAbove = std::nextafter(0.1f, 1.0f);
    struct Case {
        uint32_t index;
        float off;
        float on;
    };
    for (const Case& c : {Case{kLfoFree, 0.1f, justAbove}, Case{kLfoOneShot, 0.1f, justAbove},
                          Case{kMidi, 0.4f, std::nextafter(0.4f, 1.0f)}}) {
        auto engine = engineAt(44100.0);
        const auto read = [&] {
            return c.index == kLfoFree ? engine->lfoFree : c.index == kLfoOneShot ? engine->lfoOneShot : engine->fixedPitch;
        };
        engine->setParameter(c.index, c.on);
        EXPECT_EQ(read(), 1) << c.index;
        engine->setParameter(c.index, c.off);
        EXPECT_EQ(read(), 0) << c.index;
    }
    auto engine = engineAt(44100.0);
    engine->setParameter(kLfoInvert, 0.1f);
    EXPECT_EQ(engine->lfoSign, 1.0);
    engine->setParameter(kLfoInvert, 0.1000001f);
    EXPECT_EQ(engine->lfoSign, -1.0);
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
    const std::pair<float, int32_t> cases[] = {
        {0.14f, 0}, {0.142f, 1}, {0.14286f, 1}, {1.2f, 8}, {-0.5f, -4},
        {1e30f, std::numeric_limits<int32_t>::max()}, {-1e30f, std::numeric_limits<int32_t>::min()},
    };
    for (const auto& [value, model] : cases) {
        engine->setParameter(kModel, value);
        EXPECT_EQ(engine->model, model) << value;
    }
    // Switching the model does not switch the sounding one.
    EXPECT_EQ(engine->activeModel, 1);
}

TEST(ZarnParametersTest, OutOfRangeIndexAndNonFiniteValuesChangeNothing) {
    auto engine = engineAt(44100.0);
    engine->applyParameters();
    const std::vector<unsigned char> before = snapshot(*engine);
    engine->setParameter(22, 0.5f);
    engine->setParameter(static_cast<uint32_t>(-1), 0.5f);
    for (uint32_t i = 0; i < kNumParams; ++i) {
        engine->setParameter(i, std::numeric_limits<float>::quiet_NaN());
        engine->setParameter(i, std::numeric_limits<float>::infinity());
        engine->setParameter(i, -std::numeric_limits<float>::infinity());
    }
    EXPECT_EQ(std::memcmp(before.data(), snapshot(*engine).data(), before.size()), 0);
}

TEST(ZarnParametersTest, ApplyParametersMapsTheStoredValues) {
    auto engine = engineAt(44100.0);
    engine->applyParameters(); // program 0: "2012 QZ"
    EXPECT_EQ(engine->model, 0);
    EXPECT_EQ(engine->fixedPitch, 1);
    EXPECT_EQ(engine->lfoOneShot, 1);
    EXPECT_EQ(engine->volumeGain, f(0.655f * 0.655f * 4.0f));
    EXPECT_EQ(engine->coarseFactor, f(Module::expScale(0.5f, 2.0f, 0.185f)));
    EXPECT_EQ(engine->voiceActive, 0) << "mapping neither starts nor stops the voice";
}

} // namespace
