#include "engine/Module.h"

#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>
#include <gtest/gtest.h>

namespace {

// Module with nothing mapped, so that the helpers can be exercised alone.
class BareModule : public Module {
public:
    explicit BareModule(double rate) { sampleRate = rate; }
    void setParameter(uint32_t index, float value) override { applied.emplace_back(index, value); }
    std::vector<std::pair<uint32_t, float>> applied;
};

TEST(ModuleTest, ExpScaleSweepsAtBothPrecisions) {
    EXPECT_EQ(Module::expScale(0.5f, 2.0f, 0.5f), 1.0f);
    EXPECT_EQ(Module::expScale(10.0f, 1000.0f, 0.0f), 10.0f);
    EXPECT_FLOAT_EQ(Module::expScale(156.0f, 17234.0f, 1.0f), 17234.0f);
    EXPECT_DOUBLE_EQ(Module::expScale(156.0, 17234.0, 1.0), 17234.0);
    EXPECT_DOUBLE_EQ(Module::expScale(0.25, 4.0, 0.5), 1.0);
    // The float form rounds the power before multiplying by a in float.
    const float ratio = 1000.0f / 10.0f;
    const auto power = static_cast<float>(std::exp(std::log(static_cast<double>(ratio)) * 0.3));
    EXPECT_EQ(Module::expScale(10.0f, 1000.0f, 0.3f), power * 10.0f);
}

TEST(ModuleTest, LevelConversions) {
    EXPECT_NEAR(Module::dbToGain(-6.0f), 0.501187f, 1e-6f);
    EXPECT_EQ(Module::gainToDb(1.0f, -120.0f), 0.0f);
    EXPECT_EQ(Module::gainToDb(0.0f, -120.0f), -120.0f);
    EXPECT_NEAR(Module::gainToDb(0.1f, -120.0f), -20.0f, 1e-5f);
    EXPECT_NEAR(Module::bipolarDbToGain(1.0f, 6.0f), 1.995262f, 1e-6f);
    EXPECT_NEAR(Module::bipolarDbToGain(0.5f, 6.0f), 1.0f, 1e-7f);
    EXPECT_EQ(Module::octaveScale(1.0f, 1.0f, 2.0f), 4.0f);
    EXPECT_EQ(Module::octaveScale(-1.0f, 3.0f, 2.0f), 0.125f);
}

TEST(ModuleTest, TimesAtTheCurrentRate) {
    BareModule module(44100.0);
    const auto expected = static_cast<float>(std::pow(static_cast<double>(0.1f), 1000.0 / (12.0 * 44100.0)));
    EXPECT_FLOAT_EQ(module.decayCoef(12.0f, 2000.0f, 0.0f, 0.1f), expected);
    EXPECT_NEAR(module.decayCoef(12.0f, 2000.0f, 0.0f, 0.1f), 0.995658f, 1e-6f);
    EXPECT_FLOAT_EQ(module.decayCoefScaled(12.0f, 2000.0f, 0.0f, 2.0f, 0.1f),
                    static_cast<float>(std::pow(static_cast<double>(0.1f), 2000.0 / (12.0 * 44100.0))));
    EXPECT_FLOAT_EQ(module.timeCoefF(0.5f, 10.0f), static_cast<float>(std::pow(0.5, 1000.0 / 441000.0)));
    EXPECT_FLOAT_EQ(module.msToStep(10.0f), 1.0f / 441.0f);
    EXPECT_FLOAT_EQ(module.rampStep(10.0f, 1000.0f, 0.0f), 1.0f / 441.0f);
    EXPECT_FLOAT_EQ(module.rampStepScaled(10.0f, 1000.0f, 0.0f, 2.0f), 2.0f / 441.0f);
    module.setSampleRate(48000.0f);
    EXPECT_EQ(module.sampleRate, 48000.0);
    EXPECT_EQ(module.phaseScale, static_cast<float>(4294967296.0 / 48000.0));
}

TEST(ModuleTest, FilterCoefficients) {
    BareModule module(44100.0);
    float a1 = -1.0f, b = -1.0f, b0 = -1.0f, b1 = -1.0f;
    module.onePoleLowpassCoefs(44100.0f / 4.0f, &a1, &b);
    EXPECT_NEAR(a1, 0.0f, 1e-6f);
    EXPECT_NEAR(b, 0.5f, 1e-6f);
    module.onePoleHighpassCoefs(44100.0f / 4.0f, &a1, &b);
    EXPECT_NEAR(a1, 0.0f, 1e-6f);
    EXPECT_NEAR(b, 0.5f, 1e-6f);
    for (bool linear : {false, true}) {
        if (linear)
            module.shelfCoefsLinear(1000.0f, 1.0f, &a1, &b0, &b1);
        else
            module.shelfCoefs(1000.0f, 1.0f, &a1, &b0, &b1);
        EXPECT_FLOAT_EQ(b0, 1.0f);
        EXPECT_FLOAT_EQ(b1, a1);
    }
    // Boost and cut: unity at 0 Hz ((b0 + b1) / (1 + a1)), g at the Nyquist frequency.
    for (float g : {4.0f, 0.25f}) {
        module.shelfCoefs(1000.0f, g, &a1, &b0, &b1);
        EXPECT_NEAR((b0 + b1) / (1.0f + a1), 1.0f, 1e-5f);
        EXPECT_NEAR((b0 - b1) / (1.0f - a1), g, 1e-4f * g);
    }
}

// A cut-off above half the rate must not turn the filter unstable.
TEST(ModuleTest, LowpassStaysStableAboveNyquist) {
    for (double rate : {10000.0, 22050.0, 32000.0}) {
        BareModule module(rate);
        float a1 = 0.0f, b = 0.0f;
        module.onePoleLowpassCoefs(17234.0f, &a1, &b);
        EXPECT_LT(std::fabs(a1), 1.0f) << rate;
        double x1 = 0.0, y1 = 0.0, peak = 0.0;
        for (int i = 0; i < 10000; ++i) {
            const double x = (i % 2 == 0) ? 1.0 : -1.0;
            const double y = b * (x + x1) - a1 * y1;
            x1 = x;
            y1 = y;
            peak = std::max(peak, std::fabs(y));
        }
        EXPECT_LT(peak, 2.0) << rate;
    }
    // Unchanged where the cut-off lies below the limit.
    BareModule module(44100.0);
    float a1 = 0.0f, b = 0.0f;
    module.onePoleLowpassCoefs(17234.0f, &a1, &b);
    const auto t = static_cast<float>(2.0 * 44100.0);
    const auto w = static_cast<float>(2.0 * std::tan(3.141592653589793 * 17234.0 / 44100.0) * 44100.0);
    EXPECT_EQ(a1, (w - t) / (w + t));
    EXPECT_EQ(b, w / (w + t));
}

TEST(ModuleTest, InitAndApplyParameters) {
    BareModule module(44100.0);
    const float values[3] = {0.25f, 0.5f, 0.75f};
    module.initParameters(3, values);
    EXPECT_EQ(module.paramValues[2], 0.75f);
    module.applyParameters(); // only as many as were initialised
    ASSERT_EQ(module.applied.size(), 3u);
    EXPECT_EQ(module.applied[1], std::make_pair(1u, 0.5f));

    module.initParameters(22, nullptr);
    for (int i = 0; i < 22; ++i)
        EXPECT_EQ(module.paramValues[i], 0.0f);
    module.applied.clear();
    module.applyParameters();
    ASSERT_EQ(module.applied.size(), 22u);
    EXPECT_EQ(module.applied.back().first, 21u);
}

} // namespace
