// How models 5 and 6 start a note where the golden digests' scenario does not reach: model 5's
// deferred restart, fade, whole-step index, amplitude ramps and silenced bursts, and model 6's
// contour up to its last breakpoint.
#include <cmath>
#include <gtest/gtest.h>

#include "ModelRig.h"

namespace {

// MIDI switch on, Volume at unity, no LFO or self-modulation, attackAmount 1.
const Patch kPlain = {{kMidi, 1.0f},         {kPitchLfoAmt, 0.0f}, {kTimbreSelfFm, 0.0f}, {kTimbreAttack, 0.5f},
                      {kTimbreColor, 1.0f}, {kVolume, 0.5f},      {kAmpSustain, 1.0f}};

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

} // namespace
