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
#include <gtest/gtest.h>
#include <iterator>
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
Output renderNote(int32_t model, double rate, uint32_t sliceSeed) {
    constexpr int32_t kProgramOfModel[] = {0, 2, 2, 3, 4, 8, 7, 1};
    ModelRig rig(model, rate);
    rig->loadProgram(kProgramOfModel[model]);
    rig.set(kModel, static_cast<float>(model) / 7.0f);
    rig.set(kMidi, 0.0f);
    rig.set(kPitchLfoAmt, 0.4f);
    rig.set(kTimbreSelfFm, 0.3f);
    rig.set(kAmpSustain, 0.6f);

    const auto at = [rate](double seconds) { return static_cast<int64_t>(rate * seconds); };
    struct Event {
        int64_t frame;
        int8_t note;
        uint8_t velocity; // 0: note-off
    };
    const Event events[] = {{0, 40, 100},         {at(0.05), 40, 0},   {at(0.12), 45, 90},
                            {at(0.1205), 47, 127}, {at(0.2), 47, 0},   {at(0.21), 45, 0}};
    const int64_t total = at(0.6);
    std::mt19937 slices(sliceSeed);
    std::uniform_int_distribution<int64_t> sliceLength(1, 4096);

    Output out;
    std::size_t next = 0;
    for (int64_t frame = 0; frame < total;) {
        while (next < std::size(events) && events[next].frame <= frame) {
            const Event& e = events[next++];
            if (e.velocity > 0)
                rig->noteOn(e.note, e.velocity);
            else
                rig->noteOff(e.note);
        }
        int64_t end = sliceSeed == 0 ? total : std::min(total, frame + sliceLength(slices));
        if (next < std::size(events))
            end = std::min(end, events[next].frame);
        out.ended.insert(out.ended.end(), static_cast<std::size_t>(end - frame), rig->voiceActive == 0);
        rig.render(static_cast<int32_t>(end - frame));
        out.left.insert(out.left.end(), rig.left.begin(), rig.left.end());
        out.right.insert(out.right.end(), rig.right.begin(), rig.right.end());
        frame = end;
    }
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

TEST(ModelSlicingTest, RandomSlicesAgreeWithRunsCutOnlyAtEvents) {
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
            }
        }
    }
}

TEST(ModelSlicingTest, TheSameSlicingIsBitIdentical) {
    for (int32_t model = 0; model < 8; ++model) {
        const Output first = renderNote(model, 48000.0, 7);
        const Output second = renderNote(model, 48000.0, 7);
        EXPECT_EQ(first.left, second.left) << "model " << model;
        EXPECT_EQ(first.right, second.right) << "model " << model;
    }
}

} // namespace
