// The models at chosen samples, where the golden digests' scenario does not reach: body delays and
// click lengths of models 0 to 3 (also at 96 kHz and without a click), retriggers during the
// release with the MIDI switch on, holds in gate mode, body phases beyond the range of a 32-bit
// table index, model 5's deferred restart, amplitude ramps and silenced bursts, and model 6's
// contour up to its last breakpoint.
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

// For models 5 and 6: MIDI switch on, Volume at unity, no LFO or self-modulation, attackAmount 1.
const Patch kPlain = {{kMidi, 1.0f},         {kPitchLfoAmt, 0.0f}, {kTimbreSelfFm, 0.0f}, {kTimbreAttack, 0.5f},
                      {kTimbreColor, 1.0f}, {kVolume, 0.5f},      {kAmpSustain, 1.0f}};

// A filter memory as the end of a run leaves it.
float flushed(float value) {
    return std::fabs(value) < 1e-9f ? 0.0f : value;
}

TEST(ModelStepsTest, BodyDelaysOfModelsZeroToTwo) {
    // silentSamples: the body phase stays 0 for these samples of the note.
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

// The previous body runs on for W samples, fading by half every 0.2 ms; then the wave restarts at
// entry 0 and moves by whole entries: 74 per sample for 50 Hz at 44.1 kHz (74.3 truncated).
TEST(ModelStepsTest, ModelFiveDefersItsRestartByTwoMilliseconds) {
    const struct {
        double rate;
        int32_t delay;      // W
        uint16_t perSample; // whole entries per sample at 50 Hz
    } cases[] = {{44100.0, 88, 74}, {48000.0, 96, 68}, {96000.0, 192, 34}};
    for (const auto& c : cases) {
        ModelRig rig(5, c.rate, kPlain);
        rig.set({{kPitchEnvAmt, 0.0f}, {kPitchCoarse, 0.5f}, {kPitchFine, 0.5f}});
        rig->noteOn(36, 100);
        rig->bendSmoothed = rig->bendFactor * rig->coarseFactor; // settled at 50 Hz
        rig.render(2000);
        ASSERT_EQ(rig->fadeGain, 1.0);

        // A retrigger within the 2 ms postpones the restart by another W samples.
        rig->noteOn(36, 100);
        rig.render(c.delay / 2);
        rig->noteOn(36, 100);
        const double fade = rig->timeCoef(0.5, 0.2);
        double expectedFade = rig->fadeGain;
        for (int32_t n = 0; n < c.delay; ++n) {
            const uint16_t before = rig->cycleIndex;
            rig.render(1);
            expectedFade *= fade;
            ASSERT_EQ(rig->noteStarted, 1) << n;
            ASSERT_EQ(rig->fadeGain, expectedFade) << n;
            ASSERT_EQ(static_cast<uint16_t>(rig->cycleIndex - before), c.perSample) << "the old body runs on";
        }
        rig.render(1);
        EXPECT_EQ(rig->noteStarted, 0);
        EXPECT_EQ(rig->fadeGain, 1.0);
        EXPECT_EQ(rig->pitchEnvLevel, 1.0);
        EXPECT_EQ(rig->cycleIndex, c.perSample) << "restarted at entry 0, then one step";
        rig.render(10);
        EXPECT_EQ(rig->cycleIndex, 11 * c.perSample);
    }
}

// The amplitude moves towards each note's velocity at full scale per 2 ms, up or down, then holds.
TEST(ModelStepsTest, ModelFiveMovesItsAmplitudeTowardsTheVelocity) {
    ModelRig rig(5, 44100.0, kPlain);
    const double step = 1.0 / (44100.0 * 0.002);
    const struct { uint8_t velocity; double target; } notes[] = {{64, 0.5}, {127, 0.9921875}, {32, 0.25}};
    for (const auto& note : notes) {
        const double from = rig->ampEnvLevel;
        rig->noteOn(36, note.velocity);
        rig.render(1);
        EXPECT_DOUBLE_EQ(rig->ampEnvLevel, from + (note.target > from ? step : -step)) << int(note.velocity);
        rig.render(static_cast<int32_t>(std::ceil(std::fabs(note.target - from) / step)) - 2);
        EXPECT_EQ(rig->ampStage, 0) << int(note.velocity);
        rig.render(1);
        EXPECT_EQ(rig->ampEnvLevel, note.target) << int(note.velocity);
        EXPECT_EQ(rig->ampStage, 1) << int(note.velocity);
        rig.render(100);
        EXPECT_EQ(rig->ampEnvLevel, note.target) << "held";
    }
}

// With Timbre-Color 0 the noise is silent (the noise state makes no difference); with Timbre-Attack
// 0 the click is (its samples make none).
TEST(ModelStepsTest, ModelFiveBurstAmountsSilenceNoiseAndClick) {
    const struct {
        float color;
        float attack;
        bool noiseDiffers;
        bool clickDiffers;
    } cases[] = {{0.0f, 0.5f, false, true}, {0.5f, 0.0f, true, false}};
    for (const auto& c : cases) {
        for (bool changeNoise : {true, false}) {
            ModelRig a(5, 44100.0, kPlain);
            ModelRig b(5, 44100.0, kPlain);
            for (ModelRig* rig : {&a, &b}) {
                rig->set({{kTimbreColor, c.color}, {kTimbreAttack, c.attack}});
                (*rig)->noteOn(36, 100);
            }
            if (changeNoise)
                b->noiseState ^= 0x5A5A5A5Au;
            else
                std::fill_n(b->attackSample5.get(), b->attackSample5Length, 0.0f);
            a.render(2000);
            b.render(2000);
            EXPECT_EQ(a.left != b.left, changeNoise ? c.noiseDiffers : c.clickDiffers) << c.color << " " << c.attack;
        }
    }
}

// Breakpoint k is passed on the first sample whose count reaches its time; the target is 1.0 only
// between breakpoints 4 and 5 (counts 264 to 399 at 44.1 kHz). The index must never pass the
// table's last entry, the sentinel.
TEST(ModelStepsTest, ModelSixFollowsItsContourOneBreakpointPerSample) {
    ModelRig rig(6, 44100.0, kPlain);
    rig->noteOn(36, 100);
    rig.render(1);
    EXPECT_EQ(rig->contourIndex, 1) << "breakpoint 0 is passed at once";
    EXPECT_EQ(rig->contourTarget, 0.8777120113372803f) << "settled at the first level";
    const struct {
        uint32_t count;
        int32_t index;
    } steps[] = {{49, 1}, {50, 2}, {112, 2}, {113, 3}, {263, 4}, {264, 5}, {399, 5}, {400, 6}, {1971, 13}, {1972, 14}};
    for (const auto& step : steps) {
        rig.render(static_cast<int32_t>(step.count - rig->sampleCount));
        EXPECT_EQ(rig->contourIndex, step.index) << step.count;
    }
    rig.render(44100);
    EXPECT_EQ(rig->contourIndex, 14) << "the sentinel is never passed";
    // The single-precision smoothers stop a few ulps short of the level.
    EXPECT_NEAR(rig->contourLevel, 0.877712f, 1e-5f);
}

} // namespace
