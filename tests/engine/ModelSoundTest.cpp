// Measured sound of models 0 to 3: the body's fundamental after the attack, and the fall of its
// envelope under Amp-Decay, at several rates.
#include <cmath>
#include <gtest/gtest.h>
#include <vector>

#include "ModelRig.h"
#include "engine/Module.h"

namespace {

struct Crossing {
    double time; // seconds
    std::size_t index;
};

// Upward zero crossings of x between frames begin and end, placed between samples by linear
// interpolation.
std::vector<Crossing> upwardCrossings(const std::vector<float>& x, double rate, std::size_t begin, std::size_t end) {
    std::vector<Crossing> crossings;
    for (std::size_t i = begin + 1; i < end; ++i) {
        if (x[i - 1] < 0.0f && x[i] >= 0.0f) {
            const double fraction = x[i - 1] / (static_cast<double>(x[i - 1]) - x[i]);
            crossings.push_back({(static_cast<double>(i - 1) + fraction) / rate, i});
        }
    }
    return crossings;
}

double fundamentalHz(const std::vector<float>& x, double rate, std::size_t begin, std::size_t end) {
    const std::vector<Crossing> c = upwardCrossings(x, rate, begin, end);
    if (c.size() < 3)
        return 0.0;
    return static_cast<double>(c.size() - 1) / (c.back().time - c.front().time);
}

// Inverse of the cubic soft clip v - 0.3333 v^3 on 0..1 (Newton's method).
double unclipped(double y) {
    double v = y;
    for (int i = 0; i < 30; ++i)
        v -= (v - 0.3333 * v * v * v - y) / (1.0 - 3.0 * 0.3333 * v * v);
    return v;
}

// The body alone: MIDI switch on, no pitch envelope, LFO, self-modulation or click, the timbre
// envelope gone within a millisecond, linear amplitude shaping, unity Volume.
void bodyPatch(ModelRig& rig) {
    rig.set(kMidi, 1.0f);
    rig.set(kPitchEnvAmt, 0.0f);
    rig.set(kPitchLfoAmt, 0.0f);
    rig.set(kTimbreSelfFm, 0.0f);
    rig.set(kTimbreAttack, 0.0f);
    rig.set(kTimbreDecay, 0.0f);
    rig.set(kTimbreColor, 1.0f);
    rig.set(kAmpCurve, 1.0f);
    rig.set(kVolume, 0.5f);
}

TEST(ModelSoundTest, TheBodySettlesAtFiftyHertzTimesCoarseAndFine) {
    const struct {
        float coarse;
        float fine;
    } tunings[] = {{0.5f, 0.5f}, {0.75f, 0.2f}, {0.25f, 0.9f}};
    for (int32_t model = 0; model < 4; ++model) {
        for (double rate : {44100.0, 48000.0, 96000.0}) {
            for (const auto& tuning : tunings) {
                ModelRig rig(model, rate);
                bodyPatch(rig);
                rig.set(kPitchCoarse, tuning.coarse);
                rig.set(kPitchFine, tuning.fine);
                rig.set(kAmpSustain, 1.0f); // held at full level for 0.4 s
                rig.set(kAmpDecay, 1.0f);
                rig->noteOn(36, 100);
                rig.render(static_cast<int32_t>(rate * 0.4));
                const double expected = 50.0 * std::pow(2.0, 2.0 * tuning.coarse - 1.0) *
                                        std::pow(2.0, (2.0 * tuning.fine - 1.0) / 12.0);
                const double measured =
                    fundamentalHz(rig.left, rate, static_cast<std::size_t>(rate * 0.1), rig.left.size());
                EXPECT_NEAR(measured / expected, 1.0, 0.01)
                    << "model " << model << " at " << rate << " Hz: " << measured << " Hz, expected " << expected;
            }
        }
    }
}

// With linear shaping and no hold, the level falls from full scale to 0 in twice
// expScale(12, 2000, Amp-Decay) milliseconds; the line through two measured cycle peaks meets 0
// there.
TEST(ModelSoundTest, TheBodyDecaysInTheAmpDecayTime) {
    for (int32_t model = 0; model < 4; ++model) {
        for (float ampDecay : {0.3f, 0.6f}) {
            const double rate = 48000.0;
            ModelRig rig(model, rate);
            bodyPatch(rig);
            rig.set(kPitchCoarse, 1.0f); // 100 Hz
            rig.set(kAmpSustain, 0.0f);
            rig.set(kAmpDecay, ampDecay);
            const double fullFall = 2.0 * Module::expScale(12.0, 2000.0, static_cast<double>(ampDecay)) * 0.001;
            rig->noteOn(36, 100);
            rig.render(static_cast<int32_t>(rate * fullFall));

            // Peak of each cycle, turned back into a level proportional to the shaped amplitude.
            const auto crossings = upwardCrossings(rig.left, rate, 0, rig.left.size());
            std::vector<std::pair<double, double>> peaks; // time, level
            for (std::size_t k = 1; k < crossings.size(); ++k) {
                double peak = 0.0;
                std::size_t at = crossings[k - 1].index;
                for (std::size_t i = crossings[k - 1].index; i < crossings[k].index; ++i) {
                    if (std::fabs(rig.left[i]) > peak) {
                        peak = std::fabs(rig.left[i]);
                        at = i;
                    }
                }
                double level = peak;
                if (model == 2)
                    level = unclipped(peak); // render's soft clip
                else if (model == 3)
                    level = unclipped(peak / rig->velocity); // the body's own soft clip
                peaks.emplace_back(static_cast<double>(at) / rate, level);
            }
            const auto nearest = [&](double t) {
                auto best = peaks.front();
                for (const auto& p : peaks)
                    if (std::fabs(p.first - t) < std::fabs(best.first - t))
                        best = p;
                return best;
            };
            const auto [t1, l1] = nearest(0.3 * fullFall);
            const auto [t2, l2] = nearest(0.6 * fullFall);
            const double silentAt = t1 + l1 * (t2 - t1) / (l1 - l2);
            const double attack = model == 3 ? 0.003 : 0.0; // model 3 rises for 3 ms first
            EXPECT_NEAR(silentAt / (fullFall + attack), 1.0, 0.03)
                << "model " << model << ", Amp-Decay " << ampDecay << ": silent at " << silentAt << " s";
        }
    }
}

} // namespace
