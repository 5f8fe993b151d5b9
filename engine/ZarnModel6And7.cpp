// Models 6 and 7: a full-scale sine at a wrapped phase under the three-way amplitude shaping, plus
// an attack sample that decays by Timbre-Decay and passes a one-pole smoother at twice the
// Timbre-Color frequency. Model 6 also gives the sine a fixed amplitude contour over its first
// 45 ms and has a stereo attack sample; model 7's is mono. Their pitch envelope rises before it
// falls, and a note-on while the note still sounds keeps the oscillator running.

#include "engine/Zarn.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

#include "engine/VoiceHead.h"
#include "engine/VoiceMath.h"

namespace {

struct Breakpoint {
    double seconds; // from the note start
    double level;
};

// The last time is never reached, so the index stops at its entry.
constexpr std::array<Breakpoint, 15> model6Breakpoints{{
    {0.0, 0.877712},      {0.001123, 0.877712}, {0.00254, 0.278529}, {0.0039, 0.686225},
    {0.005986, 1.0},      {0.009048, 0.909289}, {0.01229, 0.283298}, {0.014943, 0.3352},
    {0.01805, 0.909728},  {0.022857, 0.84033},  {0.028277, 0.544327}, {0.032925, 0.513103},
    {0.038027, 0.784557}, {0.044694, 0.877712}, {1000000000.0, 0.877712},
}};
constexpr int32_t kLastBreakpoint = static_cast<int32_t>(model6Breakpoints.size()) - 1;

// Breakpoint k, k kept within the table.
const Breakpoint& breakpointAt(int32_t k) {
    return model6Breakpoints[static_cast<std::size_t>(std::clamp(k, 0, kLastBreakpoint))];
}

constexpr double kTwoPi = 2.0 * std::numbers::pi;
constexpr double kKeepsSounding = 0.01; // a note-on above this level keeps phase and pitch
constexpr float kClickStartGain = 0.25f;

} // namespace

void Zarn::renderModel6(int32_t frames, float** outputs, bool) {
    renderSineModel<6>(frames, outputs);
}

void Zarn::renderModel7(int32_t frames, float** outputs, bool) {
    renderSineModel<7>(frames, outputs);
}

