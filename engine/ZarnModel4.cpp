// Model 4: a mono click at unit gain, then a tanh-driven sine body whose starting phase and
// normaliser make its first sample continue the click's last value; the amplitude holds at 1 and
// releases exponentially. Low-passed at the Timbre-Attack frequency (a filter here, not a click
// gain) and added to both channels.

#include "engine/Zarn.h"

#include <cmath>
#include <numbers>

#include "engine/OnePoleLowpass.h"
#include "engine/VoiceHead.h"
#include "engine/VoiceMath.h"

namespace {

constexpr double kStartPhase = -1.0 / 24.0;                // -15 degrees
constexpr double kStartAngle = -0.2617993877991494;        // 2 pi x kStartPhase
constexpr double kClickLastValue = -0.315185546875;        // the click's last entry at 44.1 kHz
constexpr double kTwoPi = 2.0 * std::numbers::pi;

} // namespace

void Zarn::renderModel4(int32_t frames, float** outputs, bool) {
    if (VoiceHead::claimNoteStart(*this)) {
        model4Phase = kStartPhase;
        pitchEnvLevel = 1.0;
    }

    VoiceHead head(*this, {0.005, true, 0.0025, static_cast<double>(timbreDecay) * 10.0});
    const double rate = head.rate;
    // Scales the body so that its first value equals the click's last. A body drive of 0 (a voice
    // started without a note-on) would make it infinite; the body is then silent.
    const double normaliser = voice::bounded(kClickLastValue / std::tanh(std::sin(kStartAngle) * bodyDrive));
    const float* click = attackSample4.get();
    // The click's last entry is never played: the body starts in its place.
    const uint32_t bodyStart = static_cast<uint32_t>(attackSample4Length) - 1u;

    const OnePoleLowpass::Coefs coefs = OnePoleLowpass::coefsFor(*this, attackCutoffHz);
    OnePoleLowpass filter(coefs, filterStates[5], filterStates[7]);
    double phase = model4Phase;

    for (int32_t i = 0; i < frames; ++i) {
        head.smoothers();
        const double f = head.frequency(head.lfoTerm());
        head.fallPitchEnvelope();
        head.stepTimbre(); // not heard; it keeps the voice alive in render's end test

        // The hold ends whether or not release is allowed; release itself waits for it.
        if (head.ampStage == 0) {
            head.ampEnvLevel = 1.0;
            if (head.holdOver())
                head.ampStage = 1;
        } else if (releaseAllowed != 0) {
            head.releaseExponential();
        }

        float x = 0.0f;
        if (head.sampleCount < bodyStart) {
            x = click[head.sampleCount];
        } else {
            const double e = head.shapeTwoWay();
            x = static_cast<float>(std::tanh(e * std::sin(kTwoPi * phase) * bodyDrive) * normaliser);
            phase = phase + f / rate;
            // Without self-modulation the term is a signed zero, which leaves the phase as it is;
            // skipping it lets the next sample's sin and tanh start before this one's are done.
            const double selfModulation = head.selfModulation();
            if (selfModulation != 0.0)
                phase = phase + static_cast<double>(x) * 0.001 * selfModulation;
        }
        x *= velocity;

        const double y = filter.process(x);
        voice::addInto(outputs[0][i], y);
        voice::addInto(outputs[1][i], y);
        head.nextSample();
    }

    model4Phase = phase;
    head.store();
    filter.store();
}
