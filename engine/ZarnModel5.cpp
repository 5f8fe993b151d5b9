// Model 5: a body read from the single-cycle wave with a 16-bit index that moves by whole entries,
// minus a burst of a mono click and low-passed noise that follows the square of the timbre
// envelope. A new note lets the previous body run on for 2 ms, fading by half every 0.2 ms, before
// the wave, the pitch envelope and the one-shot LFO restart.

#include "engine/Zarn.h"

#include "engine/OnePoleLowpass.h"
#include "engine/VoiceHead.h"
#include "engine/VoiceMath.h"

namespace {

constexpr double kRestartDelaySeconds = 0.0020000000949949026; // 2 ms in single precision, widened
constexpr uint32_t kCycleMask = 0xFFFF;

} // namespace

void Zarn::renderModel5(int32_t frames, float** outputs, bool) {
    // No note-start step here: it is deferred until the note is 2 ms old.
    VoiceHead head(*this, {0.005, true, 0.0025, static_cast<double>(timbreDecay) * 10.0});
    const double rate = head.rate;
    const double stepsPerHz = 65536.0 / rate;
    const double attackStep = 1.0 / (rate * 0.002);
    const uint32_t restartDelay = voice::wholeSamples(rate * kRestartDelaySeconds);
    const double fade = timeCoef(0.5, 0.2);
    const float* wave = cycleWave.get();
    const float* click = attackSample5.get();
    const auto clickLength = static_cast<uint32_t>(attackSample5Length);
    // The click gain is formed in single precision.
    const float clickGainFloat = velocity * attackAmount * 4.0f;
    const double clickGain = static_cast<double>(static_cast<float>(voice::bounded(clickGainFloat)));
    const double noiseGain = voice::bounded(static_cast<double>(colorAmount) * 0.2 * static_cast<double>(velocity));

    const OnePoleLowpass::Coefs coefs = OnePoleLowpass::coefsFor(*this, colorCutoffHz / 10.0f);
    OnePoleLowpass noiseFilter(coefs, filterStates[0], filterStates[2]);
    uint16_t index = cycleIndex;
    double fadeLevel = fadeGain;
    uint32_t noise = noiseState;

    for (int32_t i = 0; i < frames; ++i) {
        head.smoothers();
        // During the first 2 ms the previous note's pitch envelope carries on.
        const double f = head.frequency(head.lfoTerm());
        head.fallPitchEnvelope();

        // The amplitude moves towards the velocity (full scale in 2 ms), holds, then releases.
        const auto target = static_cast<double>(velocity);
        if (head.ampStage == 0) {
            if (target > head.ampEnvLevel) {
                head.ampEnvLevel += attackStep;
                if (head.ampEnvLevel > target) {
                    head.ampEnvLevel = target;
                    head.ampStage = 1;
                }
            } else {
                head.ampEnvLevel -= attackStep;
                if (head.ampEnvLevel < target) {
                    head.ampEnvLevel = target;
                    head.ampStage = 1;
                }
            }
        } else if (head.ampStage == 1) {
            if (head.releaseDue())
                head.ampStage = 3;
        } else {
            head.releaseExponential(); // whether or not release is allowed
        }
        head.stepTimbre();
        const double te = head.timbreEnvLevel;
        const double e = head.shapeTwoWay();

        double g = 0.0;
        if (head.sampleCount >= restartDelay) {
            if (head.claimNoteStartInRun()) {
                index = 0;
                head.pitchEnvLevel = 1.0;
                fadeLevel = 1.0;
            }
            g = fadeLevel;
        } else {
            fadeLevel *= fade;
            g = fadeLevel;
        }

        // The fraction of the step is dropped on every sample: the pitch moves in whole entries.
        const double w = wave[index];
        const double step = w * 0.001 * head.selfModulation() * 65536.0 + f * stepsPerHz;
        index = static_cast<uint16_t>(index + voice::wholePartLowBits(step, kCycleMask));

        const uint32_t n = head.sampleCount;
        const double k = n < clickLength ? static_cast<double>(click[n]) : 0.0;
        const double v = noiseFilter.process(static_cast<double>(voice::nextNoise(noise)));
        const double out = 3.0 * (w * 0.25 * g * e - (k * clickGain + v * noiseGain) * te * te);

        voice::addInto(outputs[0][i], out);
        voice::addInto(outputs[1][i], out);
        head.nextSample();
    }

    cycleIndex = index;
    fadeGain = fadeLevel;
    noiseState = noise;
    head.store();
    noiseFilter.store();
}
