// Model 3: a sine body at a single-precision phase, with a fast extra pitch sweep and amplitude
// boost from Pitch-Start over the first 10 ms, clamped and soft-clipped; plus a stereo attack
// sample read in place at one frame per output sample whatever the rate.

#include "engine/Zarn.h"

#include <algorithm>

#include "engine/OnePoleLowpass.h"
#include "engine/VoiceHead.h"
#include "engine/VoiceMath.h"
#include "engine/material/SoundMaterial.h"

namespace {

constexpr float kSoftClipCubic = 0.3333f;

} // namespace

void Zarn::renderModel3(int32_t frames, float** outputs, bool) {
    // The amplitude always starts from 0 with its 3 ms attack.
    if (VoiceHead::claimNoteStart(*this)) {
        pitchEnvLevel = 1.0;
        model3EnvLevel = 1.0;
        clickEnvLevel = 1.0f;
        ampEnvLevel = 0.0;
        model3Phase = 0.0f;
    }

    VoiceHead head(*this, {0.01, false, 0.00025, static_cast<double>(timbreDecay) * 10.0});
    const double rate = head.rate;
    const double sweepFall = 1.0 / (rate * 10.0 * 0.001);
    const double attackStep = 1.0 / (rate * 3.0 * 0.001);
    const double clickDecay = timeCoef(0.5, static_cast<double>(timbreDecay) * 50.0);
    const auto clickGain = static_cast<float>(voice::bounded(static_cast<double>(attackAmount) * 1.3 * 0.5));
    const double sweepHz = voice::bounded(pitchStartHz);
    const float* sine = sineTable();

    const OnePoleLowpass::Coefs coefs = OnePoleLowpass::coefsFor(*this, colorCutoffHz);
    OnePoleLowpass leftFilter(coefs, filterStates[5], filterStates[7]);
    OnePoleLowpass rightFilter(coefs, filterStates[10], filterStates[11]);
    float phase = model3Phase;
    double sweep = model3EnvLevel;
    float click = clickEnvLevel;

    for (int32_t i = 0; i < frames; ++i) {
        head.smoothers();
        const double lfo = head.lfoTerm();
        sweep -= sweepFall;
        if (sweep < 0.0)
            sweep = 0.0;
        const double q = sweep;
        // Pitch-Start alone drives the sweep, not scaled by Pitch-EnvAmt.
        const double f = head.frequency(lfo) + sweepHz * (q * q * q * q);
        head.fallPitchEnvelope();
        click = static_cast<float>(static_cast<double>(click) * clickDecay);
        head.stepTimbre(); // not heard; it keeps the voice alive in render's end test

        if (head.ampStage == 0) {
            head.ampEnvLevel += attackStep;
            if (head.ampEnvLevel >= 1.0)
                head.ampStage = 1;
        } else if (head.ampStage == 1) {
            if (head.releaseDue())
                head.ampStage = 2;
        } else {
            head.releaseLinear();
        }
        const double e = head.shapeThreeWay();

        const float sv = sine[voice::tableEntry(phase * 8192.0f)];
        float v = static_cast<float>((e + 0.5 * (q * q)) * static_cast<double>(sv) * bodyDrive * 4.0);
        v = std::clamp(v, -1.0f, 1.0f);
        const float body = v - v * v * v * kSoftClipCubic;
        // The self-modulation follows the table value, not the clipped body.
        const auto stepped = static_cast<float>(static_cast<double>(phase) + f / rate);
        phase = static_cast<float>(static_cast<double>(stepped) +
                                   static_cast<double>(sv) * 0.001 * head.selfModulation());

        float left = body;
        float right = body;
        const uint32_t n = head.sampleCount;
        if (n < static_cast<uint32_t>(kModel3AttackFrames)) {
            left = body + clickGain * attackSample3[2 * n] * click;
            right = body + clickGain * attackSample3[2 * n + 1] * click;
        }
        left *= velocity;
        right *= velocity;

        voice::addInto(outputs[0][i], leftFilter.process(left));
        voice::addInto(outputs[1][i], rightFilter.process(right));
        head.nextSample();
    }

    model3Phase = phase;
    model3EnvLevel = sweep;
    clickEnvLevel = click;
    head.store();
    leftFilter.store();
    rightFilter.store();
}
