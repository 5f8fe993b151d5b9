#include "engine/Module.h"

#include "engine/ParamIndex.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

// Highest cut-off as a fraction of the rate: tan(pi f / rate) diverges at the Nyquist frequency.
constexpr double kMaxCutoffRatio = 0.49;

// The sweep of the rate helpers: b / a in float, the power and the product with a in double.
double sweepUnrounded(float a, float b, float v) {
    const float ratio = b / a;
    return std::exp(std::log(static_cast<double>(ratio)) * static_cast<double>(v)) * static_cast<double>(a);
}

} // namespace

void Module::initParameters(int32_t count, const float* values) {
    const int32_t size = std::max(count, 0);
    paramValues = std::make_unique<float[]>(static_cast<std::size_t>(size));
    paramCount = size;
    if (values != nullptr)
        std::copy_n(values, size, paramValues.get());
}

void Module::applyParameters() {
    if (paramValues == nullptr)
        return;
    for (int32_t i = 0; i < std::min<int32_t>(paramCount, kNumParams); ++i)
        setParameter(static_cast<uint32_t>(i), paramValues[i]);
}

float Module::expScale(float a, float b, float v) {
    const float ratio = b / a;
    const auto power = static_cast<float>(std::exp(std::log(static_cast<double>(ratio)) * static_cast<double>(v)));
    return power * a;
}

double Module::expScale(double a, double b, double v) {
    return std::exp(std::log(b / a) * v) * a;
}

float Module::dbToGain(float db) {
    return static_cast<float>(std::pow(10.0, static_cast<double>(db) * 0.05));
}

float Module::bipolarDbToGain(float v, float range) {
    const float twice = v + v;
    return static_cast<float>(std::pow(10.0, (static_cast<double>(twice) - 1.0) * static_cast<double>(range) * 0.05));
}

float Module::gainToDb(float gain, float floor) {
    if (gain == 0.0f)
        return floor;
    return static_cast<float>(std::log(static_cast<double>(gain)) * 8.685889638065037);
}

float Module::octaveScale(float x, float down, float up) {
    if (x >= 0.0f)
        return static_cast<float>(std::pow(2.0, static_cast<double>(x * up)));
    const float exponent = -(x * down);
    return 1.0f / static_cast<float>(std::pow(2.0, static_cast<double>(exponent)));
}

float Module::timeCoefF(float base, float ms) const {
    const float samples = static_cast<float>(sampleRate) * ms;
    const float exponent = 1000.0f / samples;
    return static_cast<float>(std::pow(static_cast<double>(base), static_cast<double>(exponent)));
}

float Module::decayCoef(float a, float b, float v, float base) const {
    const auto ms = static_cast<float>(sweepUnrounded(a, b, v));
    const float exponent = 1000.0f / (ms * static_cast<float>(sampleRate));
    return static_cast<float>(std::pow(static_cast<double>(base), static_cast<double>(exponent)));
}

float Module::decayCoefScaled(float a, float b, float v, float scale, float base) const {
    const auto ms = static_cast<float>(sweepUnrounded(a, b, v));
    const float exponent = (scale * 1000.0f) / (ms * static_cast<float>(sampleRate));
    return static_cast<float>(std::pow(static_cast<double>(base), static_cast<double>(exponent)));
}

float Module::msToStep(float ms) const {
    return static_cast<float>(1000.0 / (static_cast<double>(ms) * sampleRate));
}

float Module::rampStep(float a, float b, float v) const {
    const float ms = expScale(a, b, v);
    return static_cast<float>(1000.0 / (static_cast<double>(ms) * sampleRate));
}

float Module::rampStepScaled(float a, float b, float v, float scale) const {
    const double ms = expScale(static_cast<double>(a), static_cast<double>(b), static_cast<double>(v));
    return static_cast<float>(static_cast<double>(scale) * 1000.0 / (ms * sampleRate));
}

void Module::setSampleRate(float rate) {
    sampleRate = rate;
    phaseScale = static_cast<float>(4294967296.0 / static_cast<double>(rate));
}

float Module::limitedCutoff(float f) const {
    const double highest = kMaxCutoffRatio * sampleRate;
    return static_cast<double>(f) > highest ? static_cast<float>(highest) : f;
}

float Module::prewarpedFrequency(float f) const {
    const double cutoff = limitedCutoff(f);
    return static_cast<float>(2.0 * std::tan(std::numbers::pi * cutoff / sampleRate) * sampleRate);
}

void Module::onePoleLowpassCoefs(float f, float* a1, float* b) const {
    const auto t = static_cast<float>(2.0 * sampleRate);
    const float w = prewarpedFrequency(f);
    *a1 = (w - t) / (w + t);
    *b = w / (w + t);
}

void Module::onePoleHighpassCoefs(float f, float* a1, float* b) const {
    const auto t = static_cast<float>(2.0 * sampleRate);
    const float w = prewarpedFrequency(f);
    *a1 = (w - t) / (w + t);
    *b = t / (w + t);
}

namespace {

void shelfFromTerms(float w, float t, float g, float* a1, float* b0, float* b1) {
    if (g > 1.0f) {
        *a1 = (w - t) / (w + t);
        *b0 = (w + g * t) / (w + t);
        *b1 = (w - g * t) / (w + t);
    } else {
        const float tg = t / g;
        *a1 = (w - tg) / (w + tg);
        *b0 = (w + t) / (w + tg);
        *b1 = (w - t) / (w + tg);
    }
}

} // namespace

void Module::shelfCoefs(float f, float g, float* a1, float* b0, float* b1) const {
    shelfFromTerms(prewarpedFrequency(f), static_cast<float>(2.0 * sampleRate), g, a1, b0, b1);
}

void Module::shelfCoefsLinear(float f, float g, float* a1, float* b0, float* b1) const {
    // Without prewarping the filter stays stable at any cut-off, so no limit applies here.
    const auto w = static_cast<float>(2.0 * std::numbers::pi * static_cast<double>(f));
    shelfFromTerms(w, static_cast<float>(2.0 * sampleRate), g, a1, b0, b1);
}
