#include "engine/VoiceHead.h"

#include <limits>

#include "engine/VoiceMath.h"
#include "engine/material/SoundMaterial.h"

namespace {

constexpr double kShortHoldScale = 0.05000000074505806; // 0.05 in single precision, widened

} // namespace

VoiceHead::VoiceHead(Zarn& voice, const Variant& variant)
    : rate(voice.sampleRate),
      ampCurveSmoothed(voice.ampCurveSmoothed),
      bendSmoothed(voice.bendSmoothed),
      lfoPhase(voice.lfoPhase),
      lfoDone(voice.lfoDone),
      pitchEnvLevel(voice.pitchEnvLevel),
      timbreEnvLevel(voice.timbreEnvLevel),
      timbreStage(voice.timbreStage),
      ampEnvLevel(voice.ampEnvLevel),
      ampStage(voice.ampStage),
      sampleCount(voice.sampleCount),
      zarn(voice),
      lfoTable(voice.lfoTable.get()),
      pitchGlide(variant.pitchGlide),
      sigmoidLevel(std::numeric_limits<double>::quiet_NaN()),
      sigmoidValue(0.0) {
    const double key = voice.baseFreq * voice.fineFactor;
    keyHz = voice::bounded(key);
    pitchEnvDepthHz = voice::bounded(voice.pitchStartHz * voice.pitchEnvAmount);
    // The cube of Pitch-LfoAmt times K, not scaled by coarse tuning or bend.
    lfoDepthHz = voice::bounded(voice.lfoDepth * key * voice.lfoDepth * voice.lfoDepth * voice.lfoSign);
    lfoPhaseStep = voice::lfoStep(voice.lfoRateHz, rate);
    pitchFall = 1.0 / (static_cast<double>(voice.pitchDecayMs) * rate * 0.001);
    const double sustain = static_cast<double>(voice.sustainTime);
    hold = voice::wholeSamples(variant.shortHold ? sustain * (rate * kShortHoldScale) : sustain * rate);
    releaseStep = 1.0 / (Module::expScale(12.0, 2000.0, static_cast<double>(voice.ampDecay)) * rate * 0.002);
    timbreRise = 1.0 / (rate * variant.timbreRiseSeconds);
    timbreDecay = voice.timeCoef(0.5, variant.timbreHalfLifeMs);
    selfFmScale = static_cast<double>(kMaterialRate) / rate; // exactly 1 at the material rate
}

bool VoiceHead::claimNoteStart(Zarn& voice) {
    if (voice.noteStarted == 0)
        return false;
    voice.noteStarted = 0;
    voice.lfoDone = 0;
    return true;
}

void VoiceHead::store() const {
    zarn.ampCurveSmoothed = ampCurveSmoothed;
    zarn.bendSmoothed = bendSmoothed;
    zarn.lfoPhase = lfoPhase;
    zarn.lfoDone = lfoDone;
    zarn.pitchEnvLevel = pitchEnvLevel;
    zarn.timbreEnvLevel = timbreEnvLevel;
    zarn.timbreStage = timbreStage;
    zarn.ampEnvLevel = ampEnvLevel;
    zarn.ampStage = ampStage;
    zarn.sampleCount = sampleCount;
}
