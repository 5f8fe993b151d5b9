// Model 2: a short mono click that stands alone for its length, then a body that mixes two
// wavetables under the timbre envelope with strong self-modulation; low-passed at the
// Timbre-Color frequency and added at double level (render soft-clips this model's output).

#include "engine/Zarn.h"

#include "engine/OnePoleLowpass.h"
#include "engine/VoiceHead.h"
#include "engine/VoiceMath.h"
#include "engine/material/SoundMaterial.h"

void Zarn::renderModel2(int32_t frames, float** outputs, bool) {
    if (VoiceHead::claimNoteStart(*this)) {
        pitchEnvLevel = 1.0;
        oscPhase = 0.0;
    }

    // The timbre half-life is formed in single precision in this model.
    const float halfLifeMs = timbreDecay * 3.0f;
    VoiceHead head(*this, {0.005, false, 0.00025, static_cast<double>(halfLifeMs)});
    const double rate = head.rate;
    const auto clickGain = static_cast<float>(voice::bounded(static_cast<double>(attackAmount) * 1.3));
    const float* click = attackSample2.get();
    // The click's last entry is never played: the body starts in its place.
    const uint32_t bodyStart = static_cast<uint32_t>(attackSample2Length) - 1u;

    const OnePoleLowpass::Coefs coefs = OnePoleLowpass::coefsFor(*this, colorCutoffHz);
    OnePoleLowpass filter(coefs, filterStates[5], filterStates[7]);
    double phase = oscPhase;

    for (int32_t i = 0; i < frames; ++i) {
        head.smoothers();
        const double f = head.frequency(head.lfoTerm());
        head.fallPitchEnvelope();
        head.stepTimbre();
        const double te = head.timbreEnvLevel;

        if (head.ampStage == 0) {
            head.ampEnvLevel = 1.0;
            if (head.releaseDue())
                head.ampStage = 1;
        } else {
            head.releaseLinear();
        }
        const double e = head.shapeThreeWay();

        float x = 0.0f;
        if (head.sampleCount < bodyStart) {
            x = clickGain * click[head.sampleCount];
        } else {
            const int32_t entry = voice::tableEntry(phase * 8192.0);
            const double mix = static_cast<double>(wavetable2a[entry]) * te -
                               2.0 * static_cast<double>(wavetable2b[entry]) * (1.0 - te);
            x = static_cast<float>(mix * e * bodyDrive * 0.5);
            phase = phase + f / rate + static_cast<double>(x) * 0.0015 * head.selfModulation();
        }
        x *= velocity;

        const double y = filter.process(x);
        voice::addInto(outputs[0][i], 2.0 * y);
        voice::addInto(outputs[1][i], 2.0 * y);
        head.nextSample();
    }

    oscPhase = phase;
    head.store();
    filter.store();
}
