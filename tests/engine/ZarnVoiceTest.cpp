#include <cmath>
#include <gtest/gtest.h>
#include <memory>

#include "RecordingOwner.h"
#include "engine/Zarn.h"

namespace {

// An engine at 44.1 kHz with program 0 applied, then keyboard pitch (MIDI switch off) and the
// given Amp-Sustain (0 = gate mode).
std::unique_ptr<Zarn> keyboardEngine(float sustain) {
    auto engine = std::make_unique<Zarn>();
    engine->setSampleRate(44100.0);
    engine->applyParameters();
    engine->setParameter(kMidi, 0.0f);
    engine->setParameter(kAmpSustain, sustain);
    return engine;
}

// Clears what a note start sets, so that the next note-on shows whether it restarted the voice.
void clearRestartMarkers(Zarn& engine) {
    engine.noteStarted = 0;
    engine.sampleCount = 1234;
    engine.ampStage = 2;
}

TEST(ZarnVoiceTest, NoteOnStartsTheVoiceAndLatchesTheFirstVelocity) {
    auto engine = keyboardEngine(0.5f);
    engine->noteOn(60, 100);
    EXPECT_EQ(engine->keyDown[60], 1);
    EXPECT_EQ(engine->baseFreq, Zarn::noteFrequency(60));
    EXPECT_EQ(engine->bodyDrive, 0.5);
    EXPECT_TRUE(engine->voiceActive == 1 && engine->noteStarted == 1);
    EXPECT_EQ(engine->noiseState, 0x12345768u * 214013u + 2531011u);
    EXPECT_EQ(engine->activeModel, 0) << "the new model took over at the note-on";
    EXPECT_EQ(engine->gateOpen, 0) << "only gate mode opens the gate";
    clearRestartMarkers(*engine);
    engine->noteOn(64, 127); // sustained mode retriggers every note
    EXPECT_TRUE(engine->noteStarted == 1 && engine->sampleCount == 0 && engine->ampStage == 0);
    EXPECT_EQ(engine->velocity, 0.9921875f);
    EXPECT_EQ(engine->latchedVelocity, 0.78125f) << "kept while sounding";
}

// A note above 96 is not played and a negative one names no key: neither may index keyDown.
TEST(ZarnVoiceTest, HighNotesAndNegativeNotesAreIgnored) {
    auto engine = keyboardEngine(0.5f);
    engine->noteOn(96, 100);
    engine->resetVoice();
    for (int8_t note : {int8_t{97}, int8_t{127}, int8_t{-1}, int8_t{-128}}) {
        engine->noteOn(note, 100);
        EXPECT_EQ(engine->voiceActive, 0) << int{note};
        EXPECT_EQ(engine->baseFreq, Zarn::noteFrequency(96)) << int{note};
        engine->noteOff(note);
    }
    for (int key = 0; key < 128; ++key)
        EXPECT_EQ(engine->keyDown[static_cast<std::size_t>(key)], key == 96 ? 1 : 0) << key;
}

TEST(ZarnVoiceTest, GateModeIsLegatoAndFollowsTheHighestHeldKey) {
    auto engine = keyboardEngine(0.0f);
    engine->noteOn(60, 100);
    EXPECT_EQ(engine->gateOpen, 1);
    clearRestartMarkers(*engine);
    engine->noteOn(64, 50); // legato: only the pitch moves
    EXPECT_EQ(engine->baseFreq, Zarn::noteFrequency(64));
    EXPECT_TRUE(engine->noteStarted == 0 && engine->sampleCount == 1234 && engine->ampStage == 2);
    EXPECT_EQ(engine->velocity, 0.78125f);
    engine->noteOff(64); // back to the key still held
    EXPECT_EQ(engine->baseFreq, Zarn::noteFrequency(60));
    EXPECT_TRUE(engine->gateOpen == 1 && engine->noteStarted == 0);
    engine->noteOff(60);
    EXPECT_EQ(engine->gateOpen, 0);
    EXPECT_EQ(engine->baseFreq, Zarn::noteFrequency(60));
    EXPECT_EQ(engine->voiceActive, 1) << "the release is render's business";
    engine->noteOn(62, 100); // the gate is closed: a fresh start
    EXPECT_TRUE(engine->gateOpen == 1 && engine->noteStarted == 1);

    // Whichever key is released, the pitch goes to the highest one still held.
    engine->noteOn(40, 100);
    engine->noteOn(70, 100);
    engine->noteOn(50, 100);
    engine->noteOff(40);
    EXPECT_EQ(engine->baseFreq, Zarn::noteFrequency(70));
    engine->noteOff(70);
    EXPECT_EQ(engine->baseFreq, Zarn::noteFrequency(62));
}

TEST(ZarnVoiceTest, FixedPitchPlaysFiftyHertzFromPhaseZeroWithoutLegato) {
    auto engine = keyboardEngine(0.0f);
    engine->setParameter(kMidi, 1.0f);
    engine->oscPhase = engine->model4Phase = 0.3;
    engine->model3Phase = 0.3f;
    engine->noteOn(60, 100);
    EXPECT_EQ(engine->baseFreq, 50.0);
    EXPECT_TRUE(engine->oscPhase == 0.0 && engine->model3Phase == 0.0f && engine->model4Phase == 0.0);
    EXPECT_EQ(engine->gateOpen, 0);
    clearRestartMarkers(*engine);
    engine->noteOn(72, 100);
    EXPECT_EQ(engine->noteStarted, 1);
    engine->gateOpen = 1;
    engine->noteOff(72);
    EXPECT_EQ(engine->baseFreq, 50.0);
    EXPECT_EQ(engine->gateOpen, 0);

    // With keyboard pitch the phases are the models' business.
    engine->setParameter(kMidi, 0.0f);
    engine->oscPhase = 0.3;
    engine->noteOn(62, 100);
    EXPECT_EQ(engine->oscPhase, 0.3);
}

TEST(ZarnVoiceTest, LfoPhaseRestartsUnlessFree) {
    auto engine = keyboardEngine(0.5f);
    for (float lfoFree : {0.0f, 1.0f}) {
        engine->setParameter(kLfoFree, lfoFree);
        engine->lfoPhase = 12345;
        engine->noteOn(60, 100);
        EXPECT_EQ(engine->lfoPhase, lfoFree > 0.0f ? 12345u : 0u);
    }
}

TEST(ZarnVoiceTest, ModelChangeTakesEffectAtTheNextNoteWithAReset) {
    auto engine = keyboardEngine(0.5f);
    engine->noteOn(60, 100);
    engine->setParameter(kModel, 3.0f / 7.0f);
    EXPECT_EQ(engine->activeModel, 0);
    engine->ampEnvLevel = 0.7;
    engine->filterStates[4] = 0.25f;
    engine->noteOn(62, 64);
    EXPECT_EQ(engine->activeModel, 3);
    EXPECT_EQ(engine->ampEnvLevel, 0.0);
    EXPECT_EQ(engine->filterStates[4], 0.0f);
    EXPECT_EQ(engine->latchedVelocity, 0.5f) << "the reset left the voice idle";
}

TEST(ZarnVoiceTest, PitchBend) {
    auto engine = std::make_unique<Zarn>();
    const std::pair<int32_t, double> cases[] = {
        {0, 0.8908987181403972}, {16383, 1.1224620483093 / std::pow(2.0, 2.0 / 12.0 / 8192.0)}, {8192, 1.0}};
    for (const auto& [value, factor] : cases) {
        engine->setPitchBend(value);
        EXPECT_NEAR(engine->bendFactor, factor, 1e-14) << value;
    }
    EXPECT_EQ(engine->bendFactor, 1.0);
}

// resetVoice clears the voice but not the keys, the LFO phase or the pitch smoother; reset does.
// allNotesOff leaves keys and voice alone; trigger starts the voice without a key.
TEST(ZarnVoiceTest, ResetsAllNotesOffAndTrigger) {
    auto engine = keyboardEngine(0.0f);
    engine->noteOn(60, 100);
    engine->allNotesOff();
    EXPECT_TRUE(engine->keyDown[60] == 1 && engine->gateOpen == 1 && engine->voiceActive == 1);
    engine->ampEnvLevel = engine->sinePhase = 0.5;
    engine->cycleIndex = 77;
    engine->contourLevel = 0.5f;
    engine->filterStates.fill(1.0f);
    engine->lfoPhase = 99;
    engine->bendSmoothed = 1.5;
    engine->resetVoice();
    EXPECT_TRUE(engine->voiceActive == 0 && engine->gateOpen == 0);
    EXPECT_TRUE(engine->ampEnvLevel == 0.0 && engine->sinePhase == 0.0 && engine->cycleIndex == 0);
    EXPECT_TRUE(engine->contourLevel == 0.0f && engine->clickEnvLevel == 1.0f);
    EXPECT_TRUE(engine->ampCurveSmoothed == 0.5 && engine->lfoDone == 1);
    for (float state : engine->filterStates)
        EXPECT_EQ(state, 0.0f);
    EXPECT_TRUE(engine->keyDown[60] == 1 && engine->lfoPhase == 99u && engine->bendSmoothed == 1.5);
    EXPECT_EQ(engine->velocity, 0.78125f);
    engine->reset();
    EXPECT_TRUE(engine->keyDown[60] == 0 && engine->bendSmoothed == 0.0);

    const double freq = engine->baseFreq;
    engine->trigger(64);
    EXPECT_TRUE(engine->voiceActive == 1 && engine->noteStarted == 1 && engine->gateOpen == 0);
    EXPECT_EQ(engine->velocity, 0.5f);
    EXPECT_EQ(engine->baseFreq, freq);
    for (uint8_t key : engine->keyDown)
        EXPECT_EQ(key, 0);
}

TEST(ZarnVoiceTest, LoadProgramGoesThroughTheOwnerAndIgnoresBadIndices) {
    auto engine = std::make_unique<Zarn>();
    RecordingOwner owner(*engine);
    engine->setSampleRate(44100.0);
    engine->noteOn(60, 100);
    engine->bendSmoothed = 1.0;
    engine->loadProgram(3);
    EXPECT_EQ(engine->programIndex, 3);
    EXPECT_TRUE(engine->voiceActive == 0 && engine->keyDown[60] == 0 && engine->bendSmoothed == 0.0);
    ASSERT_EQ(owner.calls.size(), 22u);
    for (int i = 0; i < kNumParams; ++i) {
        EXPECT_EQ(owner.calls[static_cast<std::size_t>(i)], std::make_pair(i, engine->programBank[3].values[i]));
        EXPECT_EQ(engine->paramValues[i], engine->programBank[3].values[i]);
    }
    EXPECT_EQ(engine->model, 4); // "Classic 808 QZ"
    EXPECT_EQ(engine->volumeGain, 1.0);
    owner.calls.clear();
    engine->loadProgram(64);
    engine->loadProgram(-1);
    EXPECT_TRUE(owner.calls.empty());
    EXPECT_EQ(engine->programIndex, 3);

    // Without an owner it only resets.
    auto bare = std::make_unique<Zarn>();
    bare->noteOn(60, 100);
    bare->loadProgram(5);
    EXPECT_EQ(bare->programIndex, 5);
    EXPECT_EQ(bare->voiceActive, 0);
}

} // namespace
