#pragma once

#include <cstdint>
#include <memory>

// Base of the engine: sample rate, the three state words, the raw parameter values, and the
// library of conversions (sweeps, levels, times at the current rate, first-order filter
// coefficients). "Single" helpers work in 32-bit floats where noted; the precision of each step
// is part of the sound, so the arithmetic below is written out step by step on purpose.
class Module {
public:
    Module() = default;
    virtual ~Module() = default;
    Module(const Module&) = delete;
    Module& operator=(const Module&) = delete;

    // Maps one parameter value into the engine's fields.
    virtual void setParameter(uint32_t index, float value) = 0;

    // Allocates count zeroed values and copies count floats from values when it is not null.
    void initParameters(int32_t count, const float* values);
    // Re-maps every stored value, index 0 to 21 in order (after a rate change, for instance).
    void applyParameters();

    // a x (b / a)^v. The float form rounds b / a and the power to float; the double form does not.
    static float expScale(float a, float b, float v);
    static double expScale(double a, double b, double v);
    static float dbToGain(float db);
    static float bipolarDbToGain(float v, float range);
    static float gainToDb(float gain, float floor);
    static float octaveScale(float x, float down, float up);

    // Times at the current rate.
    float timeCoefF(float base, float ms) const;
    float decayCoef(float a, float b, float v, float base) const;
    float decayCoefScaled(float a, float b, float v, float scale, float base) const;
    float msToStep(float ms) const;
    float rampStep(float a, float b, float v) const;
    float rampStepScaled(float a, float b, float v, float scale) const;
    void setSampleRate(float rate);

    // First-order coefficients by the bilinear transform, for y = b0 x + b1 x1 - a1 y1.
    // Cut-offs are kept below the Nyquist frequency (at most 0.49 x rate), where the prewarped
    // filter would otherwise turn unstable.
    void onePoleLowpassCoefs(float f, float* a1, float* b) const;
    void onePoleHighpassCoefs(float f, float* a1, float* b) const;
    void shelfCoefs(float f, float g, float* a1, float* b0, float* b1) const;
    void shelfCoefsLinear(float f, float g, float* a1, float* b0, float* b1) const;

    double sampleRate = 0.0;
    float phaseScale = 0.0f;
    int32_t stateWordB = 0;
    int32_t stateWordA = 0;
    int32_t programIndex = 0;
    int32_t stateWordC = 0;
    std::unique_ptr<float[]> paramValues;
    int32_t paramCount = 0;

private:
    float prewarpedFrequency(float f) const;
    float limitedCutoff(float f) const;
};
