#include "engine/Zarn.h"

#include <algorithm>
#include <cmath>

double Zarn::noteFrequency(int32_t note) {
    static const std::array<double, 128> table = [] {
        std::array<double, 128> values{};
        for (int32_t n = 0; n < 128; ++n)
            values[n] = 440.0 * std::pow(2.0, static_cast<double>(n - 69) / 12.0);
        return values;
    }();
    return table[static_cast<std::size_t>(note) & 127u];
}

void Zarn::noteOn(int8_t note, uint8_t vel, uint8_t /*layer*/) {
    // Notes above 96 are not played; a negative note cannot name a key.
    if (note > kHighestPlayedNote || note < 0)
        return;
    keyDown[static_cast<std::size_t>(note)] = 1;
    if (model != activeModel) {
        resetVoice();
        activeModel = model;
    }
    baseFreq = 50.0;
    bodyDrive = 0.5;
    if (fixedPitch == 0) {
        baseFreq = noteFrequency(note);
        if (sustainTime == 0.0f) {
            // Gate mode: a key pressed while another holds the gate only moves the pitch.
            if (gateOpen != 0)
                return;
            gateOpen = 1;
        }
    }
    startVoice(vel);
}

void Zarn::trigger(uint8_t vel) {
    startVoice(vel);
}

void Zarn::startVoice(uint8_t vel) {
    if (lfoFree == 0)
        lfoPhase = 0;
    noteStarted = 1;
    sampleCount = 0;
    ampStage = 0;
    timbreStage = 0;
    if (fixedPitch != 0) {
        oscPhase = 0.0;
        model3Phase = 0.0f;
        model4Phase = 0.0;
    }
    noiseState = noiseState * 214013u + 2531011u;
    velocity = static_cast<float>(vel) * 0.0078125f;
    if (voiceActive == 0)
        latchedVelocity = velocity;
    voiceActive = 1;
}

void Zarn::noteOff(int8_t note) {
    if (note < 0)
        return;
    keyDown[static_cast<std::size_t>(note)] = 0;
    if (fixedPitch != 0) {
        gateOpen = 0;
        return;
    }
    // The highest key still held takes over the pitch without a retrigger.
    for (int32_t key = 127; key >= 0; --key) {
        if (keyDown[static_cast<std::size_t>(key)] != 0) {
            baseFreq = noteFrequency(key);
            return;
        }
    }
    gateOpen = 0;
}

void Zarn::setPitchBend(int32_t value) {
    bendFactor = expScale(0.8908987181403972, 1.1224620483093, static_cast<double>(value) * 6.103515625e-05);
}

void Zarn::allNotesOff() {
    // Controller 123 leaves keys and voice as they are.
}

void Zarn::loadProgram(int32_t index) {
    if (index < 0 || index >= kNumPrograms)
        return;
    programIndex = index;
    bendSmoothed = 0.0;
    keyDown.fill(0);
    resetVoice();
    if (owner == nullptr)
        return;
    // Copied first: the owner writes each value back into the current program as it goes.
    std::array<float, kNumParams> values{};
    std::copy_n(programBank[index].values, kNumParams, values.begin());
    for (int32_t i = 0; i < kNumParams; ++i)
        owner->setParameter(i, values[static_cast<std::size_t>(i)]);
}

void Zarn::resetVoice() {
    voiceActive = 0;
    gateOpen = 0;
    sampleCount = 0;
    latchedVelocity = 0.0f;
    ampStage = 0;
    timbreStage = 0;
    ampEnvLevel = 0.0;
    timbreEnvLevel = 0.0;
    pitchEnvLevel = 1.0;
    model3EnvLevel = 1.0;
    clickEnvLevel = 1.0f;
    fadeGain = 1.0;
    ampCurveSmoothed = 0.5;
    oscPhase = 0.0;
    model3Phase = 0.0f;
    model4Phase = 0.0;
    sinePhase = 0.0;
    cycleIndex = 0;
    contourIndex = 0;
    contourTarget = 0.0f;
    contourLevel = 0.0f;
    lfoDone = 1;
    filterStates.fill(0.0f);
}

void Zarn::reset() {
    bendSmoothed = 0.0;
    keyDown.fill(0);
    resetVoice();
}
