#include "tools/material-gen/MaterialRecipes.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "engine/material/SoundMaterial.h"
#include "tools/material-gen/DeterministicMath.h"

namespace material {
namespace {

constexpr double kRate = 44100.0;
constexpr double kTwoPi = 2.0 * std::numbers::pi;

double decay(double t, double tau) {
    return detExp(-t / tau);
}

// Two-pole band-pass with unit peak gain.
class Bandpass {
public:
    Bandpass(double hz, double q) {
        const double w = kTwoPi * hz / kRate;
        const double alpha = detSin(w) / (2.0 * q);
        const double a0 = 1.0 + alpha;
        b0 = alpha / a0;
        a1 = -2.0 * detCos(w) / a0;
        a2 = (1.0 - alpha) / a0;
    }

    double process(double x) {
        const double y = b0 * (x - x2) - a1 * y1 - a2 * y2;
        x2 = x1;
        x1 = x;
        y2 = y1;
        y1 = y;
        return y;
    }

private:
    double b0 = 0.0, a1 = 0.0, a2 = 0.0;
    double x1 = 0.0, x2 = 0.0, y1 = 0.0, y2 = 0.0;
};

class Lowpass {
public:
    explicit Lowpass(double hz) : k(1.0 - detExp(-kTwoPi * hz / kRate)) {}
    double process(double x) { return y += k * (x - y); }

private:
    double k;
    double y = 0.0;
};

// A sine whose frequency falls from start + end to end with time constant tau.
class Sweep {
public:
    Sweep(double startHz, double endHz, double tau) : start(startHz), end(endHz), tau(tau) {}

