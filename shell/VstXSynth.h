#pragma once

#include "shell/AudioEffectX.h"

// The instrument the entry points create: no inputs, two outputs, 64 programs, 22 parameters.
class VstXSynth : public AudioEffectX {
public:
    static constexpr VstInt32 kNumPrograms = 64;
    static constexpr VstInt32 kNumParams = 22;
    static constexpr VstInt32 kNumOutputs = 2;

    explicit VstXSynth(audioMasterCallback audioMaster);
    ~VstXSynth() override = default;

    void processReplacing(float** inputs, float** outputs, VstInt32 sampleFrames) override;
};
