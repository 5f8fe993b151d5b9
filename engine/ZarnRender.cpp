#include "engine/Zarn.h"
#include "engine/material/SoundMaterial.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kTinyDouble = 9.999999717180685e-10; // 1e-9 in single precision, widened
constexpr float kTinyFloat = 1e-9f;
constexpr double kSilentLevel = 1e-10;
constexpr float kNativeHostGain = 1.9f;
constexpr float kSoftClipCubic = 0.3333f;

void flushTiny(double& value) {
    if (value > -kTinyDouble && value < kTinyDouble)
        value = 0.0;
}

// The hold length in samples; a product no 32-bit integer holds saturates (a huge finite
// Amp-Sustain can make the hold time infinite).
int32_t holdSamples(float sustainTime, double sampleRate) {
    const double hold = static_cast<double>(sustainTime) * sampleRate;
    if (!(hold < 2147483648.0))
        return INT32_MAX;
    if (hold <= -2147483649.0)
        return INT32_MIN;
    return static_cast<int32_t>(hold);
}

} // namespace

void Zarn::render(int32_t frames, float** outputs, bool replacing) {
    if (frames <= 0 || outputs == nullptr || outputs[0] == nullptr || outputs[1] == nullptr)
        return;
    if (replacing) {
        std::fill_n(outputs[0], frames, 0.0f);
        std::fill_n(outputs[1], frames, 0.0f);
    }
    const int32_t hold = holdSamples(sustainTime, sampleRate);
    if (voiceActive == 0)
        return;

    // A key held in gate mode keeps the voice at full level; release begins after it is let go.
    releaseAllowed = (gateOpen != 0 && sustainTime == 0.0f) ? 0 : 1;
    renderActiveModel(frames, outputs, replacing);
    flushTinyValues();

    // The end does not depend on where the host's blocks end: nothing the voice still adds is cut.
    if (sampleCount >= static_cast<uint32_t>(hold) && ampEnvLevel < kSilentLevel && timbreEnvLevel < kSilentLevel &&
        !clickStillSounds()) {
        ampEnvLevel = 0.0;
        timbreEnvLevel = 0.0;
        voiceActive = 0;
    }
    applyOutputStage(frames, outputs);
}

void Zarn::renderActiveModel(int32_t frames, float** outputs, bool replacing) {
    switch (activeModel) {
    case 0: renderModel0(frames, outputs, replacing); break;
    case 1: renderModel1(frames, outputs, replacing); break;
    case 2: renderModel2(frames, outputs, replacing); break;
    case 3: renderModel3(frames, outputs, replacing); break;
    case 4: renderModel4(frames, outputs, replacing); break;
    case 5: renderModel5(frames, outputs, replacing); break;
    case 6: renderModel6(frames, outputs, replacing); break;
    case 7: renderModel7(frames, outputs, replacing); break;
    default: break; // no model: the run adds nothing
    }
}

// The attack samples of models 0, 1 and 3 and the click smoothers of models 6 and 7 are not
// shaped by the amplitude: a sample sounds until it has played out or its gain has died, a
// smoother until its memories have been flushed to 0. A second after the sample's end a smoother
// counts as silent whatever it holds, so that one all but frozen by an out-of-range Timbre-Color
// cannot keep the voice. (The clicks of models 2 and 4 end before their amplitude can; model 5's
// fades with the timbre level.)
bool Zarn::clickStillSounds() const {
    const uint32_t n = sampleCount;
    switch (activeModel) {
    case 0:
    case 1:
    case 3: {
        const int32_t length = activeModel == 0 ? attackSample0Length
                               : activeModel == 1 ? attackSample1Length
                                                  : kModel3AttackFrames;
        return attackAmount != 0.0f && clickEnvLevel != 0.0f && n < static_cast<uint32_t>(length);
    }
    case 6:
    case 7: {
        const int32_t length = activeModel == 6 ? attackSample6Length : attackSample7Length;
        return n < static_cast<uint32_t>(length) + static_cast<uint32_t>(sampleRate) &&
               (filterStates[1] != 0.0f || filterStates[3] != 0.0f);
    }
    default: return false;
    }
}

void Zarn::flushTinyValues() {
    flushTiny(ampCurveSmoothed);
    flushTiny(bendSmoothed);
    flushTiny(fadeGain);
    if (clickEnvLevel > -kTinyFloat && clickEnvLevel < kTinyFloat)
        clickEnvLevel = 0.0f;
    if (ampEnvLevel < kSilentLevel)
        ampEnvLevel = 0.0;
    if (timbreEnvLevel < kSilentLevel)
        timbreEnvLevel = 0.0;
}

void Zarn::applyOutputStage(int32_t frames, float** outputs) {
    double gain = prevVolumeGain;
    if (gain < 0.0) { // nothing rendered yet since construction
        gain = volumeGain;
        prevVolumeGain = volumeGain;
    }
    const double step = (volumeGain - gain) / static_cast<double>(frames);
    const float outputGain = (owner != nullptr && owner->isNativeHost()) ? kNativeHostGain : 1.0f;
    float* left = outputs[0];
    float* right = outputs[1];

    if (activeModel == 2) {
        // Soft clip: the ramp gain enters twice, before and inside the clip.
        const auto softClip = [outputGain](float sample, double g) {
            float x = static_cast<float>(static_cast<double>(sample) * g);
            x = std::clamp(x, -1.0f, 1.0f);
            const float cube = x * x * x;
            return (x - kSoftClipCubic * cube) * outputGain;
        };
        for (int32_t i = 0; i < frames; ++i) {
            const float l = static_cast<float>(static_cast<double>(left[i]) * gain);
            const float r = static_cast<float>(static_cast<double>(right[i]) * gain);
            left[i] = softClip(l, gain);
            right[i] = softClip(r, gain);
            gain += step;
        }
    } else {
        for (int32_t i = 0; i < frames; ++i) {
            const float l = std::clamp(static_cast<float>(static_cast<double>(left[i]) * gain), -1.0f, 1.0f);
            const float r = std::clamp(static_cast<float>(static_cast<double>(right[i]) * gain), -1.0f, 1.0f);
            gain += step;
            left[i] = l * outputGain;
            right[i] = r * outputGain;
        }
    }
    prevVolumeGain = volumeGain;
}
