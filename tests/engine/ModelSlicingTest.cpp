// Slicing: a note rendered in runs that end only at its events, and the same note rendered in
// blocks of 32 frames or random slices of 0 to 4096 frames (events still at their frames), as a
// host's block sizes and the shell's slicing cut it.
//
// Bit-exactness across slicings is not promised: at the end of every run the models store their
// filter memories (and model 7 its click path) in single precision and flush those below 1e-9,
// and render flushes negligible levels; none of these feeds back into a phase, a pitch or an
// envelope. Render ends the voice at the end of a run, once nothing it still adds is heard, so
// where it ends depends on the slicing but what it cuts is below 1e-4 at unit volume (the
// sigmoid of a silent amplitude leaves the body at 4.5e-5 of its level). The same slicing gives
// the same output bit for bit.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <gtest/gtest.h>
#include <random>
#include <vector>

#include "ModelRig.h"

namespace {

struct Output {
    std::vector<float> left;
    std::vector<float> right;
    std::vector<bool> ended; // per frame: rendered after the voice had ended
};

// Slice seed 0: runs cut only at the events; 1: blocks of 32 frames; others: random slices of 0
// (a call with no frames) to 4096 frames.
Output render(ModelRig& rig, const std::vector<Step>& steps, double seconds, uint32_t sliceSeed) {
    std::mt19937 slices(sliceSeed);
    std::uniform_int_distribution<int64_t> sliceLength(0, 4096);
    Output out;
    rig.play(steps, seconds,
             [&](int64_t frame) {
                 return sliceSeed == 0 ? INT64_MAX : sliceSeed == 1 ? frame + 32 : frame + sliceLength(slices);
             },
             [&](bool ended) {
                 out.ended.insert(out.ended.end(), rig.left.size(), ended);
                 out.left.insert(out.left.end(), rig.left.begin(), rig.left.end());
                 out.right.insert(out.right.end(), rig.right.begin(), rig.right.end());
             });
    return out;
}

// Keyboard pitch, a running LFO, self-modulation, a retrigger within model 5's 2 ms and a
// note-off during the hold, over the factory program that uses the model (or program 2); with
// `shortest`, the fastest amplitude decay under the loudest attack sample, which decays fast with
// the timbre in models 0 to 5 and lingers in models 6 and 7 (these have no timbre level).
Output renderNote(int32_t model, double rate, uint32_t sliceSeed, bool shortest) {
    constexpr int32_t kProgramOfModel[] = {0, 2, 2, 3, 4, 8, 7, 1};
    ModelRig rig(model, rate);
    rig->loadProgram(kProgramOfModel[model]);
    rig.set({{kModel, static_cast<float>(model) / 7.0f}, {kMidi, 0.0f}, {kPitchLfoAmt, 0.4f},
             {kTimbreSelfFm, 0.3f}, {kAmpSustain, 0.6f}, {kVolume, 0.5f}});
    if (shortest) {
        rig.set({{kMidi, 1.0f}, {kAmpSustain, 0.0f}, {kAmpDecay, 0.0f}, {kTimbreDecay, model < 6 ? 0.0f : 1.0f},
                 {kTimbreAttack, 1.0f}});
        return render(rig, {{Step::kOn, 0.0, 40, 100}}, 0.2, sliceSeed);
    }
    return render(rig, {{Step::kOn, 0.0, 40, 100}, {Step::kOff, 0.05, 40}, {Step::kOn, 0.12, 45, 90}, {Step::kOn, 0.1205, 47, 127},
                        {Step::kOff, 0.2, 47}, {Step::kOff, 0.21, 45}},
                  0.6, sliceSeed);
}

// The largest difference where both voices sound; an ended voice must be silent (else infinity).
double largestDifference(const Output& a, const Output& b) {
    double largest = 0.0;
    for (std::size_t i = 0; i < a.left.size(); ++i) {
        for (const Output* o : {&a, &b}) {
            if (o->ended[i] && (o->left[i] != 0.0f || o->right[i] != 0.0f))
                return INFINITY;
        }
        largest = std::max(largest, std::fabs(static_cast<double>(a.left[i]) - b.left[i]));
        largest = std::max(largest, std::fabs(static_cast<double>(a.right[i]) - b.right[i]));
    }
    return largest;
}

// The same slicing must also give the same output bit for bit (no state left uninitialised).
TEST(ModelSlicingTest, RandomSlicesAgreeWithRunsCutOnlyAtEventsAndRepeatExactly) {
    for (int32_t model = 0; model < 8; ++model) {
        for (const auto& [rate, shortest] : {std::pair{44100.0, false}, {96000.0, false}, {44100.0, true}}) {
            const Output whole = renderNote(model, rate, 0, shortest);
            double peak = 0.0;
            for (float v : whole.left)
                peak = std::max(peak, static_cast<double>(std::fabs(v)));
            ASSERT_GT(peak, 0.1) << "model " << model << " sounds";
            for (uint32_t seed : {1u, 2u, 3u, 4u}) {
                const Output sliced = renderNote(model, rate, seed, shortest);
                ASSERT_EQ(sliced.left.size(), whole.left.size());
                EXPECT_LT(largestDifference(whole, sliced), 1e-4)
                    << "model " << model << " at " << rate << " Hz, slicing " << seed << (shortest ? ", shortest" : "");
                if (seed == 2) {
                    const Output again = renderNote(model, rate, seed, shortest);
                    EXPECT_TRUE(again.left == sliced.left && again.right == sliced.right) << "model " << model;
                }
            }
        }
    }
}

// A click smoother all but frozen (Timbre-Color far below its range) still lets the voice end.
TEST(ModelSlicingTest, AStuckClickSmootherDoesNotKeepTheVoice) {
    ModelRig rig(7, 44100.0, {{kTimbreColor, -3.0f}, {kMidi, 1.0f}, {kAmpSustain, 0.0f}, {kAmpDecay, 0.0f}});
    rig->noteOn(40, 127);
    rig.render(88200);
    EXPECT_EQ(rig->voiceActive, 0);
}

} // namespace
