// How models 4 to 7 start a note: model 4's click and the body that continues it, model 5's
// deferred restart, fade and whole-step index, models 6 and 7's start frame, contour and
// retrigger while the note still sounds.
#include <cmath>
#include <gtest/gtest.h>

#include "ModelRig.h"

namespace {

// MIDI switch on, Volume at unity, no LFO or self-modulation, attackAmount 1.
const Patch kPlain = {{kMidi, 1.0f},         {kPitchLfoAmt, 0.0f}, {kTimbreSelfFm, 0.0f}, {kTimbreAttack, 0.5f},
                      {kTimbreColor, 1.0f}, {kVolume, 0.5f},      {kAmpSustain, 1.0f}};

// A filter memory as the end of a run leaves it.
float flushed(float value) {
    return std::fabs(value) < 1e-9f ? 0.0f : value;
}

// The body's normaliser N makes its first value the click's last; it must stay finite.
TEST(ModelNoteStartTest, ModelFourPlaysItsClickThenTheBodyContinuesIt) {
    for (double rate : {44100.0, 48000.0}) {
        for (float curve : {1.0f, 0.0f}) {
            ModelRig rig(4, rate, kPlain);
            rig.set(kAmpCurve, curve);
            rig->noteOn(36, 100);
            rig->ampCurveSmoothed = curve; // settled
            const uint32_t bodyStart = rate == 44100.0 ? 225 : 244; // the click's length minus 1
            ASSERT_EQ(static_cast<uint32_t>(rig->attackSample4Length), bodyStart + 1);
            for (uint32_t n = 0; n < bodyStart; ++n) {
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
            EXPECT_EQ(rig->filterStates[5], body * rig->velocity) << rate << " curve " << curve;
            EXPECT_NE(rig->model4Phase, -1.0 / 24.0);
        }
    }
}

// In model 4 Timbre-Attack sets the low-pass, not the click's level.
TEST(ModelNoteStartTest, ModelFourTimbreAttackOnlyChangesTheBrightness) {
    ModelRig dark(4, 44100.0, kPlain);
    ModelRig bright(4, 44100.0, kPlain);
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
        ModelRig rig(4, c.rate, kPlain);
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
TEST(ModelNoteStartTest, ModelFiveMovesItsAmplitudeTowardsTheVelocity) {
    ModelRig rig(5, 44100.0, kPlain);
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
TEST(ModelNoteStartTest, ModelFiveBurstAmountsSilenceNoiseAndClick) {
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
        {6, 44100.0, 28, 28, true},  {6, 44100.0, 28, 27, false}, {6, 48000.0, 31, 31, true},
        {6, 48000.0, 31, 30, false}, {7, 44100.0, 1, 1, true},    {7, 44100.0, 1, 0, false},
    };
    for (const auto& c : cases) {
        ModelRig rig(c.model, c.rate, kPlain);
        const bool stereo = c.model == 6;
        float* attack = stereo ? rig->attackSample6.get() : rig->attackSample7.get();
        std::fill_n(attack, stereo ? 2 * rig->attackSample6Length : rig->attackSample7Length, 0.0f);
        attack[stereo ? 2 * c.marker : c.marker] = 1.0f;
        rig->noteOn(36, 100);
        rig.render(1);
        EXPECT_EQ(rig->sampleCount, c.firstCount) << c.model << " at " << c.rate;
        const std::size_t click = stereo ? 1 : 3;
        EXPECT_EQ(rig->filterStates[click] != 0.0f, c.heard) << c.model << " at " << c.rate << ", marker " << c.marker;
        rig.render(500);
        EXPECT_TRUE(c.heard || rig->filterStates[click] == 0.0f) << "never heard";
    }
}

// Breakpoint k is passed on the first sample whose count reaches its time; the target is 1.0 only
// between breakpoints 4 and 5 (counts 264 to 399 at 44.1 kHz). The index must never pass the
// table's last entry, the sentinel.
TEST(ModelNoteStartTest, ModelSixFollowsItsContourOneBreakpointPerSample) {
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

// A note-on while the level is 0.01 or more keeps the phase, the pitch envelope (which rises back)
// and the contour smoothers; after the note has died away everything starts afresh.
TEST(ModelNoteStartTest, ModelsSixAndSevenKeepASoundingOscillatorOnRetrigger) {
    for (int32_t model : {6, 7}) {
        const double rate = 48000.0;
        const double rise = (model == 6 ? 500.0 : 1000.0) / rate;
        ModelRig rig(model, rate, kPlain);
        rig.set({{kAmpSustain, 0.0f}, {kAmpDecay, 0.2f}});
        rig->noteOn(36, 100);
        rig.render(2400);
        ASSERT_GT(rig->ampEnvLevel, 0.01);
        ASSERT_EQ(rig->timbreStage, 1) << "the pitch envelope is falling";
        rig->sinePhase = 0.5;
        const double pitchLevel = rig->pitchEnvLevel;
        const double level = rig->ampEnvLevel;
        rig->noteOn(36, 100);
        rig.render(1);
        EXPECT_NEAR(rig->sinePhase, 0.5, 0.02) << model;
        EXPECT_EQ(rig->pitchEnvLevel, pitchLevel + rise) << model;
        EXPECT_EQ(rig->ampEnvLevel, level + 1.0 / (rate * 0.002)) << model;
        if (model == 6) {
            EXPECT_EQ(rig->contourIndex, 1);
            EXPECT_NE(rig->contourLevel, 0.8777120113372803f) << "carried on";
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
        EXPECT_TRUE(model == 7 || rig->contourLevel == 0.8777120113372803f) << "the contour starts afresh";
    }
}

// The click gain starts at 0.25 and halves every Timbre-Decay x 30 ms: 1.875 ms to 480 ms.
TEST(ModelNoteStartTest, ModelsSixAndSevenClickHalvesEveryTimbreDecayTimesThirty) {
    for (int32_t model : {6, 7}) {
        for (const auto& [timbreDecay, halfLife] : {std::pair{0.0f, 90}, std::pair{1.0f, 23040}}) { // samples at 48 kHz
            ModelRig rig(model, 48000.0, kPlain);
            rig.set(kTimbreDecay, timbreDecay);
            rig->noteOn(36, 100);
            rig.render(halfLife);
            EXPECT_NEAR(rig->filterStates[2], 0.125f, 2e-6f) << model << " " << timbreDecay;
        }
    }
}

} // namespace
