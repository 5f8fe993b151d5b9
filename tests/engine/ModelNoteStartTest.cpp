// How models 4 to 7 start a note: model 4's click and the body that continues it, model 5's
// deferred restart, fade and whole-step index, models 6 and 7's start frame, contour and
// retrigger while the note still sounds.
#include <cmath>
#include <gtest/gtest.h>

#include "ModelRig.h"

namespace {

// MIDI switch on, Volume at unity, no LFO or self-modulation, attackAmount 1.
void plainPatch(ModelRig& rig) {
    rig.set(kMidi, 1.0f);
    rig.set(kPitchLfoAmt, 0.0f);
    rig.set(kTimbreSelfFm, 0.0f);
    rig.set(kTimbreAttack, 0.5f);
    rig.set(kTimbreColor, 1.0f);
    rig.set(kVolume, 0.5f);
    rig.set(kAmpSustain, 1.0f);
}

// A filter memory as the end of a run leaves it.
float flushed(float value) {
    return std::fabs(value) < 1e-9f ? 0.0f : value;
}

TEST(ModelNoteStartTest, ModelFourPlaysItsClickThenTheBodyContinuesIt) {
    const struct {
        double rate;
        uint32_t bodyStart; // the click's length minus 1
    } cases[] = {{44100.0, 225}, {48000.0, 244}};
    for (const auto& c : cases) {
        for (float curve : {1.0f, 0.0f}) {
            ModelRig rig(4, c.rate);
            plainPatch(rig);
            rig.set(kAmpCurve, curve);
            rig->noteOn(36, 100);
            rig->ampCurveSmoothed = curve; // settled
            ASSERT_EQ(static_cast<uint32_t>(rig->attackSample4Length), c.bodyStart + 1);
            for (uint32_t n = 0; n < c.bodyStart; ++n) {
                rig.render(1);
                ASSERT_EQ(rig->filterStates[5], flushed(rig->attackSample4[n] * rig->velocity)) << n;
            }
            EXPECT_EQ(rig->model4Phase, -1.0 / 24.0) << "the phase waits for the body";
            rig.render(1);
            // At level 1 the two-way shaping gives e = 1 with Amp-Curve 1 and the sigmoid of 1 with 0.
            const double e = curve == 1.0f ? 1.0 : 1.0 / (std::exp(-10.0) + 1.0);
            const double normaliser = -0.315185546875 / std::tanh(std::sin(-0.2617993877991494) * 0.5);
            const auto body = static_cast<float>(std::tanh(e * std::sin(-0.2617993877991494) * 0.5) * normaliser);
            if (curve == 1.0f) {
                EXPECT_EQ(body, -0.315185546875f) << "the click's last value, which the body replaces";
            }
            EXPECT_EQ(rig->filterStates[5], body * rig->velocity) << c.rate << " curve " << curve;
            EXPECT_NE(rig->model4Phase, -1.0 / 24.0);
        }
    }
}

// In model 4 Timbre-Attack sets the low-pass, not the click's level.
TEST(ModelNoteStartTest, ModelFourTimbreAttackOnlyChangesTheBrightness) {
    ModelRig dark(4);
    ModelRig bright(4);
    plainPatch(dark);
    plainPatch(bright);
    dark.set(kTimbreAttack, 0.0f);
    bright.set(kTimbreAttack, 1.0f);
    dark->noteOn(36, 100);
    bright->noteOn(36, 100);
    int differing = 0;
    for (int n = 0; n < 400; ++n) {
        dark.render(1);
        bright.render(1);
        ASSERT_EQ(dark->filterStates[5], bright->filterStates[5]) << "the filter input, sample " << n;
        differing += dark.left[0] != bright.left[0] ? 1 : 0;
    }
    EXPECT_GT(differing, 390);
}

// The hold of models 4 to 7 is a twentieth of Amp-Sustain's time; model 4 then releases by
// Amp-Decay's per-sample factor.
TEST(ModelNoteStartTest, ModelFourHoldsAtOneThenReleasesExponentially) {
    const struct {
        float sustain;
        double rate;
        int32_t hold;
    } cases[] = {{1.0f, 44100.0, 882}, {1.0f, 48000.0, 960}, {0.0f, 44100.0, 0}};
    for (const auto& c : cases) {
        ModelRig rig(4, c.rate);
        plainPatch(rig);
        rig.set(kAmpSustain, c.sustain);
        rig->noteOn(36, 100);
        rig.render(c.hold + 1);
        EXPECT_EQ(rig->ampEnvLevel, 1.0) << c.hold;
        EXPECT_EQ(rig->ampStage, 1) << c.hold;
        rig.render(1);
        EXPECT_EQ(rig->ampEnvLevel, static_cast<double>(rig->ampReleaseCoef)) << c.hold;
    }
}

// The previous body runs on for W samples, fading by half every 0.2 ms; then the wave restarts at
// entry 0 and moves by whole entries: 74 per sample for 50 Hz at 44.1 kHz (74.3 truncated).
TEST(ModelNoteStartTest, ModelFiveDefersItsRestartByTwoMilliseconds) {
    const struct {
        double rate;
        int32_t delay;     // W
        uint16_t perSample; // whole entries per sample at 50 Hz
    } cases[] = {{44100.0, 88, 74}, {48000.0, 96, 68}, {96000.0, 192, 34}};
    for (const auto& c : cases) {
        ModelRig rig(5, c.rate);
        plainPatch(rig);
        rig.set(kPitchEnvAmt, 0.0f);
        rig.set(kPitchCoarse, 0.5f);
        rig.set(kPitchFine, 0.5f);
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
TEST(ModelNoteStartTest, ModelFiveMovesItsAmplitudeTowardsTheVelocity) {
    ModelRig rig(5);
    plainPatch(rig);
    const double step = 1.0 / (44100.0 * 0.002);
    const struct {
        uint8_t velocity;
        double target;
    } notes[] = {{64, 0.5}, {127, 0.9921875}, {32, 0.25}};
    for (const auto& note : notes) {
        const double from = rig->ampEnvLevel;
        rig->noteOn(36, note.velocity);
        rig.render(1);
        EXPECT_DOUBLE_EQ(rig->ampEnvLevel, from + (note.target > from ? step : -step)) << int(note.velocity);
        const auto samples = static_cast<int32_t>(std::ceil(std::fabs(note.target - from) / step));
        rig.render(samples - 2);
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
TEST(ModelNoteStartTest, ModelFiveBurstAmountsSilenceNoiseAndClick) {
    const struct {
        float color;
        float attack;
        bool noiseDiffers;
        bool clickDiffers;
    } cases[] = {{0.0f, 0.5f, false, true}, {0.5f, 0.0f, true, false}};
    for (const auto& c : cases) {
        for (bool changeNoise : {true, false}) {
            ModelRig a(5);
            ModelRig b(5);
            for (ModelRig* rig : {&a, &b}) {
                plainPatch(*rig);
                rig->set(kTimbreColor, c.color);
                rig->set(kTimbreAttack, c.attack);
                (*rig)->noteOn(36, 100);
            }
            if (changeNoise)
                b->noiseState ^= 0x5A5A5A5Au;
            else
                std::fill_n(b->attackSample5.get(), b->attackSample5Length, 0.0f);
            a.render(2000);
            b.render(2000);
            const bool differs = a.left != b.left;
            EXPECT_EQ(differs, changeNoise ? c.noiseDiffers : c.clickDiffers) << c.color << " " << c.attack;
        }
    }
}

// Model 6 starts its count at rate / 1600 and plays attack frame count + 1 first; model 7 starts
// at 0 and plays entry 1 first, so entry 0 is never heard. A marker frame in an otherwise silent
// attack sample shows which.
TEST(ModelNoteStartTest, ModelsSixAndSevenStartTheirAttackSampleAfterTheirCount) {
    const struct {
        int32_t model;
        double rate;
        uint32_t firstCount;
        int32_t marker;
        bool heard;
    } cases[] = {
        {6, 44100.0, 28, 28, true}, {6, 44100.0, 28, 27, false}, {6, 48000.0, 31, 31, true},
        {6, 48000.0, 31, 30, false}, {7, 44100.0, 1, 1, true},   {7, 44100.0, 1, 0, false},
    };
    for (const auto& c : cases) {
        ModelRig rig(c.model, c.rate);
        plainPatch(rig);
        const bool stereo = c.model == 6;
        float* attack = stereo ? rig->attackSample6.get() : rig->attackSample7.get();
        const int32_t entries = stereo ? 2 * rig->attackSample6Length : rig->attackSample7Length;
        std::fill_n(attack, entries, 0.0f);
        attack[stereo ? 2 * c.marker : c.marker] = 1.0f;
        rig->noteOn(36, 100);
        rig.render(1);
        EXPECT_EQ(rig->sampleCount, c.firstCount) << c.model << " at " << c.rate;
        const float click = rig->filterStates[stereo ? 1 : 3];
        EXPECT_EQ(click != 0.0f, c.heard) << c.model << " at " << c.rate << ", marker " << c.marker;
        rig.render(500);
        if (!c.heard) {
            EXPECT_EQ(rig->filterStates[stereo ? 1 : 3], 0.0f) << "never heard";
        }
    }
}

// Breakpoint k is passed on the first sample whose count reaches its time; the target is 1.0 only
// between breakpoints 4 and 5 (counts 264 to 399 at 44.1 kHz).
TEST(ModelNoteStartTest, ModelSixFollowsItsContourOneBreakpointPerSample) {
    ModelRig rig(6);
    plainPatch(rig);
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
        ASSERT_EQ(rig->sampleCount, step.count);
        EXPECT_EQ(rig->contourIndex, step.index) << step.count;
    }
    rig.render(44100);
    EXPECT_EQ(rig->contourIndex, 14) << "the sentinel is never passed";
    // The single-precision smoothers stop a few ulps short of the level.
    EXPECT_NEAR(rig->contourLevel, 0.877712f, 1e-5f);
}

// A note-on while the level is 0.01 or more keeps the phase, the pitch envelope (which rises back)
// and the contour smoothers; after the note has died away everything starts afresh.
TEST(ModelNoteStartTest, ModelsSixAndSevenKeepASoundingOscillatorOnRetrigger) {
    for (int32_t model : {6, 7}) {
        const double rate = 48000.0;
        const double rise = (model == 6 ? 500.0 : 1000.0) / rate;
        ModelRig rig(model, rate);
        plainPatch(rig);
        rig.set(kAmpSustain, 0.0f);
        rig.set(kAmpDecay, 0.2f);
        rig->noteOn(36, 100);
        rig.render(2400);
        ASSERT_GT(rig->ampEnvLevel, 0.01);
        ASSERT_EQ(rig->timbreStage, 1) << "the pitch envelope is falling";
        rig->sinePhase = 0.5;
        const double pitchLevel = rig->pitchEnvLevel;
        const double level = rig->ampEnvLevel;
        const float contour = rig->contourLevel;
        rig->noteOn(36, 100);
        rig.render(1);
        EXPECT_NEAR(rig->sinePhase, 0.5, 0.02) << model;
        EXPECT_EQ(rig->pitchEnvLevel, pitchLevel + rise) << model;
        EXPECT_EQ(rig->ampEnvLevel, level + 1.0 / (rate * 0.002)) << model;
        if (model == 6) {
            EXPECT_EQ(rig->contourIndex, 1);
            EXPECT_NE(rig->contourLevel, 0.8777120113372803f) << "carried on from " << contour;
        }
        const double clickDecay = rig->timeCoef(0.5, static_cast<double>(rig->timbreDecay * 30.0f));
        EXPECT_EQ(rig->filterStates[2], static_cast<float>(0.25 * clickDecay)) << "the click restarts";

        rig.render(static_cast<int32_t>(rate));
        ASSERT_LT(rig->ampEnvLevel, 0.01);
        rig->sinePhase = 0.5;
        rig->noteOn(36, 100);
        rig.render(1);
        EXPECT_LT(rig->sinePhase, 0.02) << model;
        EXPECT_EQ(rig->pitchEnvLevel, 1.0) << model;
        EXPECT_EQ(rig->ampEnvLevel, 1.0 / (rate * 0.002)) << model;
        if (model == 6) {
            EXPECT_EQ(rig->contourLevel, 0.8777120113372803f);
        }
    }
}

// The click gain starts at 0.25 and halves every Timbre-Decay x 30 ms: 1.875 ms to 480 ms.
TEST(ModelNoteStartTest, ModelsSixAndSevenClickHalvesEveryTimbreDecayTimesThirty) {
    const struct {
        float timbreDecay;
        int32_t halfLife; // samples at 48 kHz
    } cases[] = {{0.0f, 90}, {1.0f, 23040}};
    for (int32_t model : {6, 7}) {
        for (const auto& c : cases) {
            ModelRig rig(model, 48000.0);
            plainPatch(rig);
            rig.set(kTimbreDecay, c.timbreDecay);
            rig->noteOn(36, 100);
            rig.render(c.halfLife);
            EXPECT_NEAR(rig->filterStates[2], 0.125f, 2e-6f) << model << " " << c.timbreDecay;
        }
    }
}

} // namespace
