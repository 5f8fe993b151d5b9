#pragma once

#include <array>
#include <cstdint>
#include <memory>

#include "engine/EngineOwner.h"
#include "engine/Module.h"
#include "engine/SynthProgram.h"

// The sound engine of one plug-in instance: the program bank, the fields derived from the 22
// parameters, the one voice, and the sound material at the host's rate. Block rendering and
// the eight model renderers build on these fields.
class Zarn : public Module {
public:
    static constexpr int32_t kSineTableSize = 8193;
    static constexpr int32_t kLfoTableSize = 65536;
    static constexpr int32_t kCycleWaveSize = 65536;
    static constexpr int32_t kModel4ClickSourceSize = 229;
    static constexpr int32_t kAttackSample4Capacity = 8192;
    static constexpr int32_t kAttackSample5Capacity = 8192;
    static constexpr int32_t kAttackSample2Capacity = 16384;
    static constexpr int32_t kAttackSample6Capacity = 130670;
    static constexpr int32_t kAttackSample7Capacity = 65416;
    static constexpr int32_t kAttackSample1Capacity = 32768;
    static constexpr int32_t kAttackSample0Capacity = 38000;
    static constexpr double kMinSampleRate = 10000.0;
    static constexpr double kMaxSampleRate = 192000.0;
    static constexpr int8_t kHighestPlayedNote = 96;

    Zarn();
    ~Zarn() override;

    SynthProgram* getPrograms() { return programBank; }

    // Parameter mapping; indices of 22 or more and non-finite values change nothing.
    void setParameter(uint32_t index, float value) override;

    // Keys and voice (audio thread, between render runs).
    void noteOn(int8_t note, uint8_t vel, uint8_t layer = 0);
    void noteOff(int8_t note);
    void setPitchBend(int32_t value);
    void allNotesOff();
    void trigger(uint8_t vel);
    // Loads program index (0 to 63; others are ignored) through the owner's parameter road.
    void loadProgram(int32_t index);
    void resetVoice();
    void reset();

    // Renders frames samples of the voice into outputs[0] and outputs[1] (cleared first when
    // replacing, added to otherwise) and passes them through the output stage. Audio thread.
    void render(int32_t frames, float** outputs, bool replacing);

    // Clamps the rate to 10 kHz..192 kHz (non-finite rates are ignored) and resamples the
    // attack samples when the whole-number rate changes. Never called on the audio thread.
    void setSampleRate(double rate);

    // base^(1000 / (ms x rate)): the per-sample factor that scales a level by base in ms.
    double timeCoef(double base, double ms) const;

    // Appends the bank as text to "e:\params.txt"; always returns 1.
    int32_t dumpPrograms();
    void setStateWordA(int32_t value) { stateWordA = value; }

    // 0.4 x sin(2 pi i / 8192), i = 0..8192; one read-only table for all instances.
    static const float* sineTable();
    // Equal-tempered frequency of MIDI note 0..127 (note 69 = 440 Hz).
    static double noteFrequency(int32_t note);

