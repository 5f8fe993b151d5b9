#include "engine/Module.h"

#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <utility>
#include <vector>

namespace {

// Module with nothing mapped, so that the helpers can be exercised alone.
class BareModule : public Module {
public:
    explicit BareModule(double rate) { sampleRate = rate; }
    void setParameter(uint32_t index, float value) override { applied.emplace_back(index, value); }
    std::vector<std::pair<uint32_t, float>> applied;
};

TEST(ModuleTest, SweepsLevelsAndTimesAtTheCurrentRate) {
    BareModule module(44100.0);
    const double halfIn10Ms = std::pow(0.5, 1000.0 / 441000.0);
    const struct { double value; double expected; double tolerance; } cases[] = {
        {Module::expScale(0.5f, 2.0f, 0.5f), 1.0, 0},
        {Module::expScale(10.0f, 1000.0f, 0.0f), 10.0, 0},
        {Module::expScale(156.0f, 17234.0f, 1.0f), 17234.0, 2e-3},
        {Module::expScale(156.0, 17234.0, 1.0), 17234.0, 1e-11},
        {Module::expScale(0.25, 4.0, 0.5), 1.0, 1e-15},
        {Module::dbToGain(-6.0f), 0.501187, 1e-6},
        {Module::gainToDb(1.0f, -120.0f), 0.0, 0},
        {Module::gainToDb(0.0f, -120.0f), -120.0, 0},
        {Module::gainToDb(0.1f, -120.0f), -20.0, 1e-5},
        {Module::bipolarDbToGain(1.0f, 6.0f), 1.995262, 1e-6},
        {Module::bipolarDbToGain(0.5f, 6.0f), 1.0, 1e-7},
        {Module::octaveScale(1.0f, 1.0f, 2.0f), 4.0, 0},
        {Module::octaveScale(-1.0f, 3.0f, 2.0f), 0.125, 0},
        {module.decayCoef(12.0f, 2000.0f, 0.0f, 0.1f), 0.995658, 1e-6}, // to 0.1 in 12 ms
        {module.decayCoefScaled(12.0f, 2000.0f, 0.0f, 2.0f, 0.1f), std::pow(0.1, 2000.0 / (12.0 * 44100.0)), 1e-7},
        {module.timeCoefF(0.5f, 10.0f), halfIn10Ms, 1e-7},
        {module.msToStep(10.0f), 1.0 / 441.0, 1e-9},
        {module.rampStep(10.0f, 1000.0f, 0.0f), 1.0 / 441.0, 1e-9},
        {module.rampStepScaled(10.0f, 1000.0f, 0.0f, 2.0f), 2.0 / 441.0, 1e-9},
    };
    for (std::size_t k = 0; k < std::size(cases); ++k)
        EXPECT_NEAR(cases[k].value, cases[k].expected, cases[k].tolerance) << "case " << k;
    // The float form rounds the power before multiplying by a in float.
    const auto power = static_cast<float>(std::exp(std::log(static_cast<double>(1000.0f / 10.0f)) * 0.3));
    EXPECT_EQ(Module::expScale(10.0f, 1000.0f, 0.3f), power * 10.0f);
    module.setSampleRate(48000.0f);
    EXPECT_EQ(module.sampleRate, 48000.0);
    EXPECT_EQ(module.phaseScale, static_cast<float>(4294967296.0 / 48000.0));
}

TEST(ModuleTest, FilterCoefficients) {
    BareModule module(44100.0);
    float a1 = -1.0f, b = -1.0f, b0 = -1.0f, b1 = -1.0f;
    for (auto coefs : {&Module::onePoleLowpassCoefs, &Module::onePoleHighpassCoefs}) {
        (module.*coefs)(44100.0f / 4.0f, &a1, &b);
        EXPECT_NEAR(a1, 0.0f, 1e-6f);
        EXPECT_NEAR(b, 0.5f, 1e-6f);
    }
    for (auto shelf : {&Module::shelfCoefs, &Module::shelfCoefsLinear}) {
        (module.*shelf)(1000.0f, 1.0f, &a1, &b0, &b1);
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

// A cut-off above half the rate must not turn the filter unstable; below the limit the
// coefficients are the plain prewarped ones.
TEST(ModuleTest, LowpassStaysStableAboveNyquist) {
    for (double rate : {10000.0, 22050.0, 32000.0}) {
        BareModule module(rate);
        float a1 = 0.0f, b = 0.0f;
        module.onePoleLowpassCoefs(17234.0f, &a1, &b);
        EXPECT_LT(std::fabs(a1), 1.0f) << rate;
        double x1 = 0.0, y1 = 0.0, peak = 0.0;
        for (int i = 0; i < 10000; ++i) {
            const double x = (i % 2 == 0) ? 1.0 : -1.0;
            y1 = b * (x + x1) - a1 * y1;
            x1 = x;
            peak = std::max(peak, std::fabs(y1));
        }
        EXPECT_LT(peak, 2.0) << rate;
    }
    BareModule module(44100.0);
    float a1 = 0.0f, b = 0.0f;
    module.onePoleLowpassCoefs(17234.0f, &a1, &b);
    const auto t = static_cast<float>(2.0 * 44100.0);
    const auto w = static_cast<float>(2.0 * std::tan(3.141592653589793 * 17234.0 / 44100.0) * 44100.0);
    EXPECT_EQ(a1, (w - t) / (w + t));
    EXPECT_EQ(b, w / (w + t));
}

TEST(ModuleTest, ApplyParametersMapsOnlyTheInitialisedValues) {
    BareModule module(44100.0);
    const float values[3] = {0.25f, 0.5f, 0.75f};
    module.initParameters(3, values);
    module.applyParameters();
    EXPECT_EQ(module.applied, (std::vector<std::pair<uint32_t, float>>{{0, 0.25f}, {1, 0.5f}, {2, 0.75f}}));
    module.initParameters(22, nullptr);
    module.applied.clear();
    module.applyParameters();
    ASSERT_EQ(module.applied.size(), 22u);
    for (const auto& [index, value] : module.applied)
        EXPECT_EQ(value, 0.0f) << index;
    EXPECT_EQ(module.applied.back().first, 21u);
}

} // namespace