template <int kModel>
void Zarn::renderSineModel(int32_t frames, float** outputs) {
    static_assert(kModel == 6 || kModel == 7);
    constexpr bool kModel6 = kModel == 6;
    const double rate = sampleRate;

    if (VoiceHead::claimNoteStart(*this)) {
        filterStates[2] = kClickStartGain;
        // Model 6 starts its count a little into the note: the attack sample and the contour
        // begin there.
        sampleCount = kModel6 ? voice::wholeSamples(rate / 1600.0) : 0u;
        if (ampEnvLevel < kKeepsSounding) {
            sinePhase = 0.0;
            ampEnvLevel = 0.0;
            pitchEnvLevel = 1.0;
            if constexpr (kModel6) {
                contourTarget = static_cast<float>(model6Breakpoints[0].level);
                contourLevel = contourTarget;
            }
        }
        if constexpr (kModel6)
            contourIndex = 0;
    }

    // No timbre envelope: its level is kept at 0 every sample.
    VoiceHead head(*this, {0.005, true, 1.0, 1.0});
    const double pitchRise = (kModel6 ? 500.0 : 1000.0) / rate; // over 2 ms or 1 ms
    const double attackStep = 1.0 / (rate * 0.002);
    // The click's half-life is formed in single precision.
    const double clickDecay = timeCoef(0.5, static_cast<double>(timbreDecay * 30.0f));
    // A one-pole smoother at twice the Timbre-Color frequency.
    const double smoothing = 1.0 - std::exp(-4.0 * std::numbers::pi * static_cast<double>(colorCutoffHz) / rate);
    const float outputGain = velocity * (kModel6 ? 1.25f : 1.1f) * 1.2f;
    const auto gain = static_cast<double>(outputGain);
    const auto attack = static_cast<float>(voice::bounded(attackAmount));
    double phase = sinePhase;

    // Model 6's contour smoothers at 72 Hz and 400 Hz, and its click path, in single precision.
    const auto towardsTarget = static_cast<float>(1.0 - std::exp(-452.38934211693027 / rate));
    const auto towardsLevel = static_cast<float>(1.0 - std::exp(-2513.2741228718346 / rate));
    const auto smoothingFloat = static_cast<float>(smoothing);
    int32_t breakpoint = std::clamp(contourIndex, 0, kLastBreakpoint);
    float target = contourTarget;
    float level = contourLevel;
    float leftClick = filterStates[1];
    float clickGainFloat = filterStates[2];
    float rightClickFloat = filterStates[3];
    const float* stereoAttack = attackSample6.get();
    const auto stereoFrames = static_cast<uint32_t>(attackSample6Length);

    // Model 7's click path runs in double precision within the run.
    double clickGain = filterStates[2];
    double rightClick = filterStates[3];
    const float* monoAttack = attackSample7.get();
    const auto monoLength = static_cast<uint32_t>(attackSample7Length);

    for (int32_t i = 0; i < frames; ++i) {
        head.smoothers();
        const double lfo = head.lfoTerm();
        head.stepRisingPitchEnvelope(pitchRise);
        const double f = head.frequency(lfo);

        // The phase wraps once at most per sample; below 0 it is not wrapped.
        double p = phase + f / rate;
        if (p > 1.0)
            p -= 1.0;
        const double s = std::sin(kTwoPi * p);
        if constexpr (kModel6)
            head.nextSample();
        // Without self-modulation the term is a signed zero: skipping it keeps the phase as it is
        // and lets the next sample's sin start early.
        const double selfModulation = head.selfModulation();
        phase = selfModulation != 0.0 ? p + s * 0.001 * selfModulation : p;

        double body = s * 0.25;
        if constexpr (kModel6) {
            const double t = static_cast<double>(head.sampleCount) / rate;
            if (breakpoint < kLastBreakpoint && t >= breakpointAt(breakpoint).seconds)
                ++breakpoint;
            const auto goal = static_cast<float>(breakpointAt(breakpoint - 1).level);
            target += (goal - target) * towardsTarget;
            level += (target - level) * towardsLevel;
            body = s * static_cast<double>(level) * 0.25;
        }

        // Attack over 2 ms from the level left; the hold may end once the level is full.
        if (head.ampStage == 0) {
            if (head.ampEnvLevel < 1.0) {
                head.ampEnvLevel = std::min(head.ampEnvLevel + attackStep, 1.0);
            } else {
                head.ampEnvLevel = 1.0;
                if (head.releaseDue())
                    head.ampStage = 1;
            }
        } else {
            head.releaseLinear();
        }
        head.timbreEnvLevel = 0.0;
        const double e = head.shapeThreeWay();
        if constexpr (!kModel6)
            head.nextSample();

        const uint32_t n = head.sampleCount;
        if constexpr (kModel6) {
            const float l = n < stereoFrames ? stereoAttack[2 * n] : 0.0f;
            const float r = n < stereoFrames ? stereoAttack[2 * n + 1] : 0.0f;
            clickGainFloat = static_cast<float>(static_cast<double>(clickGainFloat) * clickDecay);
            leftClick += (attack * l * clickGainFloat - leftClick) * smoothingFloat;
            rightClickFloat += (attack * r * clickGainFloat - rightClickFloat) * smoothingFloat;
            voice::addInto(outputs[0][i], (static_cast<double>(leftClick) + e * body) * gain);
            voice::addInto(outputs[1][i], (static_cast<double>(rightClickFloat) + e * body) * gain);
        } else {
            const float m = (n < monoLength ? monoAttack[n] : 0.0f) * attack;
            clickGain *= clickDecay;
            rightClick += (static_cast<double>(m) * clickGain - rightClick) * smoothing;
            const double out = (e * body + rightClick) * gain;
            voice::addInto(outputs[0][i], out);
            voice::addInto(outputs[1][i], out);
        }
    }

    sinePhase = phase;
    head.store();
    if constexpr (kModel6) {
        contourIndex = breakpoint;
        contourTarget = target;
        contourLevel = level;
        filterStates[1] = voice::flushedMemory(leftClick);
        filterStates[2] = voice::flushedMemory(clickGainFloat);
        filterStates[3] = voice::flushedMemory(rightClickFloat);
    } else {
        filterStates[2] = voice::flushedMemory(clickGain);
        filterStates[3] = voice::flushedMemory(rightClick);
    }
}
