// Golden digests of the eight models' output in scenarios that together reach every step of the
// voice: any change of the sound, however small, shows here. Every sample must also be finite and
// within the clip bound, and a voice that has ended must be exactly silent. Beside the digest, the
// same scenario cut into random slices of 0 to 4096 frames (events still at their frames, as a
// host's block sizes and the shell's slicing cut it) must sound the same within 1e-4: the models
// store their memories in single precision at the end of a run and render ends the voice at the
// end of a run once nothing heard is left, so bit-exactness across slicings is not promised.
//
// To change the sound on purpose, run the test with ZARN_PRINT_GOLDEN=1 in the environment: it
// prints the new digests, which replace those below; say why in the commit message.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <gtest/gtest.h>
#include <random>
#include <string>
#include <vector>

#include "ModelRig.h"

namespace {

struct Scenario {
    const char* name;
    double rate;
    int32_t block;
    double seconds;
    Patch patch;
    std::vector<Step> steps;
    // false: a note-on may find the voice just ended or still ringing (where it ends depends on
    // the slicing), or a Volume ramp spans a run, and the sound differs
    bool slicesAgree = true;
    bool everyLibm = true; // false: the sound depends on the C library's sin of huge phases
};

// Blocks of `block` frames, or random slices for block 0, cut at every step as the shell cuts a
// host's blocks; returns the samples, left and right interleaved.
std::vector<float> play(const Scenario& s, int32_t model, int32_t block) {
    ModelRig rig(model, s.rate, s.patch);
    std::mt19937 slices(static_cast<uint32_t>(model));
    std::uniform_int_distribution<int64_t> sliceLength(0, 4096);
    const float bound = 1.9f * 1.0000001f;
    std::vector<float> out;
    rig.play(s.steps, s.seconds, [&](int64_t frame) { return block ? (frame / block + 1) * block : frame + sliceLength(slices); },
             [&](bool ended) {
                 for (std::size_t i = 0; i < rig.left.size(); ++i) {
                     const float l = rig.left[i];
                     const float r = rig.right[i];
                     ASSERT_TRUE(std::fabs(l) <= bound && std::fabs(r) <= bound) << s.name << ", model " << model << ": " << l;
                     ASSERT_TRUE(!ended || !rig.replacing || (l == 0.0f && r == 0.0f)) << s.name << ", model " << model;
                     out.insert(out.end(), {l, r});
                 }
             });
    return out;
}

const std::vector<Scenario>& scenarios() {
    static const std::vector<Scenario> all = {
        // Keyboard pitch, a running shaped LFO and self-modulation; a second note in the release.
        {"release and retrigger", 44100.0, 512, 0.35,
         {{kMidi, 0.0f}, {kPitchLfoAmt, 0.3f}, {kLfoRate, 0.5f}, {kLfoShape, 0.3f}, {kLfoOneShot, 0.0f},
          {kTimbreSelfFm, 0.25f}, {kAmpSustain, 0.4f}},
         {{Step::kOn, 0.0, 40, 100}, {Step::kOff, 0.1, 40}, {Step::kOn, 0.15, 45, 80}, {Step::kOff, 0.3, 45}}},
        // Gate mode without a click, so that the attack's last step is heard: legato between held
        // keys, the highest one sounding; notes that are not played; a hold time set while a key
        // holds the gate.
        {"gate mode", 22050.0, 64, 0.5,
         {{kMidi, 0.0f}, {kAmpSustain, 0.0f}, {kAmpDecay, 0.3f}, {kPitchEnvAmt, 0.8f}, {kTimbreAttack, 0.0f}},
         {{Step::kOn, 0.0, 40, 90}, {Step::kOn, 0.05, 47, 120}, {Step::kOn, 0.055, 43, 100}, {Step::kOn, 0.06, 100, 127},
          {Step::kOn, 0.07, -5, 127}, {Step::kOff, 0.1, 47}, {Step::kBend, 0.12, 16383}, {Step::kOff, 0.15, 43},
          {Step::kOff, 0.2, 40}, {Step::kOn, 0.3, 36, 127}, {Step::kSet, 0.35, kAmpSustain, 0.3f}, {Step::kOff, 0.45, 36}}},
        // Fixed pitch, fast decays, retriggers during the release and within model 5's 2 ms; a
        // one-shot inverted LFO that runs free.
        {"short notes", 96000.0, 96, 0.4,
         {{kMidi, 1.0f}, {kAmpSustain, 0.1f}, {kAmpDecay, 0.2f}, {kAmpCurve, 0.7f}, {kTimbreDecay, 0.2f},
          {kPitchLfoAmt, 0.7f}, {kLfoOneShot, 1.0f}, {kLfoFree, 1.0f}, {kLfoInvert, 1.0f}, {kLfoRate, 0.8f}},
         {{Step::kOn, 0.0, 40, 127}, {Step::kOn, 0.03, 40, 60}, {Step::kOn, 0.0305, 52, 127}, {Step::kOn, 0.06, 40, 20},
          {Step::kOn, 0.15, 40, 127}, {Step::kOn, 0.35, 40, 127}},
         false},
        // The native host's gain; a model change and a program load between notes; Volume ramps;
        // output added to what the buffers hold.
        {"changes between notes", 44100.0, 256, 0.6,
         {{kMidi, 1.0f}, {kAmpSustain, 0.2f}, {kAmpDecay, 0.2f}},
         {{Step::kNativeHost, 0.0}, {Step::kOn, 0.0, 40, 100}, {Step::kSet, 0.05, kVolume, 0.9f}, {Step::kSet, 0.1, kModel, 3.0f / 7.0f},
          {Step::kOn, 0.15, 40, 100}, {Step::kProgram, 0.25, 3}, {Step::kOn, 0.3, 45, 100},
          {Step::kSet, 0.3, kModel, 0.0f}, {Step::kAccumulate, 0.4}, {Step::kOn, 0.45, 45, 100}},
         false},
        // Values far outside 0..1, which the mapping does not clamp, and a bend beyond 14 bits.
        {"out of range", 44100.0, 128, 0.3,
         {{kMidi, 0.0f}, {kPitchLfoAmt, 0.5f}, {kTimbreSelfFm, 0.5f}, {kPitchCoarse, 1e30f}, {kPitchFine, -1e30f},
          {kPitchCurve, -1e30f}, {kPitchDecay, -1e30f}, {kAmpCurve, 1e30f}, {kTimbreColor, -1e30f},
          {kTimbreDecay, 1e30f}, {kLfoRate, 1e30f}, {kLfoShape, -1e30f}, {kVolume, 1e30f}},
         {{Step::kOn, 0.0, 36, 100}, {Step::kBend, 0.05, 2147483647}, {Step::kSet, 0.1, kAmpCurve, -1e30f},
          {Step::kSet, 0.1, kTimbreAttack, 1e30f}, {Step::kSet, 0.1, kPitchStart, 1e30f}, {Step::kOn, 0.15, 40, 127},
          {Step::kSet, 0.2, kAmpSustain, 1e30f}, {Step::kSet, 0.2, kTimbreSelfFm, 3.4e38f}},
         false, false},
    };
    return all;
}

// One digest per scenario and model.
constexpr uint64_t kGolden[][8] = {
    {2949404930080974835ull, 13054295871232090746ull, 11374549022659879913ull, 4972232281317827043ull, 15586658029351333213ull, 12311690010662500969ull, 9981065208147533165ull, 11356420886778235805ull},
    {2575971109033331089ull, 288455704750757833ull, 3299308139165844053ull, 4733988715914222181ull, 14309591131139871369ull, 4746734827961047249ull, 3389622383162815377ull, 5444079595095474517ull},
    {16920527298773448077ull, 1478797180583840703ull, 3128311776212650061ull, 16983879519159685598ull, 881424185027976781ull, 1898774703753035073ull, 12976704592271150298ull, 10904206031859613065ull},
    {10108359552194873870ull, 8748697397447518051ull, 13245306480660207267ull, 14808761519415936277ull, 17720651706169002347ull, 5023266928181363703ull, 6629598446722097407ull, 8274403664185103523ull},
    {9683226743053369317ull, 9683226743053369317ull, 9683226743053369317ull, 9683226743053369317ull, 2801837935224313669ull, 853350912039365765ull, 6633012291953312901ull, 9107452236551382917ull},
};

TEST(ModelGoldenTest, OutputDigestsAreUnchangedAndRandomSlicesAgree) {
    const bool print = std::getenv("ZARN_PRINT_GOLDEN") != nullptr;
    ASSERT_EQ(std::size(kGolden), scenarios().size());
    for (std::size_t k = 0; k < scenarios().size(); ++k) {
        const Scenario& s = scenarios()[k];
        for (int32_t model = 0; model < 8; ++model) {
            const std::vector<float> blocks = play(s, model, s.block);
            Digest digest;
            for (float v : blocks)
                digest.add(v);
            if (print)
                std::printf("%lluull%s", static_cast<unsigned long long>(digest.hash), model < 7 ? ", " : "\n");
            const std::vector<float> sliced = play(s, model, 0);
            ASSERT_EQ(sliced.size(), blocks.size());
            double largest = 0.0;
            for (std::size_t i = 0; i < blocks.size(); ++i)
                largest = std::max(largest, std::fabs(static_cast<double>(blocks[i]) - sliced[i]));
            EXPECT_TRUE(largest < 1e-4 || !s.slicesAgree) << s.name << ", model " << model << " in random slices " << largest;
#ifdef _WIN32
            if (!s.everyLibm)
                continue;
#endif
            EXPECT_EQ(digest.hash, kGolden[k][model]) << s.name << ", model " << model;
        }
    }
}

} // namespace
