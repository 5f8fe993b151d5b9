#include "engine/Resampler.h"

#include <cmath>

namespace {

// The spline through q (at t = 0) and r (at t = 1) with neighbours p and s, summed in this
// order in single precision.
float catmullRom(float p, float q, float r, float s, float t) {
    const float a = (2.0f * r + p - (5.0f * q + s) * 0.5f) * t * t;
    const float b = ((q - r) * 3.0f - p + s) * 0.5f * t * t * t;
    const float c = (r - p) * 0.5f * t;
    return ((a + b) + c) + q;
}

// Reads source entries (one channel of `stride` interleaved ones) with silence outside.
struct ChannelReader {
    const float* source;
    int64_t length;
    int32_t stride;
    int32_t channel;
    float scale;

    float at(int64_t i) const {
        if (i < 0 || i >= length)
            return 0.0f;
        return source[i * stride + channel] * scale;
    }
};

template <int32_t Channels>
void resample(const float* source, int32_t sourceLength, float* destination, double ratio, int32_t count, float scale) {
    double x = 0.0;
    for (int32_t k = 0; k < count; ++k) {
        const double whole = std::floor(x);
        const auto i = static_cast<int64_t>(whole);
        const auto t = static_cast<float>(x - whole);
        for (int32_t c = 0; c < Channels; ++c) {
            const ChannelReader in{source, sourceLength, Channels, c, scale};
            destination[k * Channels + c] = catmullRom(in.at(i - 1), in.at(i), in.at(i + 1), in.at(i + 2), t);
        }
        x += ratio;
    }
}

} // namespace

void resampleCubic(const float* source, int32_t sourceLength, float* destination, double ratio, int32_t count) {
    resample<1>(source, sourceLength, destination, ratio, count, 1.0f);
}

void resampleCubicScaled(const float* source, int32_t sourceLength, float* destination, double ratio, int32_t count) {
    resample<1>(source, sourceLength, destination, ratio, count, 0.0009765625f);
}

void resampleCubicStereo(const float* source, int32_t sourceLength, float* destination, double ratio, int32_t count) {
    resample<2>(source, sourceLength, destination, ratio, count, 1.0f);
}
