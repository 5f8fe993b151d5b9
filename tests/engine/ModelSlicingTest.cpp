// Slicing: a note rendered in runs that end only at its events, and the same note rendered in
// random slices of 1 to 4096 frames (events still at their frames), as a host's block sizes and
// the shell's slicing cut it.
//
// Bit-exactness across slicings is not promised: at the end of every run the models store their
// filter memories (and model 7 its click path) in single precision and flush those below 1e-9,
// and render flushes negligible levels. None of these values feeds back into a phase, a pitch or
// an envelope, so the difference stays at the level of that rounding (a few float ulps) and never
// grows. Render also ends the voice only at the end of a run, once the amplitude and timbre
// levels have died: whatever still rings then (model 2's filter, the click tails of models 6 and
// 7, which the amplitude does not shape) is cut at a frame that depends on the slicing. So the
// outputs agree closely wherever both voices sound, and a voice that has ended is exactly silent.
// The same slicing, on the other hand, gives the same output bit for bit.
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

// Keyboard pitch, a running LFO, self-modulation, a retrigger within model 5's 2 ms and a
// note-off during the hold, over the factory program that uses the model (or program 2).
// Slice seed 0: runs cut only at the events.
Output renderNote(int32_t model, double rate, uint32_t sliceSeed) {
    constexpr int32_t kProgramOfModel[] = {0, 2, 2, 3, 4, 8, 7, 1};
    ModelRig rig(model, rate);
    rig->loadProgram(kProgramOfModel[model]);
    rig.set({{kModel, static_cast<float>(model) / 7.0f}, {kMidi, 0.0f}, {kPitchLfoAmt, 0.4f},
             {kTimbreSelfFm, 0.3f}, {kAmpSustain, 0.6f}});
    const auto at = [rate](double seconds) { return static_cast<int64_t>(rate * seconds); };
    std::mt19937 slices(sliceSeed);
    std::uniform_int_distribution<int64_t> sliceLength(1, 4096);
    Output out;
    rig.play({{0, 40, 100}, {at(0.05), 40, 0}, {at(0.12), 45, 90}, {at(0.1205), 47, 127}, {at(0.2), 47, 0}, {at(0.21), 45, 0}},
             at(0.6), [&](int64_t frame) { return sliceSeed == 0 ? INT64_MAX : frame + sliceLength(slices); },
             [&](int64_t, bool ended) {
                 out.ended.insert(out.ended.end(), rig.left.size(), ended);
                 out.left.insert(out.left.end(), rig.left.begin(), rig.left.end());
                 out.right.insert(out.right.end(), rig.right.begin(), rig.right.end());
             });
    return out;
}

// The largest difference where both voices sound; an ended voice must be silent (else infinity).
double largestDifference(const Output& a, const Output& b) {
    double largest = 0.0;
    for (std::size_t i = 0; i < a.left.size(); ++i) {
        for (const Output* o : {&a, &b}) {
            if (o->ended[i] && (o->left[i] != 0.0f || o->right[i] != 0.0f))
                return INFINITY;
        }
        if (a.ended[i] || b.ended[i])
            continue;
        largest = std::max(largest, std::fabs(static_cast<double>(a.left[i]) - b.left[i]));
        largest = std::max(largest, std::fabs(static_cast<double>(a.right[i]) - b.right[i]));
    }
    return largest;
}

// The same slicing must also give the same output bit for bit (no state left uninitialised).
TEST(ModelSlicingTest, RandomSlicesAgreeWithRunsCutOnlyAtEventsAndRepeatExactly) {
    for (int32_t model = 0; model < 8; ++model) {
        for (double rate : {44100.0, 96000.0}) {
            const Output whole = renderNote(model, rate, 0);
            double peak = 0.0;
            for (float v : whole.left)
                peak = std::max(peak, static_cast<double>(std::fabs(v)));
            ASSERT_GT(peak, 0.1) << "model " << model << " sounds";
            for (uint32_t seed : {1u, 2u, 3u}) {
                const Output sliced = renderNote(model, rate, seed);
                ASSERT_EQ(sliced.left.size(), whole.left.size());
                EXPECT_LT(largestDifference(whole, sliced), 1e-6)
                    << "model " << model << " at " << rate << " Hz, slicing " << seed;
                if (seed == 1) {
                    const Output again = renderNote(model, rate, seed);
                    EXPECT_TRUE(again.left == sliced.left && again.right == sliced.right) << "model " << model;
                }
            }
        }
    }
}

} // namespace
