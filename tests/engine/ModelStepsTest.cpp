// The models at chosen samples: body delays and click lengths of models 0 to 3 at 44.1 and
// 48 kHz, what each model adds to the buffers, model 2's soft clip, retriggers during the release
// and holds in gate mode for all eight, and body phases beyond the range of a 32-bit table index.
#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <string>

#include "ModelRig.h"
#include "engine/material/SoundMaterial.h"

namespace {

// A plain kick: MIDI switch on, Volume at unity, click at full amount (attackAmount 1) decaying
// slowly, no LFO and no self-modulation.
void kickPatch(ModelRig& rig) {
    rig.set(kMidi, 1.0f);
    rig.set(kPitchEnvAmt, 0.5f);
    rig.set(kPitchLfoAmt, 0.0f);
    rig.set(kTimbreAttack, 0.5f);
    rig.set(kTimbreDecay, 1.0f);
    rig.set(kTimbreSelfFm, 0.0f);
    rig.set(kTimbreColor, 1.0f);
    rig.set(kVolume, 0.5f);
}

TEST(ModelStepsTest, BodyDelaysOfModelsZeroToTwo) {
    const struct {
        int32_t model;
        double rate;
        float timbreAttack;
        int32_t silentSamples; // the body phase stays 0 for these samples of the note
    } cases[] = {
        {0, 44100.0, 0.5f, 264}, {0, 48000.0, 0.5f, 287}, {0, 96000.0, 0.5f, 574}, {0, 44100.0, 0.0f, 0},
        {1, 44100.0, 0.5f, 129}, {1, 48000.0, 0.5f, 140}, {1, 44100.0, 0.0f, 0},
        {2, 44100.0, 0.5f, 28},  {2, 48000.0, 0.5f, 30},  {2, 44100.0, 0.0f, 28}, // model 2: its click's length
    };
    for (const auto& c : cases) {
        ModelRig rig(c.model, c.rate);
        kickPatch(rig);
        rig.set(kTimbreAttack, c.timbreAttack);
        rig->noteOn(36, 100);
        if (c.silentSamples > 0)
            rig.render(c.silentSamples);
        EXPECT_EQ(rig->oscPhase, 0.0) << c.model << " at " << c.rate;
        rig.render(1);
        EXPECT_GT(rig->oscPhase, 0.0) << c.model << " at " << c.rate;
    }

    ModelRig rig(0, 48000.0);
    kickPatch(rig);
    rig->noteOn(36, 100);
    rig.render(1);
    EXPECT_EQ(rig->attackSample0Offset, 287);
    rig.set(kTimbreAttack, 0.0f);
    rig.render(1);
    EXPECT_EQ(rig->attackSample0Offset, 0) << "stored at every run";
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
        ModelRig rig(c.model, c.rate);
        kickPatch(rig);
        float* attack = c.model == 0 ? rig->attackSample0.get() : rig->attackSample1.get();
        ASSERT_EQ(c.model == 0 ? rig->attackSample0Length : rig->attackSample1Length, c.frames);
        std::fill_n(attack + 2 * (c.frames - 1), 4, 0.5f);
        rig->noteOn(36, 100);
        rig->bodyDrive = 0.0;
        rig.render(c.frames - 1);
        rig.render(1);
        EXPECT_GT(rig->filterStates[5], 0.0f) << c.model << " at " << c.rate;
        rig.render(1);
        EXPECT_EQ(rig->filterStates[5], 0.0f) << c.model << " at " << c.rate;
    }

    // Model 3 reads its material in place, one frame per output sample at any rate.
    ModelRig rig(3, 96000.0);
    kickPatch(rig);
    rig->noteOn(36, 100);
    rig->bodyDrive = 0.0;
    const float gain = static_cast<float>(1.0 * 1.3 * 0.5);
    for (int32_t n = 0; n < 200; ++n) {
        rig.render(1);
        const float expected = gain * attackSample3[2 * n] * rig->clickEnvLevel * rig->velocity;
        ASSERT_EQ(rig->filterStates[5], std::fabs(expected) < 1e-9f ? 0.0f : expected) << n;
    }

    // Model 2's click: attackAmount x 1.3 x the velocity, the body phase still.
    ModelRig two(2, 44100.0);
    kickPatch(two);
    two->noteOn(36, 100);
    for (int32_t n = 0; n < 28; ++n) {
        two.render(1);
        const float expected = static_cast<float>(1.3) * two->attackSample2[n] * two->velocity;
        ASSERT_EQ(two->filterStates[5], std::fabs(expected) < 1e-9f ? 0.0f : expected) << n;
    }
}

