#pragma once

#include <cmath>
#include <cstdint>

#include "engine/VoiceMath.h"
#include "engine/Zarn.h"

// The steps that begin every sample of a model run (smoothers, LFO, pitch frequency and
// envelope, timbre envelope, hold and linear release, envelope shaping) with the values they
// derive once per run. A renderer builds one per run after its note-start step, copies of the
// voice state live in it during the loop, and store() writes them back once at the end.
class VoiceHead {
public:
    // What differs between the model groups.
    struct Variant {
        double pitchGlide;        // factor of the pitch smoother per sample
        bool shortHold;           // hold of sustainTime x (rate x 0.05) instead of sustainTime x rate
        double timbreRiseSeconds; // time of the timbre envelope's rise from 0 to 1
        double timbreHalfLifeMs;  // the timbre level halves every this many milliseconds
    };

    VoiceHead(Zarn& voice, const Variant& variant);

    // Note-start step shared by all models: true when a note-on waits for it, which it then
    // clears together with the one-shot LFO's stop. The model resets the rest of its state.
    static bool claimNoteStart(Zarn& voice);
    // The same step for a model that defers it into the run: the LFO stop lives in this head.
    bool claimNoteStartInRun() {
        if (zarn.noteStarted == 0)
            return false;
        zarn.noteStarted = 0;
        lfoDone = 0;
        return true;
    }

    // Both smoothers: Amp-Curve, and coarse tuning with the pitch bend.
    void smoothers() {
        ampCurveSmoothed += (voice::bounded(zarn.ampCurve) - ampCurveSmoothed) * 0.01;
        bendSmoothed += (voice::bounded(zarn.bendFactor * zarn.coarseFactor) - bendSmoothed) * pitchGlide;
    }

    // Steps the LFO and returns its pitch term in Hz (the LFO value times L).
    double lfoTerm() {
        const float table = lfoTable[lfoPhase >> 16];
        lfoPhase += lfoPhaseStep;
        if (zarn.lfoOneShot != 0 && lfoPhase >= kOneShotEnd) {
            lfoDone = 1;
            return 0.0;
        }
        // Unheard (stopped, or Pitch-LfoAmt 0): the shaped value would only be multiplied by 0.
        if (lfoDone != 0 || lfoDepthHz == 0.0)
            return 0.0;
        const float x = table - 0.5f;
        const double shape = zarn.lfoShape;
        if (shape >= 1.0)
            return static_cast<double>(x) * lfoDepthHz;
        const double shaped = x >= 0.0f ? std::pow(static_cast<double>(x), shape)
                                        : -std::pow(-static_cast<double>(x), shape);
        return shaped * lfoDepthHz;
    }

    // F in Hz from the current pitch-envelope level: level ^ Pitch-Curve x D + bend x K + LFO.
    double frequency(double lfo) const {
        return pitchEnvelopeTerm() + bendSmoothed * keyHz + lfo;
    }

    void fallPitchEnvelope() {
        pitchEnvLevel -= pitchFall;
        if (pitchEnvLevel < 0.0)
            pitchEnvLevel = 0.0;
    }

    // Models 6 and 7: the pitch envelope first rises by riseStep per sample to 1, then falls by P;
    // its stage is kept in timbreStage, which these models have free.
    void stepRisingPitchEnvelope(double riseStep) {
        if (timbreStage == 0) {
            pitchEnvLevel += riseStep;
            if (pitchEnvLevel > 1.0) {
                pitchEnvLevel = 1.0;
                timbreStage = 1;
            }
        } else {
            fallPitchEnvelope();
        }
    }

    void stepTimbre() {
        if (timbreStage == 0) {
            timbreEnvLevel += timbreRise;
            if (timbreEnvLevel > 1.0) {
                timbreEnvLevel = 1.0;
                timbreStage = 1;
            }
        } else {
            timbreEnvLevel *= timbreDecay;
        }
    }

    bool holdOver() const { return sampleCount >= hold; }
    // The hold may end only while render allows the release.
    bool releaseDue() const { return zarn.releaseAllowed != 0 && sampleCount >= hold; }

    void releaseLinear() {
        ampEnvLevel -= releaseStep;
        if (ampEnvLevel < 0.0)
            ampEnvLevel = 0.0;
    }

    // Models 4 and 5 release by Amp-Decay's per-sample factor (20 dB per decay time).
    void releaseExponential() { ampEnvLevel *= static_cast<double>(zarn.ampReleaseCoef); }

    // Amp-Curve 0 gives the quartic of the level, 0.5 the sigmoid, 1 the level, blended between.
    double shapeThreeWay() {
        const double a = ampEnvLevel;
        const double c = ampCurveSmoothed;
        if (c > 0.5) {
            const double k = 2.0 * (c - 0.5);
            return (1.0 - k) * sigmoid(a) + k * a;
        }
        const double k = 2.0 * c;
        if (k == 0.0) // Amp-Curve 0 settled: the quartic alone
            return a * a * a * a;
        return (1.0 - k) * (a * a * a * a) + k * sigmoid(a);
    }

    double shapeTwoWay() {
        const double a = ampEnvLevel;
        const double c = ampCurveSmoothed;
        return sigmoid(a) * (1.0 - c) + a * c;
    }

    void nextSample() { ++sampleCount; }

    // Timbre-SelfFM's weight per sample: the term enters the phase once per sample, so it is
    // scaled to the material rate to give the same pitch effect at every rate.
    double selfModulation() const { return voice::bounded(zarn.selfFm) * selfFmScale; }

    // Writes the voice state back into the engine at the end of the run.
    void store() const;

    // Per-run values.
    double rate;
    double keyHz;           // K
    double pitchEnvDepthHz; // D
    double lfoDepthHz;      // L
    uint32_t lfoPhaseStep;
    double pitchFall;       // P
    uint32_t hold;          // H
    double releaseStep;     // R
    double timbreRise;
    double timbreDecay;
    double selfFmScale;

    // Voice state during the run.
    double ampCurveSmoothed;
    double bendSmoothed;
    uint32_t lfoPhase;
    uint8_t lfoDone;
    double pitchEnvLevel;
    double timbreEnvLevel;
    uint8_t timbreStage;
    double ampEnvLevel;
    uint8_t ampStage;
    uint32_t sampleCount;

private:
    static constexpr uint32_t kOneShotEnd = 0xC0000000u; // three quarters of a cycle

    double pitchEnvelopeTerm() const {
        // The power of a level of 0 or 1 is known (the exponent is positive or the level is 1),
        // and with no depth it is not heard.
        if (pitchEnvDepthHz == 0.0 || (pitchEnvLevel == 0.0 && zarn.pitchCurve > 0.0))
            return 0.0 * pitchEnvDepthHz;
        if (pitchEnvLevel == 1.0)
            return pitchEnvDepthHz;
        return std::pow(pitchEnvLevel, zarn.pitchCurve) * pitchEnvDepthHz;
    }

    // 1 / (exp(10 - 20 a) + 1), remembered for the last level: it holds still at 1 and at 0.
    double sigmoid(double a) {
        if (a != sigmoidLevel) {
            sigmoidLevel = a;
            sigmoidValue = 1.0 / (std::exp(10.0 - 20.0 * a) + 1.0);
        }
        return sigmoidValue;
    }

    Zarn& zarn;
    const float* lfoTable;
    double pitchGlide;
    double sigmoidLevel;
    double sigmoidValue;
};
