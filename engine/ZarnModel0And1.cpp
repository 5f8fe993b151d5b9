// Models 0 and 1: sineTable crossfaded with a wavetable of the model's own by the timbre
// envelope, starting a few milliseconds into a stereo attack sample; each channel scaled by the
// velocity and low-passed at the Timbre-Color frequency.

#include "engine/Zarn.h"

#include "engine/OnePoleLowpass.h"
#include "engine/VoiceHead.h"
#include "engine/VoiceMath.h"
#include "engine/material/SoundMaterial.h"

namespace {

// Body delays at 44.1 kHz, scaled to the whole-number rate.
constexpr uint32_t kModel0BodyDelay = 264;
constexpr uint32_t kModel1BodyDelay = 130;
constexpr uint32_t kMaterialRateU = 44100;

} // namespace

void Zarn::renderModel0(int32_t frames, float** outputs, bool) {
    renderCrossfadeModel<0>(frames, outputs);
}

void Zarn::renderModel1(int32_t frames, float** outputs, bool) {
    renderCrossfadeModel<1>(frames, outputs);
}

template <int kModel>
void Zarn::renderCrossfadeModel(int32_t frames, float** outputs) {
    static_assert(kModel == 0 || kModel == 1);
    constexpr bool kModel0 = kModel == 0;

    // Model 0's body continues its cycle from note to note; model 1's restarts.
    if (VoiceHead::claimNoteStart(*this)) {
        pitchEnvLevel = 1.0;
        clickEnvLevel = 1.0f;
        if constexpr (!kModel0)
            oscPhase = 0.0;
    }

    VoiceHead head(*this, {0.005, false, 0.00025, static_cast<double>(timbreDecay) * 10.0});
    const double rate = head.rate;
    const double attackStep = 1.0 / (rate * 0.002);
    const double clickDecay = timeCoef(0.5, static_cast<double>(timbreDecay) * 50.0);
    const auto clickDecayFloat = static_cast<float>(clickDecay);
    const double amount = static_cast<double>(attackAmount) * 1.3;
    const auto clickGain = static_cast<float>(voice::bounded(kModel0 ? amount * 0.9 : amount));

    // The body starts once the attack sample has begun; without it at once.
    const auto intRate = static_cast<uint32_t>(static_cast<int32_t>(rate));
    const uint32_t delayAt44k = kModel0 ? kModel0BodyDelay : kModel1BodyDelay;
    const uint32_t noClickDelay = kModel0 ? 0 : 1;
    const uint32_t bodyDelay = clickGain == 0.0f ? noClickDelay : intRate * delayAt44k / kMaterialRateU;
    (kModel0 ? attackSample0Offset : attackSample1Offset) = static_cast<int32_t>(bodyDelay);
    const uint32_t bodyStart = kModel0 ? bodyDelay : bodyDelay - 1u;

    const float* attack = kModel0 ? attackSample0.get() : attackSample1.get();
    const auto attackFrames = static_cast<uint32_t>(kModel0 ? attackSample0Length : attackSample1Length);
    const float* sine = sineTable();
    const float* wave = kModel0 ? wavetable0 : wavetable1;

    const OnePoleLowpass::Coefs coefs = OnePoleLowpass::coefsFor(*this, colorCutoffHz);
    OnePoleLowpass leftFilter(coefs, filterStates[5], filterStates[7]);
    OnePoleLowpass rightFilter(coefs, filterStates[10], filterStates[11]);
    double phase = oscPhase;
    float click = clickEnvLevel;

    for (int32_t i = 0; i < frames; ++i) {
        head.smoothers();
        const double f = head.frequency(head.lfoTerm());
        head.fallPitchEnvelope();
        if constexpr (!kModel0)
            click = static_cast<float>(static_cast<double>(click) * clickDecay);
        head.stepTimbre();
        const double te = head.timbreEnvLevel;

        if (head.ampStage == 0) {
            // The attack step is not clamped: the level may pass 1 for one sample.
            if (fixedPitch == 0 && head.ampEnvLevel < 1.0)
                head.ampEnvLevel += attackStep;
            else
                head.ampEnvLevel = 1.0;
            if (head.releaseDue())
                head.ampStage = 1;
        } else {
            head.releaseLinear();
        }
        const double e = head.shapeThreeWay();

        float body = 0.0f;
        if (head.sampleCount >= bodyStart) {
            const int32_t entry = voice::tableEntry(phase * 8192.0);
            const double sineShare = static_cast<double>(sine[entry]) * (1.0 - te);
            const double waveShare = static_cast<double>(wave[entry]) * te;
            const double mix = kModel0 ? sineShare + waveShare : sineShare - waveShare;
            body = static_cast<float>(mix * e * bodyDrive * 3.0);
            phase = phase + f / rate + static_cast<double>(body) * 0.001 * head.selfModulation();
        }

        float left = body;
        float right = body;
        const uint32_t n = head.sampleCount;
        if (n < attackFrames) {
            left = body + clickGain * attack[2 * n] * click;
            right = body + clickGain * attack[2 * n + 1] * click;
        }
        if constexpr (kModel0)
            click = click * clickDecayFloat; // also after the sample has ended
        left *= velocity;
        right *= velocity;

        voice::addInto(outputs[0][i], leftFilter.process(left));
        voice::addInto(outputs[1][i], rightFilter.process(right));
        head.nextSample();
    }

    oscPhase = phase;
    clickEnvLevel = click;
    head.store();
    leftFilter.store();
    rightFilter.store();
}
