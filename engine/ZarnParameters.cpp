#include "engine/Zarn.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

// Switch thresholds are float constants; each test is a strict greater-than.
constexpr float kSwitchThreshold = 0.1f;
constexpr float kMidiThreshold = 0.4f;
constexpr float kModelRounding = 0.01f;
// Below this hold time (seconds) Amp-Sustain means gate mode.
constexpr double kGateModeHold = 0.0001;

int32_t modelFromValue(float v) {
    const float scaled = v * 7.0f + kModelRounding;
    const double whole = std::floor(static_cast<double>(scaled));
    // Finite values far outside 0..1 would overflow the conversion; such models render nothing.
    constexpr double kLowest = std::numeric_limits<int32_t>::min();
    constexpr double kHighest = std::numeric_limits<int32_t>::max();
    return static_cast<int32_t>(std::fmin(std::fmax(whole, kLowest), kHighest));
}

float sustainFromValue(float v) {
    const float ms = Module::expScale(1.0f, 401.0f, v) - 1.0f;
    const auto seconds = static_cast<float>(static_cast<double>(ms) * 0.001);
    return static_cast<double>(seconds) < kGateModeHold ? 0.0f : seconds;
}

} // namespace

void Zarn::setParameter(uint32_t index, float value) {
    if (!std::isfinite(value))
        return;
    const float v = value;
    const auto vd = static_cast<double>(v);
    switch (index) {
    case kPitchCoarse:
        coarseFactor = expScale(0.5f, 2.0f, v);
        break;
    case kPitchFine:
        fineFactor = expScale(0.9438743126816934, 1.0594630943592953, vd);
        break;
    case kPitchEnvAmt:
        pitchEnvAmount = vd;
        break;
    case kPitchLfoAmt:
        lfoDepth = vd;
        break;
    case kPitchDecay:
        pitchDecayMs = expScale(10.0f, 1000.0f, v);
        break;
    case kPitchStart:
        pitchStartHz = expScale(0.25, 4.0, vd) * 400.0;
        break;
    case kPitchCurve:
        pitchCurve = expScale(1.0f, 32.0f, 1.0f - v);
        break;
    case kAmpDecay:
        ampReleaseCoef = decayCoef(12.0f, 2000.0f, v, 0.1f);
        ampDecay = v;
        break;
    case kAmpSustain:
        sustainTime = sustainFromValue(v);
        break;
    case kAmpCurve:
        ampCurve = vd;
        break;
    case kTimbreAttack:
        attackAmount = v * v * 4.0f;
        attackCutoffHz = static_cast<float>(expScale(156.0, 17234.0, vd));
        break;
    case kTimbreColor:
        colorAmount = (v + v) * 3.0517578125e-05f;
        colorCutoffHz = static_cast<float>(expScale(156.0, 17234.0, vd));
        break;
    case kTimbreSelfFm:
        selfFm = vd;
        selfFmCutoffHz = expScale(10.5625f, 10816.0f, v);
        break;
    case kTimbreDecay:
        timbreDecay = expScale(0.0625f, 16.0f, v);
        break;
    case kLfoRate:
        lfoRateHz = expScale(1.0, 100.0, vd);
        break;
    case kLfoShape:
        lfoShape = expScale(0.01, 1.0, 1.0 - vd);
        break;
    case kLfoFree:
        lfoFree = v > kSwitchThreshold ? 1 : 0;
        break;
    case kLfoInvert:
        lfoSign = v > kSwitchThreshold ? -1.0 : 1.0;
        break;
    case kLfoOneShot:
        lfoOneShot = v > kSwitchThreshold ? 1 : 0;
        break;
    case kModel:
        model = modelFromValue(v);
        break;
    case kMidi:
        fixedPitch = v > kMidiThreshold ? 1 : 0;
        break;
    case kVolume:
        // A huge finite value must not make the gain infinite: 0 x infinity is NaN in the output.
        volumeGain = std::min(v * v * 4.0f, std::numeric_limits<float>::max());
        break;
    default:
        break;
    }
}
