// Voice steps at chosen samples where the golden digests' scenarios do not reach: holds in gate
// mode, the timbre rise of each model group, the retrigger threshold of models 6 and 7, model 3's
// clamp, the flush constants and the truncated hold lengths.
#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>

#include "ModelRig.h"
#include "engine/VoiceMath.h"

namespace {

// Keys 0 to 96 play at 440 x 2^((n - 69) / 12) Hz and 97 and above are ignored; a key let go
// hands the pitch to the highest key still held, key 0 too. A program load lets every key go,
// leaves the voice idle and maps the program's values.
TEST(VoiceStepsTest, KeysTheirPitchesAndAProgramLoad) {
    ModelRig rig(0, 44100.0, {{kMidi, 0.0f}, {kAmpSustain, 0.5f}});
    const std::pair<int8_t, double> keys[] = {{0, 8.1757989156}, {3, 9.7227}, {4, 10.3009}, {60, 261.625565}, {96, 2093.004522}};
    for (const auto& [note, hz] : keys) {
        rig->noteOn(note, 100);
        EXPECT_NEAR(rig->baseFreq, hz, 1e-4) << +note;
    }
    rig->resetVoice();
    rig->noteOn(97, 100);
    EXPECT_EQ(rig->keyDown[97] + rig->voiceActive, 0);
    EXPECT_NEAR(rig->baseFreq, 2093.004522, 1e-6);
    for (int i = 4; i > 0; --i) {
        rig->noteOff(keys[i].first);
        EXPECT_NEAR(rig->baseFreq, keys[i - 1].second, 1e-4) << "after key " << +keys[i].first;
    }
    // A note-on latches its velocity only when it finds the voice idle.
    rig->noteOn(40, 100);
    rig->noteOn(40, 127);
    EXPECT_EQ(std::pair(rig->velocity, rig->latchedVelocity), std::pair(0.9921875f, 0.78125f));
    // Gate mode's open gate closes at a note-off with the MIDI switch on too.
    rig.set({{kAmpSustain, 0.0f}, {kMidi, 0.0f}});
    rig->noteOff(40);
    rig->noteOn(40, 127);
    rig.set(kMidi, 1.0f);
    rig->noteOff(40);
    EXPECT_EQ(rig->gateOpen, 0);
    rig->noteOn(40, 127);
    rig->loadProgram(3);
    EXPECT_EQ(std::count(rig->keyDown.begin(), rig->keyDown.end(), 1) + rig->voiceActive, 0);
    EXPECT_EQ(rig->model, 4);
    EXPECT_EQ(rig->fixedPitch, 1);
}

// Gate mode (Amp-Sustain 0, MIDI switch off): a held key keeps the amplitude at its hold level
// (model 5's is the velocity); the first run after the key is let go begins the release.
TEST(VoiceStepsTest, AHeldKeyInGateModeHoldsTheLevelUntilItIsLetGo) {
    for (int32_t model = 0; model < 8; ++model) {
        ModelRig rig(model, 44100.0, {{kMidi, 0.0f}, {kAmpSustain, 0.0f}, {kAmpDecay, 0.0f}});
        rig->noteOn(40, 64);
        rig.render(8820);
        const double hold = model == 5 ? 0.5 : 1.0; // model 3's attack may pass 1 by one step
        EXPECT_NEAR(rig->ampEnvLevel, hold, 0.006) << "model " << model;
        rig->noteOff(40);
        rig.render(64);
        EXPECT_LT(rig->ampEnvLevel, hold - 0.01) << "model " << model;
    }
}

// The timbre level rises from 0 to 1 in 0.25 ms in models 0 to 3 and in 2.5 ms in models 4 and 5.
TEST(VoiceStepsTest, TheTimbreLevelRisesInEachModelsTime) {
    for (int32_t model = 0; model < 6; ++model) {
        ModelRig rig(model);
        rig->noteOn(40, 100);
        rig.render(5);
        EXPECT_NEAR(rig->timbreEnvLevel, model < 4 ? 0.45351473922902497 : 0.045351473922902494, 1e-12)
            << "model " << model;
    }
}

// A note-on while the level is 0.01 or more keeps the sounding note's phase and level; below, the
// note starts afresh from silence (the first sample then holds one attack step, 1 / 88.2).
TEST(VoiceStepsTest, ModelsSixAndSevenKeepASoundingNoteFromALevelOfOneHundredth) {
    for (int32_t model : {6, 7}) {
        for (const auto& [level, afterOneSample] :
             {std::pair{0.0099, 1.0 / 88.2}, {0.01, 0.01 + 1.0 / 88.2}, {0.02, 0.02 + 1.0 / 88.2}}) {
            ModelRig rig(model, 44100.0, {{kMidi, 1.0f}});
            rig->noteOn(40, 100);
            rig.render(100);
            rig->ampEnvLevel = level;
            rig->noteOn(40, 100);
            rig.render(1);
            EXPECT_NEAR(rig->ampEnvLevel, afterOneSample, 1e-9) << "model " << model << " from " << level;
        }
    }
}

// Model 3 clamps its driven body to -1..1 before the cubic soft clip, so the body never leaves
// -2/3..2/3, even driven far beyond full scale (an Amp-Curve far outside its range).
TEST(VoiceStepsTest, ModelThreesBodyStaysWithinTwoThirds) {
    ModelRig rig(3, 44100.0, {{kTimbreAttack, 0.0f}, {kTimbreColor, 1.0f}, {kAmpCurve, -3.0f}, {kVolume, 0.5f}});
    rig->noteOn(40, 127);
    rig.render(4410);
    const float peak = std::fabs(*std::max_element(rig.left.begin(), rig.left.end(),
                                                   [](float a, float b) { return std::fabs(a) < std::fabs(b); }));
    EXPECT_GT(peak, 0.6f * rig->velocity);
    EXPECT_LT(peak, 0.67f * rig->velocity);
}

// Table phases are never wrapped: a phase beyond 262144 cycles, where a 32-bit index overflows, a
// negative one and a non-finite one still read an entry of the table (the low 13 bits).
TEST(VoiceStepsTest, TableEntriesOfAnyPhase) {
    EXPECT_EQ(voice::tableEntry(8192.0 * 262144.0 * 3.0 + 8195.5), 3);
    EXPECT_EQ(voice::tableEntry(8192.0 * 1e12 + 8192.0 * 3.0 + 7.0), 7);
    EXPECT_EQ(voice::tableEntry(-1.5), 8191);
    EXPECT_EQ(voice::tableEntry(std::nan("")), 0);
}

// The flush bound is 1e-9 in single precision, widened (9.999999717e-10): a value just below 1e-9
// but above the bound is kept. Render flushes the voice's levels with it (a run with no model,
// activeModel 8, changes nothing else); the models flush their memories with it.
TEST(VoiceStepsTest, FlushBoundIsTheSinglePrecisionBillionth) {
    constexpr double kKept = 9.9999998e-10;
    constexpr double kFlushed = 9.9999997e-10;
    EXPECT_EQ(voice::flushedMemory(kKept), static_cast<float>(kKept));
    EXPECT_EQ(voice::flushedMemory(-kFlushed), 0.0f);
    ModelRig rig(0, 44100.0, {{kModel, 1.2f}, {kAmpSustain, 1.0f}});
    rig->noteOn(40, 100);
    ASSERT_EQ(rig->activeModel, 8);
    rig->ampCurveSmoothed = kKept;
    rig->bendSmoothed = -kFlushed;
    rig->fadeGain = -kKept;
    rig->clickEnvLevel = 1e-9f;
    rig.render(1);
    EXPECT_EQ(rig->ampCurveSmoothed, kKept);
    EXPECT_EQ(rig->bendSmoothed, 0.0);
    EXPECT_EQ(rig->fadeGain, -kKept);
    EXPECT_EQ(rig->clickEnvLevel, 1e-9f);
    rig->clickEnvLevel = std::nextafter(1e-9f, 0.0f);
    rig.render(1);
    EXPECT_EQ(rig->clickEnvLevel, 0.0f);
}

// Hold lengths are the whole part of the hold time in samples, truncated: 441.7 samples hold for
// 441, both in the model's hold (model 0's release may begin on sample 441) and in render's end
// of the voice (a silent voice with no model ends once 441 samples have passed).
TEST(VoiceStepsTest, HoldLengthsAreTruncated) {
    constexpr float kHoldSeconds = 441.7f / 44100.0f;
    ModelRig rig(0, 44100.0, {{kMidi, 1.0f}});
    rig->noteOn(40, 100);
    rig->sustainTime = kHoldSeconds;
    rig.render(441);
    EXPECT_EQ(rig->ampStage, 0);
    rig.render(1);
    EXPECT_EQ(rig->ampStage, 1);

    ModelRig silent(0, 44100.0, {{kModel, 1.2f}});
    silent->noteOn(40, 100);
    silent->sustainTime = kHoldSeconds;
    silent->ampEnvLevel = 0.0;
    silent->timbreEnvLevel = 0.0;
    silent->sampleCount = 440;
    silent.render(1);
    EXPECT_EQ(silent->voiceActive, 1);
    silent->sampleCount = 441;
    silent.render(1);
    EXPECT_EQ(silent->voiceActive, 0);
}

// A click smoother all but frozen (Timbre-Color far below its range) still lets the voice end.
TEST(VoiceStepsTest, AStuckClickSmootherDoesNotKeepTheVoice) {
    ModelRig rig(7, 44100.0, {{kTimbreColor, -3.0f}, {kMidi, 1.0f}, {kAmpSustain, 0.0f}, {kAmpDecay, 0.0f}});
    rig->noteOn(40, 127);
    rig.render(88200);
    EXPECT_EQ(rig->voiceActive, 0);
}

} // namespace