// At unity Volume the output stage passes values within -1..1: models 0, 1 and 3 add the filter
// output y (kept in the output memories), model 2 adds 2 y and is soft-clipped.
TEST(ModelStepsTest, WhatEachModelAddsToTheBuffers) {
    const auto softClip = [](float x) {
        x = std::clamp(x, -1.0f, 1.0f);
        const float cube = x * x * x;
        return x - 0.3333f * cube;
    };
    for (int32_t model = 0; model < 4; ++model) {
        ModelRig rig(model);
        kickPatch(rig);
        rig->noteOn(36, 100);
        int checked = 0;
        for (int32_t n = 0; n < 600; ++n) {
            rig.render(1);
            const float y = rig->filterStates[7];
            if (y == 0.0f)
                continue;
            ++checked;
            if (model == 2) {
                ASSERT_EQ(rig.left[0], softClip(2.0f * y)) << n;
                ASSERT_EQ(rig.right[0], softClip(2.0f * y)) << n;
            } else {
                ASSERT_EQ(rig.left[0], std::clamp(y, -1.0f, 1.0f)) << model << " " << n;
                ASSERT_EQ(rig.right[0], std::clamp(rig->filterStates[11], -1.0f, 1.0f)) << model << " " << n;
            }
        }
        EXPECT_GT(checked, 500) << model;
    }
}

// Model 4 adds its filter output y to both channels; models 5 and 7 add one value to both, model 6
// a different click to each.
TEST(ModelStepsTest, WhatModelsFourToSevenAddToTheBuffers) {
    for (int32_t model = 4; model < 8; ++model) {
        ModelRig rig(model);
        kickPatch(rig);
        rig->noteOn(36, 100);
        int differing = 0;
        for (int32_t n = 0; n < 600; ++n) {
            rig.render(1);
            if (model == 4) {
                ASSERT_EQ(rig.left[0], std::clamp(rig->filterStates[7], -1.0f, 1.0f)) << n;
            }
            if (model == 6) {
                differing += rig.left[0] != rig.right[0] ? 1 : 0;
            } else {
                ASSERT_EQ(rig.left[0], rig.right[0]) << model << " " << n;
            }
        }
        if (model == 6) {
            EXPECT_GT(differing, 500) << "the stereo attack sample";
        }
    }
}

TEST(ModelStepsTest, ModelTwoIsSoftClippedToTwoThirds) {
    const float ceiling = 1.0f - 0.3333f;
    for (float volume : {0.5f, 1.0f}) {
        ModelRig rig(2);
        kickPatch(rig);
        rig.set(kVolume, volume);
        rig->noteOn(36, 127);
        rig.render(20000);
        float peak = 0.0f;
        for (float v : rig.left)
            peak = std::max(peak, std::fabs(v));
        EXPECT_LE(peak, ceiling);
        if (volume == 1.0f) {
            EXPECT_EQ(peak, ceiling) << "the gain enters twice, so the clip is reached";
        }
    }
}

// A second note-on while the first is releasing, and the amplitude on its first sample.
TEST(ModelStepsTest, RetriggerDuringTheRelease) {
    const struct {
        int32_t model;
        float midi;
        const char* expectation;
    } cases[] = {
        {0, 0.0f, "ramps up from the level left"}, {1, 0.0f, "ramps up from the level left"},
        {0, 1.0f, "jumps to 1"},                   {1, 1.0f, "jumps to 1"},
        {2, 0.0f, "jumps to 1"},                   {3, 0.0f, "restarts from 0"},
        {3, 1.0f, "restarts from 0"},              {4, 1.0f, "jumps to 1"},
        {5, 1.0f, "ramps up from the level left"}, // towards the new velocity, above the level
        {6, 1.0f, "ramps up from the level left"}, {7, 0.0f, "ramps up from the level left"},
    };
    for (const auto& c : cases) {
        ModelRig rig(c.model, 48000.0);
        kickPatch(rig);
        rig.set(kMidi, c.midi);
        rig.set(kAmpSustain, 0.5f); // a hold of 19 ms (0.95 ms in models 4 to 7), past the attacks
        rig.set(kAmpDecay, 0.5f);
        rig->noteOn(36, 100);
        // The exponential releases of models 4 and 5 fall faster than the linear ones.
        rig.render(c.model == 4 || c.model == 5 ? 1200 : 4800);
        const uint8_t releaseStage = c.model == 3 ? 2 : c.model == 5 ? 3 : 1;
        ASSERT_EQ(rig->ampStage, releaseStage) << c.model;
        const double left = rig->ampEnvLevel;
        ASSERT_GT(left, 0.4);
        ASSERT_LT(left, 0.9);
        rig->noteOn(36, 100);
        rig.render(1);
        const std::string what = c.expectation;
        if (what == "ramps up from the level left")
            EXPECT_EQ(rig->ampEnvLevel, left + 1.0 / (48000.0 * 0.002)) << c.model;
        else if (what == "jumps to 1")
            EXPECT_EQ(rig->ampEnvLevel, 1.0) << c.model;
        else
            EXPECT_EQ(rig->ampEnvLevel, 1.0 / (48000.0 * 3.0 * 0.001)) << c.model;
    }
}