    double next(double t) {
        const double value = detSin(kTwoPi * phase);
        phase += (end + (start - end) * decay(t, tau)) / kRate;
        return value;
    }

private:
    double start, end, tau;
    double phase = 0.0;
};

void normalise(std::vector<double>& values, double peak) {
    double highest = 0.0;
    for (double v : values)
        highest = std::max(highest, std::fabs(v));
    if (highest > 0.0)
        for (double& v : values)
            v *= peak / highest;
}

// A raised-cosine fade over the last `frames` frames; the last frame is exact silence.
void fadeOut(std::vector<double>& values, int channels, int frames) {
    const int total = static_cast<int>(values.size()) / channels;
    for (int j = 0; j < frames; ++j) {
        const double gain = 0.5 * (1.0 + detCos(std::numbers::pi * (j + 1) / frames));
        for (int c = 0; c < channels; ++c)
            values[static_cast<std::size_t>((total - frames + j) * channels + c)] *= gain;
    }
    for (int c = 0; c < channels; ++c)
        values[static_cast<std::size_t>((total - 1) * channels + c)] = 0.0;
}

std::vector<float> toFloats(const std::vector<double>& values) {
    std::vector<float> out(values.size());
    std::transform(values.begin(), values.end(), out.begin(), [](double v) { return static_cast<float>(v); });
    return out;
}

double smoothStep(double x) {
    x = std::clamp(x, 0.0, 1.0);
    return x * x * (3.0 - 2.0 * x);
}

} // namespace

std::vector<int16_t> model4ClickDeltas() {
    // A bright burst that turns, over its last 75 samples, into the dip of a low cycle whose
    // rising edge ends exactly where the model's body takes over.
    constexpr int kLength = kModel4ClickLength;
    constexpr int kTailStart = 150;
    IntegerNoise noise(0x4C11C4u);
    std::vector<int32_t> sums(kLength);
    for (int k = 2; k < kLength; ++k) {
        const double t = (k - 1) / kRate;
        const double burst = 0.925 * decay(t, 0.00068) * detCos(kTwoPi * 900.0 * t) +
                             0.08 * decay(t, 0.00027) * noise.next();
        const double w = smoothStep(static_cast<double>(k - kTailStart) / (kLength - 1 - kTailStart));
        const double tail = -0.3152 - 0.22 * detSin(0.5 * std::numbers::pi * (kLength - 1 - k) / 75.0);
        const double y = burst * (1.0 - w) + tail * w;
        sums[static_cast<std::size_t>(k)] = std::clamp(static_cast<int32_t>(std::lround(y * 32768.0)), -32768, 32767);
    }
    sums[0] = 635;
    sums[1] = 30305;
    sums[kLength - 1] = -10328;
    std::vector<int16_t> deltas(kLength);
    int32_t previous = 0;
    for (int k = 0; k < kLength; ++k) {
        deltas[static_cast<std::size_t>(k)] = static_cast<int16_t>(sums[static_cast<std::size_t>(k)] - previous);
        previous = sums[static_cast<std::size_t>(k)];
    }
    return deltas;
}

std::vector<float> model5Click() {
    // A mostly positive thump with a short ring and a shallow undershoot before it settles.
    constexpr int kLength = kModel5ClickLength;
    std::vector<double> v(kLength);
    for (int k = 0; k < kLength; ++k) {
        const double t = k / kRate;
        const double thump = (1.0 - decay(t, 0.00025)) * decay(t, 0.0045);
        const double ring = 0.12 * detSin(kTwoPi * 1300.0 * t) * decay(t, 0.0015);
        double undershoot = 0.0;
        if (k >= 420 && k < 860)
            undershoot = 0.5 * (1.0 - detCos(kTwoPi * (k - 420) / 440.0));
        v[static_cast<std::size_t>(k)] = thump + ring - 0.04 * undershoot;
    }
    double highest = 0.0, lowest = 0.0;
    for (double x : v) {
        highest = std::max(highest, x);
        lowest = std::min(lowest, x);
    }
    for (double& x : v)
        x = x > 0.0 ? x * 951.0 / highest : x * 35.0 / -lowest;
    fadeOut(v, 1, 24);
    return toFloats(v);
}

std::vector<float> model2Click() {
    constexpr int kLength = kModel2ClickLength;
    IntegerNoise noise(0x2C11Cu);
    std::vector<double> v(kLength);
    for (int k = 0; k < kLength; ++k) {
        const double t = k / kRate;
        v[static_cast<std::size_t>(k)] =
            detSin(kTwoPi * 2900.0 * t + 0.4) * decay(t, 0.0002) + 0.3 * noise.next() * decay(t, 0.00009);
    }
    normalise(v, 0.96);
    fadeOut(v, 1, 10);
    return toFloats(v);
}

std::vector<float> model1Attack() {
    constexpr int kFrames = kModel1AttackFrames;
    std::vector<double> v(2 * kFrames);
    for (int c = 0; c < 2; ++c) {
        IntegerNoise noise(0x1A7Au + 17u * static_cast<uint32_t>(c));
        Bandpass hiss(6000.0, 0.8);
        Sweep snap(2200.0, 300.0, 0.002);
        for (int k = 0; k < kFrames; ++k) {
            const double t = k / kRate;
            const double x = 1.2 * hiss.process(noise.next()) * decay(t, 0.0015) +
                             0.6 * detSin(kTwoPi * 2400.0 * t + 0.5 * c) * decay(t, 0.003) +
                             0.8 * snap.next(t) * decay(t, 0.006);
            v[static_cast<std::size_t>(2 * k + c)] = x;
        }
    }
    normalise(v, 0.97);
    fadeOut(v, 2, 300);
    return toFloats(v);
}

std::vector<float> model0Attack() {
    constexpr int kFrames = kModel0AttackFrames;
    std::vector<double> v(2 * kFrames);
    for (int c = 0; c < 2; ++c) {
        IntegerNoise noise(0x0A77u + 31u * static_cast<uint32_t>(c));
        Bandpass beater(3500.0, 1.2);
        Sweep sweep(1800.0, 220.0, 0.004);
        for (int k = 0; k < kFrames; ++k) {
            const double t = k / kRate;
            const double x = sweep.next(t) * decay(t, 0.012) + 1.4 * beater.process(noise.next()) * decay(t, 0.003) +
                             0.45 * detSin(kTwoPi * 910.0 * t + 0.3 * c) * decay(t, 0.018) +
                             0.5 * detSin(kTwoPi * 120.0 * t) * decay(t, 0.03);
            v[static_cast<std::size_t>(2 * k + c)] = x;
        }
    }
    normalise(v, 0.97);
    fadeOut(v, 2, 600);
    return toFloats(v);
}

std::vector<float> model3Attack() {
    // Inharmonic partials of a struck shell over a short noise strike.
    constexpr int kFrames = kModel3AttackFrames;
    constexpr double kPartialHz[] = {330.0, 745.0, 1190.0, 1875.0, 2630.0};
    constexpr double kPartialTau[] = {0.040, 0.025, 0.018, 0.012, 0.008};
    constexpr double kPartialGain[] = {1.0, 0.7, 0.5, 0.35, 0.25};
    std::vector<double> v(2 * kFrames);
    for (int c = 0; c < 2; ++c) {
        IntegerNoise noise(0x3A77u + 7u * static_cast<uint32_t>(c));
        Bandpass strike(4500.0, 1.0);
        const double detune = c == 0 ? 0.993 : 1.007;
        for (int k = 0; k < kFrames; ++k) {
            const double t = k / kRate;
            double x = 0.9 * strike.process(noise.next()) * decay(t, 0.002);
            for (int p = 0; p < 5; ++p)
                x += kPartialGain[p] * detSin(kTwoPi * kPartialHz[p] * detune * t) * decay(t, kPartialTau[p]);
            v[static_cast<std::size_t>(2 * k + c)] = x;
        }
    }
    normalise(v, 0.96);
    fadeOut(v, 2, 800);
    return toFloats(v);
}

std::vector<float> model6Attack() {
    // A hard strike, a ringing shell and a diffuse stereo tail.
    constexpr int kFrames = kModel6AttackFrames;
    std::vector<double> v(2 * kFrames);
    IntegerNoise strikeNoise(0x6A77u);
    std::vector<double> strike(kFrames);
    for (double& s : strike)
        s = strikeNoise.next();
    for (int c = 0; c < 2; ++c) {
        IntegerNoise noise(0x6B00u + 101u * static_cast<uint32_t>(c));
        Bandpass shell(1200.0, 2.0);
        Bandpass ring(2900.0, 6.0);
        Lowpass air(2500.0);
        for (int k = 0; k < kFrames; ++k) {
            const double t = k / kRate;
            const double n = noise.next();
            const double x = strike[static_cast<std::size_t>(k)] * decay(t, 0.0006) +
                             0.5 * shell.process(n) * decay(t, 0.04) * 3.0 +
                             0.3 * ring.process(strike[static_cast<std::size_t>(k)]) * decay(t, 0.015) * 4.0 +
                             0.6 * detSin(kTwoPi * 160.0 * t) * decay(t, 0.06) +
                             0.25 * air.process(n) * decay(t, 0.11) * 3.0;
            v[static_cast<std::size_t>(2 * k + c)] = x;
        }
    }
    normalise(v, 0.95);
    fadeOut(v, 2, 2000);
    return toFloats(v);
}

std::vector<float> model7Attack() {
    constexpr int kLength = kModel7AttackLength;
    std::vector<double> v(kLength);
    IntegerNoise noise(0x7A77u);
    Bandpass knock(2000.0, 1.5);
    Sweep drop(420.0, 85.0, 0.025);
    for (int k = 0; k < kLength; ++k) {
        const double t = k / kRate;
        const double n = noise.next();
        v[static_cast<std::size_t>(k)] =
            drop.next(t) * decay(t, 0.09) + n * decay(t, 0.0008) + 0.3 * knock.process(n) * decay(t, 0.02) * 3.0;
    }
    normalise(v, 0.95);
    fadeOut(v, 1, 2000);
    return toFloats(v);
}

std::vector<int8_t> singleCycleDeltas() {
    // A saturated sine, negative in the first half, its peaks moved apart by a little second
    // harmonic; the halves are scaled to their own peaks.
    constexpr int kLength = kCycleLength;
    std::vector<double> raw(kLength);
    for (int k = 0; k < kLength; ++k) {
        const double theta = kTwoPi * k / kLength;
        raw[static_cast<std::size_t>(k)] = -detTanh(1.3 * detSin(theta)) + 0.01 * detSin(2.0 * theta);
    }
    double highest = 0.0, lowest = 0.0;
    for (double x : raw) {
        highest = std::max(highest, x);
        lowest = std::min(lowest, x);
    }
    std::vector<int8_t> deltas(kLength);
    int32_t previous = 0;
    for (int k = 0; k < kLength; ++k) {
        const double x = raw[static_cast<std::size_t>(k)];
        int32_t value = static_cast<int32_t>(std::lround(x > 0.0 ? x * 31375.0 / highest : x * 32700.0 / -lowest));
        if (k == 0)
            value = 1;
        deltas[static_cast<std::size_t>(k)] = static_cast<int8_t>(value - previous);
        previous = value;
    }
    return deltas;
}

namespace {

std::vector<float> harmonicTable(const std::vector<double>& gains) {
    std::vector<double> v(kWavetableLength);
    for (int k = 0; k < kWavetableLength; ++k) {
        const double theta = kTwoPi * k / kWavetableLength;
        double x = 0.0;
        for (std::size_t h = 0; h < gains.size(); ++h)
            x += gains[h] * detSin(static_cast<double>(h + 1) * theta);
        v[static_cast<std::size_t>(k)] = x;
    }
    normalise(v, 0.97);
    return toFloats(v);
}

} // namespace

std::vector<float> wavetable0() {
    return harmonicTable({1.0, 0.5, 0.33, 0.22, 0.14, 0.09});
}

std::vector<float> wavetable1() {
    // Entered with a minus sign by its model: an inverted square-like wave.
    return harmonicTable({-1.0, 0.0, -0.33, 0.0, -0.2, 0.0, -0.14});
}

std::vector<float> wavetable2a() {
    std::vector<double> gains(16);
    for (std::size_t h = 0; h < gains.size(); ++h)
        gains[h] = 1.0 / std::sqrt(static_cast<double>(h + 1)) * (h % 2 == 0 ? 1.0 : -0.8);
    return harmonicTable(gains);
}

std::vector<float> wavetable2b() {
    return harmonicTable({1.0, 0.18, 0.07});
}

} // namespace material
