// The models at chosen samples, where the golden digests' scenario does not reach: body delays and
// click lengths of models 0 to 3 (also at 96 kHz and without a click), retriggers during the
// release with the MIDI switch on, holds in gate mode, and body phases beyond the range of a
// 32-bit table index.
#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>

#include "ModelRig.h"
#include "engine/material/SoundMaterial.h"

namespace {

// A plain kick: MIDI switch on, Volume at unity, click at full amount (attackAmount 1) decaying
// slowly, no LFO and no self-modulation.
const Patch kKick = {{kMidi, 1.0f},        {kPitchEnvAmt, 0.5f},  {kPitchLfoAmt, 0.0f}, {kTimbreAttack, 0.5f},
                     {kTimbreDecay, 1.0f}, {kTimbreSelfFm, 0.0f}, {kTimbreColor, 1.0f}, {kVolume, 0.5f}};

// A filter memory as the end of a run leaves it.
float flushed(float value) {
    return std::fabs(value) < 1e-9f ? 0.0f : value;
}

TEST(ModelStepsTest, BodyDelaysOfModelsZeroToTwo) {
    // silentSamples: the body phase stays 0 for these samples of the note
    const struct { int32_t model; double rate; float timbreAttack; int32_t silentSamples; } cases[] = {
        {0, 44100.0, 0.5f, 264}, {0, 48000.0, 0.5f, 287}, {0, 96000.0, 0.5f, 574}, {0, 44100.0, 0.0f, 0},
        {1, 44100.0, 0.5f, 129}, {1, 48000.0, 0.5f, 140}, {1, 44100.0, 0.0f, 0},
        {2, 44100.0, 0.5f, 28},  {2, 48000.0, 0.5f, 30},  {2, 44100.0, 0.0f, 28}, // model 2: its click's length
    };
    for (const auto& c : cases) {
        ModelRig rig(c.model, c.rate, kKick);
        rig.set(kTimbreAttack, c.timbreAttack);
        rig->noteOn(36, 100);
        if (c.silentSamples > 0)
            rig.render(c.silentSamples);
        EXPECT_EQ(rig->oscPhase, 0.0) << c.model << " at " << c.rate;
        rig.render(1);
        EXPECT_GT(rig->oscPhase, 0.0) << c.model << " at " << c.rate;
        if (c.model == 0 && c.timbreAttack > 0.0f) {
            rig.set(kTimbreAttack, 0.0f);
            rig.render(1);
            EXPECT_EQ(rig->attackSample0Offset, 0) << "the delay is stored at every run";
        }
    }
}

// Marks the last frame of a stereo attack sample and the first frame beyond it; with the body
// silenced, the left filter's input memory shows which frames are played.
TEST(ModelStepsTest, ClickLengthsFollowTheRateExceptModelThree) {
    const struct {
        int32_t model;
        double rate;
        int32_t frames;
    } cases[] = {{0, 44100.0, 3809}, {0, 48000.0, 4145}, {1, 44100.0, 2047}, {1, 48000.0, 2228}};
    for (const auto& c : cases) {
        ModelRig rig(c.model, c.rate, kKick);
        float* attack = c.model == 0 ? rig->attackSample0.get() : rig->attackSample1.get();
        std::fill_n(attack + 2 * (c.frames - 1), 4, 0.5f);
        rig->noteOn(36, 100);
        rig->bodyDrive = 0.0;
        rig.render(c.frames);
        EXPECT_GT(rig->filterStates[5], 0.0f) << c.model << " at " << c.rate;
        rig.render(1);
        EXPECT_EQ(rig->filterStates[5], 0.0f) << c.model << " at " << c.rate;
    }

    // Model 3 reads its material in place, one frame per output sample at any rate; model 2's
    // click is attackAmount x 1.3 x the velocity, with the body phase still.
    for (int32_t model : {3, 2}) {
        ModelRig rig(model, model == 3 ? 96000.0 : 44100.0, kKick);
        rig->noteOn(36, 100);
        if (model == 3)
            rig->bodyDrive = 0.0;
        for (int32_t n = 0; n < (model == 3 ? 200 : 28); ++n) {
            rig.render(1);
            const float expected = model == 3 ? static_cast<float>(1.0 * 1.3 * 0.5) * attackSample3[2 * n] * rig->clickEnvLevel
                                              : static_cast<float>(1.3) * rig->attackSample2[n];
            ASSERT_EQ(rig->filterStates[5], flushed(expected * rig->velocity)) << model << " " << n;
        }
    }
}

// A second note-on while the first is releasing, and the amplitude on its first sample.
TEST(ModelStepsTest, RetriggerDuringTheRelease) {
    enum Start { RampsUpFromTheLevelLeft, JumpsToOne, RestartsFromZero };
    const struct { int32_t model; float midi; Start start; } cases[] = {
        {0, 0.0f, RampsUpFromTheLevelLeft}, {1, 0.0f, RampsUpFromTheLevelLeft}, {0, 1.0f, JumpsToOne},
        {1, 1.0f, JumpsToOne},              {2, 0.0f, JumpsToOne},              {3, 0.0f, RestartsFromZero},
        {3, 1.0f, RestartsFromZero},        {4, 1.0f, JumpsToOne},
        {5, 1.0f, RampsUpFromTheLevelLeft}, // towards the new velocity, above the level
        {6, 1.0f, RampsUpFromTheLevelLeft}, {7, 0.0f, RampsUpFromTheLevelLeft},
    };
    for (const auto& c : cases) {
        // A hold of 19 ms (0.95 ms in models 4 to 7), past the attacks.
        ModelRig rig(c.model, 48000.0, kKick);
        rig.set({{kMidi, c.midi}, {kAmpSustain, 0.5f}, {kAmpDecay, 0.5f}});
        rig->noteOn(36, 100);
        // The exponential releases of models 4 and 5 fall faster than the linear ones.
        rig.render(c.model == 4 || c.model == 5 ? 1200 : 4800);
        ASSERT_EQ(rig->ampStage, c.model == 3 ? 2 : c.model == 5 ? 3 : 1) << c.model;
        const double left = rig->ampEnvLevel;
        ASSERT_TRUE(left > 0.4 && left < 0.9) << c.model;
        rig->noteOn(36, 100);
        rig.render(1);
        const double expected[] = {left + 1.0 / (48000.0 * 0.002), 1.0, 1.0 / (48000.0 * 3.0 * 0.001)};
        EXPECT_EQ(rig->ampEnvLevel, expected[c.start]) << c.model;
    }
}

// A table phase beyond 262144 cycles (a long held note, or model 0's phase carried over many
// notes) reads the same entry as its fraction, and so does a negative phase.
TEST(ModelStepsTest, BodyPhasesBeyondThirtyTwoBitIndicesStillSound) {
    for (int32_t model : {0, 1, 2, 3}) {
        float first[3] = {};
        const double phases[3] = {0.25, 300000.25, -300000.75};
        for (int k = 0; k < 3; ++k) {
            ModelRig rig(model, 44100.0, kKick);
            rig.set({{kMidi, 0.0f}, {kTimbreAttack, 0.0f}});
            rig->noteOn(36, 100);
            rig.render(40); // past the note start and model 2's click
            rig->oscPhase = phases[k];
            rig->model3Phase = static_cast<float>(phases[k]);
            rig->filterStates.fill(0.0f);
            rig.render(1);
            first[k] = rig->filterStates[5];
        }
        EXPECT_NE(first[0], 0.0f) << model;
        EXPECT_EQ(first[1], first[0]) << model;
        EXPECT_EQ(first[2], first[0]) << model;
    }
}

// Gate mode (Amp-Sustain 0, MIDI switch off): a held key keeps the amplitude at its hold level;
// the first run after the key is released begins the release. Model 4's hold ends at once but its
// level stays until the key is let go; model 5 holds at the velocity.
TEST(ModelStepsTest, AHeldKeyInGateModeHoldsTheLevel) {
    for (int32_t model = 0; model < 8; ++model) {
        ModelRig rig(model, 44100.0, kKick);
        rig.set({{kMidi, 0.0f}, {kAmpSustain, 0.0f}});
        rig->noteOn(36, 100);
        const double held = model == 5 ? 0.78125 : 1.0;
        rig.render(22050);
        EXPECT_EQ(rig->ampStage, model == 3 || model == 4 || model == 5 ? 1 : 0) << model;
        rig.render(22050);
        EXPECT_GE(rig->ampEnvLevel, held) << model;
        rig->noteOff(36);
        rig.render(100);
        EXPECT_LT(rig->ampEnvLevel, held) << model;
    }
}

} // namespace
