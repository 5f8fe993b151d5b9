// The nine factory programs played as the render tool plays them (note 36, velocity 100, released
// after 0.25 s): each renders a kick at 44.1, 48 and 96 kHz (finite, within the clip bound, a body
// between 20 and 200 Hz after the first 100 ms, dying away), and the rate changes neither its
// fundamental nor its decay.
#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <utility>
#include <vector>

#include "ModelRig.h"

namespace {

constexpr double kRates[] = {44100.0, 48000.0, 96000.0};
constexpr int32_t kModelOfProgram[] = {0, 7, 1, 4, 5, 0, 0, 6, 3};

// Plays the program as the render tool does (note 36, velocity 100, released after 0.25 s) and
// returns 1.5 s of the left channel. With `settled`, a first note lets the pitch smoother reach
// the key (it starts from 0 Hz after a program load, at a rate-dependent speed) and the second
// note is returned.
std::vector<float> renderProgram(int32_t program, double rate, bool settled = false, const Patch& changes = {}) {
    ModelRig rig(0, rate);
    rig->loadProgram(program);
    rig.set(changes);
    std::vector<float> out;
    for (int note = settled ? 0 : 1; note < 2; ++note) {
        out.clear();
        rig.play({{Step::kOn, 0.0, 36, 100}, {Step::kOff, 0.25, 36}}, 1.5, [](int64_t) { return INT64_MAX; },
                 [&](bool) { out.insert(out.end(), rig.left.begin(), rig.left.end()); });
    }
    EXPECT_EQ(rig->activeModel, kModelOfProgram[program]) << "program " << program;
    return out;
}

// Frequency of the first five cycles in [begin, end) seconds, from upward zero crossings of the
// body: the signal passes two one-pole low-passes at 250 Hz (attack samples and noise carry on for
// a few hundred ms), and a crossing counts only after the body has gone below a fifth of its local
// peak.
double fundamentalHz(const std::vector<float>& x, double rate, double begin, double end) {
    const double k = 1.0 - std::exp(-2.0 * 3.141592653589793 * 250.0 / rate);
    std::vector<double> body(x.size());
    double y1 = 0.0;
    double y2 = 0.0;
    for (std::size_t i = 0; i < x.size(); ++i) {
        y1 += (x[i] - y1) * k;
        y2 += (y1 - y2) * k;
        body[i] = y2;
    }
    // Peak of each 10 ms block; a sample's local peak is that of its block and the two beside it.
    const auto block = static_cast<std::size_t>(rate * 0.01);
    std::vector<double> blockPeaks(body.size() / block + 1, 0.0);
    for (std::size_t i = 0; i < body.size(); ++i)
        blockPeaks[i / block] = std::max(blockPeaks[i / block], std::fabs(body[i]));
    const auto localPeak = [&](std::size_t i) {
        const std::size_t b = i / block;
        const std::size_t after = std::min(b + 1, blockPeaks.size() - 1);
        return std::max({blockPeaks[b], blockPeaks[b == 0 ? 0 : b - 1], blockPeaks[after]});
    };
    std::vector<double> crossings;
    bool armed = false;
    for (auto i = static_cast<std::size_t>(begin * rate) + 1; i < static_cast<std::size_t>(end * rate); ++i) {
        if (body[i] < -0.2 * localPeak(i))
            armed = true;
        if (armed && body[i - 1] < 0.0 && body[i] >= 0.0) {
            crossings.push_back((static_cast<double>(i - 1) + body[i - 1] / (body[i - 1] - body[i])) / rate);
            armed = false;
        }
    }
    if (crossings.size() < 6)
        return 0.0;
    // The first five cycles: every rate measures the same ones, wherever the pitch still glides.
    return 5.0 / (crossings[5] - crossings[0]);
}

// Seconds from 100 ms until nine tenths of the energy after 100 ms has sounded: the body's decay,
// insensitive to where a cycle's peak falls.
double decaySeconds(const std::vector<float>& x, double rate) {
    const auto first = static_cast<std::size_t>(rate * 0.1);
    double total = 0.0;
    for (std::size_t i = first; i < x.size(); ++i)
        total += static_cast<double>(x[i]) * x[i];
    double sum = 0.0;
    for (std::size_t i = first; i < x.size(); ++i) {
        sum += static_cast<double>(x[i]) * x[i];
        if (sum >= 0.9 * total)
            return static_cast<double>(i - first) / rate;
    }
    return 0.0;
}

// Each program renders a kick at every rate. For the rate comparison, the body of each program is
// rendered with its attack sample off (model 3 reads its own at one frame per output sample
// whatever the rate; model 4's click has no amount and is kept), its self-modulation as stored.
// Model 5's pitch moves in whole steps of rate / 65536 Hz, a coarser grid at higher rates.
TEST(FactoryProgramSoundTest, EveryProgramIsAKickAndTheRateChangesNeitherFundamentalNorDecay) {
    for (int32_t program = 0; program < 9; ++program) {
        const int32_t model = kModelOfProgram[program];
        Patch bodyOnly;
        if (model != 4)
            bodyOnly.emplace_back(kTimbreAttack, 0.0f);
        double fundamentals[3] = {};
        double decays[3] = {};
        for (int k = 0; k < 3; ++k) {
            const double rate = kRates[k];
            const std::vector<float> x = renderProgram(program, rate);
            float peak = 0.0f;
            for (float v : x) {
                ASSERT_TRUE(std::isfinite(v)) << "program " << program << " at " << rate;
                peak = std::max(peak, std::fabs(v));
            }
            EXPECT_TRUE(peak > 0.25f && peak <= 1.0f) << "program " << program << " at " << rate << ": " << peak;
            const double f = fundamentalHz(x, rate, 0.1, 1.0);
            EXPECT_TRUE(f > 20.0 && f < 200.0) << "program " << program << " at " << rate << ": " << f << " Hz";
            const float tail = *std::max_element(x.end() - static_cast<std::ptrdiff_t>(rate * 0.1), x.end(),
                                                 [](float a, float b) { return std::fabs(a) < std::fabs(b); });
            EXPECT_LT(std::fabs(tail), 0.01f * peak) << "program " << program << " dies away at " << rate;

            const std::vector<float> body = renderProgram(program, rate, true, bodyOnly);
            fundamentals[k] = fundamentalHz(body, rate, 0.1, 1.0);
            decays[k] = decaySeconds(body, rate);
        }
        for (int k = 1; k < 3; ++k) {
            const double grid = model == 5 ? kRates[k] / 65536.0 : 0.0;
            EXPECT_NEAR(fundamentals[k], fundamentals[0], 0.01 * fundamentals[0] + grid)
                << "program " << program << " at " << kRates[k];
            EXPECT_NEAR(decays[k] / decays[0], 1.0, 0.05)
                << "program " << program << " at " << kRates[k] << ": " << decays[k] << " s against " << decays[0];
        }
    }
}

// Full self-modulation on a low fixed pitch keeps its pitch at every rate: as many upward zero
// crossings over 200 ms as at 44.1 kHz. (A phase step that the self-modulation outweighs stalls
// the body into a decaying offset, which crosses zero no more.)
TEST(FactoryProgramSoundTest, FullSelfModulationKeepsItsPitchAtEveryRate) {
    for (int32_t model = 0; model < 8; ++model) {
        int32_t atMaterialRate = 0;
        for (double rate : {44100.0, 10000.0, 96000.0, 192000.0}) {
            ModelRig rig(model, rate, {{kTimbreSelfFm, 1.0f}, {kPitchCoarse, 0.5f}, {kPitchEnvAmt, 0.0f}, {kPitchLfoAmt, 0.0f},
                                       {kTimbreAttack, 0.0f}, {kAmpSustain, 1.0f}, {kAmpDecay, 1.0f}});
            rig->noteOn(31, 127);
            rig.render(static_cast<int32_t>(rate * 0.3));
            int32_t crossings = 0;
            for (auto i = static_cast<std::size_t>(rate * 0.1); i < rig.left.size(); ++i)
                crossings += rig.left[i - 1] < 0.0f && rig.left[i] >= 0.0f ? 1 : 0;
            if (rate == 44100.0)
                atMaterialRate = crossings;
            EXPECT_GE(crossings, 3) << "model " << model << " at " << rate;
            EXPECT_NEAR(crossings, atMaterialRate, 1) << "model " << model << " at " << rate;
        }
    }
}

} // namespace