    std::unique_ptr<float[]> cycleWave;
    std::unique_ptr<float[]> lfoTable;
    double baseFreq = 0.0;
    double lfoDepth = 0.0;
    double lfoRateHz = 0.0;
    double lfoSign = 0.0;
    double lfoShape = 0.0;
    float selfFmCutoffHz = 0.0f;
    float timbreDecay = 0.0f;
    float pitchDecayMs = 0.0f;
    double model3EnvLevel = 0.0;
    float colorCutoffHz = 0.0f;
    float attackCutoffHz = 0.0f;
    int32_t model = 0;
    int32_t activeModel = 0;
    uint32_t lfoPhase = 0;
    uint8_t lfoFree = 0;
    uint8_t lfoDone = 0;
    uint8_t lfoOneShot = 0;
    float clickEnvLevel = 0.0f;
    std::array<float, kModel4ClickSourceSize> model4ClickSource{};
    double volumeGain = 0.0;
    double prevVolumeGain = 0.0;
    double bendSmoothed = 0.0;
    std::array<uint8_t, 128> keyDown{};
    int32_t lastIntRate = 0;
    std::unique_ptr<float[]> attackSample4;
    int32_t attackSample4Length = 0;
    std::unique_ptr<float[]> attackSample5;
    int32_t attackSample5Length = 0;
    std::unique_ptr<float[]> attackSample2;
    int32_t attackSample2Length = 0;
    std::unique_ptr<float[]> attackSample6;
    int32_t attackSample6Length = 0;
    std::unique_ptr<float[]> attackSample7;
    int32_t attackSample7Length = 0;
    std::unique_ptr<float[]> attackSample1;
    int32_t attackSample1Length = 0;
    int32_t attackSample1Offset = 0;
    std::unique_ptr<float[]> attackSample0;
    int32_t attackSample0Length = 0;
    int32_t attackSample0Offset = 0;
    int32_t contourIndex = 0;
    double sinePhase = 0.0;
    float contourTarget = 0.0f;
    float contourLevel = 0.0f;
    uint8_t voiceActive = 0;
    uint8_t gateOpen = 0;
    double coarseFactor = 0.0;
    double fineFactor = 0.0;
    double pitchCurve = 0.0;
    double ampCurve = 0.0;
    uint8_t fixedPitch = 0;
    std::array<float, 32> filterStates{};
    double model4Phase = 0.0;
    double bodyDrive = 0.0;
    double oscPhase = 0.0;
    float model3Phase = 0.0f;
    uint32_t noiseState = 0;
    double selfFm = 0.0;
    float colorAmount = 0.0f;
    float sustainTime = 0.0f;
    uint8_t releaseAllowed = 0;
    double bendFactor = 0.0;
    float latchedVelocity = 0.0f;
    double ampCurveSmoothed = 0.0;
    uint32_t sampleCount = 0;
    float attackAmount = 0.0f;
    float ampDecay = 0.0f;
    float velocity = 0.0f;
    double pitchEnvAmount = 0.0;
    double pitchStartHz = 0.0;
    uint8_t ampStage = 0;
    uint8_t timbreStage = 0;
    double pitchEnvLevel = 0.0;
    uint16_t cycleIndex = 0;
    uint8_t noteStarted = 0;
    double fadeGain = 0.0;
    float ampReleaseCoef = 0.0f;
    double ampEnvLevel = 0.0;
    double timbreEnvLevel = 0.0;
    EngineOwner* owner = nullptr;
    SynthProgram programBank[kNumPrograms]{};

private:
    // The model renderers: each adds one run of its voice into both buffers.
    void renderModel0(int32_t frames, float** outputs, bool replacing);
    void renderModel1(int32_t frames, float** outputs, bool replacing);
    void renderModel2(int32_t frames, float** outputs, bool replacing);
    void renderModel3(int32_t frames, float** outputs, bool replacing);
    void renderModel4(int32_t frames, float** outputs, bool replacing);
    void renderModel5(int32_t frames, float** outputs, bool replacing);
    void renderModel6(int32_t frames, float** outputs, bool replacing);
    void renderModel7(int32_t frames, float** outputs, bool replacing);
    // Models 0 and 1 share one renderer; the model number picks their differences.
    template <int kModel>
    void renderCrossfadeModel(int32_t frames, float** outputs);
    // Models 6 and 7 likewise.
    template <int kModel>
    void renderSineModel(int32_t frames, float** outputs);
    void renderActiveModel(int32_t frames, float** outputs, bool replacing);
    void flushTinyValues();
    bool clickStillSounds() const;
    void applyOutputStage(int32_t frames, float** outputs);

    void decodeMaterial();
    void resampleAttackSamples(double rate, int32_t intRate);
    void startVoice(uint8_t vel);
};

static_assert(sizeof(Zarn::programBank) == 8192, "the program bank is 64 records of 128 bytes");
