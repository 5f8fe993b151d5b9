#include "engine/Zarn.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <numbers>

#include "engine/FactoryBank.h"
#include "engine/material/SoundMaterial.h"

Zarn::Zarn() {
    model = 1;
    activeModel = 1;
    pitchEnvLevel = 1.0;
    model3EnvLevel = 1.0;
    clickEnvLevel = 1.0f;
    lastIntRate = -1;
    prevVolumeGain = -1.0;
    resetVoice();
    bendFactor = 1.0;
    stateWordA = 2;
    stateWordC = -1;
    programIndex = 0;
    std::memcpy(programBank, factoryBank, sizeof(programBank));
    initParameters(kNumParams, programBank[0].values);
    noiseState = 0x12345768u;
    stateWordB = 15;

    // Every buffer is allocated once at its full capacity (the material at 192 kHz), so a rate
    // change never allocates.
    attackSample4 = std::make_unique<float[]>(kAttackSample4Capacity);
    attackSample5 = std::make_unique<float[]>(kAttackSample5Capacity);
    attackSample2 = std::make_unique<float[]>(kAttackSample2Capacity);
    attackSample1 = std::make_unique<float[]>(kAttackSample1Capacity);
    attackSample0 = std::make_unique<float[]>(kAttackSample0Capacity);
    attackSample7 = std::make_unique<float[]>(kAttackSample7Capacity);
    attackSample6 = std::make_unique<float[]>(kAttackSample6Capacity);
    lfoTable = std::make_unique<float[]>(kLfoTableSize);
    cycleWave = std::make_unique<float[]>(kCycleWaveSize);

    // A triangle from 0 up to 32767/32768, a jump to 1 and a fall to 1/32768.
    for (int32_t i = 0; i < kLfoTableSize / 2; ++i) {
        lfoTable[i] = static_cast<float>(i) * (1.0f / 32768.0f);
        lfoTable[kLfoTableSize / 2 + i] = 1.0f - lfoTable[i];
    }
    // The shared tables are filled by the first engine, never on the audio thread.
    sineTable();
    noteFrequency(0);
    decodeMaterial();

    // Usable before the host sets a rate: the material at 44.1 kHz. lastIntRate stays -1 so
    // that the first real rate change resamples whatever the rate.
    sampleRate = kMaterialRate;
    resampleAttackSamples(kMaterialRate, kMaterialRate);
}

// The buffers are released by their owners before Module releases paramValues.
Zarn::~Zarn() = default;

void Zarn::decodeMaterial() {
    float sum = 0.0f;
    for (int32_t i = 0; i < kModel4ClickLength; ++i) {
        sum += static_cast<float>(kModel4ClickDeltas[i]);
        model4ClickSource[i] = sum * 0.03125f;
    }
    std::fill(model4ClickSource.begin() + kModel4ClickLength, model4ClickSource.end(), 0.0f);

    // The sums are whole numbers below 2^24, so single precision holds them exactly.
    sum = 0.0f;
    for (int32_t i = 0; i < kCycleLength; ++i) {
        sum += static_cast<float>(kSingleCycleDeltas[i]);
        cycleWave[i] = sum * 3.0517578125e-05f;
    }
}

const float* Zarn::sineTable() {
    // Filled once by the first caller (the first constructor) and read-only afterwards.
    static const std::array<float, kSineTableSize> table = [] {
        std::array<float, kSineTableSize> values{};
        for (int32_t i = 0; i < kSineTableSize; ++i) {
            const double angle = static_cast<double>(i) * 0.0001220703125 * 2.0 * std::numbers::pi;
            values[i] = static_cast<float>(std::sin(angle) * 0.4000000059604645);
        }
        return values;
    }();
    return table.data();
}

double Zarn::timeCoef(double base, double ms) const {
    return std::pow(base, 1000.0 / (ms * sampleRate));
}

int32_t Zarn::dumpPrograms() {
    std::FILE* file = std::fopen("e:\\params.txt", "a");
    if (file == nullptr)
        return 1;
    for (const SynthProgram& program : programBank) {
        char name[SynthProgram::kNameSize + 1] = {};
        std::memcpy(name, program.name, SynthProgram::kNameSize);
        std::fprintf(file, "{%s,", name);
        for (float value : program.values)
            std::fprintf(file, "%.5ff,", static_cast<double>(value));
        std::fprintf(file, "},\n");
    }
    std::fclose(file);
    return 1;
}