// Keyboard pitch (MIDI switch off): model 0 starts a note at the phase the last one left,
// model 1 at 0.
TEST(ModelStepsTest, ModelZeroCarriesItsPhaseFromNoteToNote) {
    for (int32_t model : {0, 1}) {
        ModelRig rig(model);
        kickPatch(rig);
        rig.set(kMidi, 0.0f);
        rig.set(kTimbreAttack, 0.0f);
        rig->noteOn(48, 100);
        rig.render(10000);
        const double left = rig->oscPhase;
        ASSERT_GT(left, 10.0);
        rig->noteOn(48, 100);
        rig.render(1);
        if (model == 0)
            EXPECT_GT(rig->oscPhase, left);
        else
            EXPECT_LT(rig->oscPhase, 0.1);
    }
}

// A table phase beyond 262144 cycles (a long held note, or model 0's phase carried over many
// notes) reads the same entry as its fraction, and so does a negative phase.
TEST(ModelStepsTest, BodyPhasesBeyondThirtyTwoBitIndicesStillSound) {
    for (int32_t model : {0, 1, 2, 3}) {
        float first[3] = {};
        const double phases[3] = {0.25, 300000.25, -300000.75};
        for (int k = 0; k < 3; ++k) {
            ModelRig rig(model);
            kickPatch(rig);
            rig.set(kMidi, 0.0f);
            rig.set(kTimbreAttack, 0.0f);
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
// the first run after the key is released begins the release.
// Model 4's hold ends at once but its level stays until the key is let go; model 5 holds at the
// velocity.
TEST(ModelStepsTest, AHeldKeyInGateModeHoldsTheLevel) {
    for (int32_t model = 0; model < 8; ++model) {
        ModelRig rig(model);
        kickPatch(rig);
        rig.set(kMidi, 0.0f);
        rig.set(kAmpSustain, 0.0f);
        rig->noteOn(36, 100);
        const double held = model == 5 ? 0.78125 : 1.0;
        rig.render(22050);
        EXPECT_GE(rig->ampEnvLevel, held) << model;
        EXPECT_EQ(rig->ampStage, model == 3 || model == 4 || model == 5 ? 1 : 0) << model;
        rig.render(22050);
        EXPECT_GE(rig->ampEnvLevel, held) << model;
        rig->noteOff(36);
        rig.render(100);
        EXPECT_LT(rig->ampEnvLevel, held) << model;
    }
}

// Model 3's extra sweep starts at Pitch-Start above the key even without Pitch-EnvAmt, and has
// gone after 10 ms.
TEST(ModelStepsTest, ModelThreeSweepsFromPitchStartForTenMilliseconds) {
    ModelRig rig(3);
    kickPatch(rig);
    rig.set(kPitchEnvAmt, 0.0f);
    rig.set(kPitchStart, 1.0f); // 1600 Hz
    rig->noteOn(36, 100);
    rig.render(1);
    const double firstHz = rig->model3Phase * 44100.0;
    EXPECT_NEAR(firstHz, 1600.0 * std::pow(1.0 - 1.0 / 441.0, 4.0), 2.0);
    rig.render(441);
    EXPECT_EQ(rig->model3EnvLevel, 0.0);
    const float before = rig->model3Phase;
    rig.render(1);
    EXPECT_NEAR((rig->model3Phase - before) * 44100.0, rig->bendSmoothed * 50.0, 0.5);
}

} // namespace
