#include "shell/VstXSynth.h"

#include <algorithm>

VstXSynth::VstXSynth(audioMasterCallback audioMaster) : AudioEffectX(audioMaster, kNumPrograms, kNumParams) {
    curProgram = 0;
    if (audioMaster != nullptr) {
        setNumInputs(0);
        setNumOutputs(kNumOutputs);
        canProcessReplacing();
        programsAreChunks();
        isSynth();
        setUniqueID(vst2::fourCC("ZRNP"));
    }
}

void VstXSynth::processReplacing(float** /*inputs*/, float** outputs, VstInt32 sampleFrames) {
    if (outputs == nullptr || sampleFrames <= 0)
        return;
    for (VstInt32 channel = 0; channel < kNumOutputs; ++channel) {
        if (outputs[channel] != nullptr)
            std::fill_n(outputs[channel], sampleFrames, 0.0f);
    }
}
