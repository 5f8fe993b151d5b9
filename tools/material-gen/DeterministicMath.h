#pragma once

#include <cmath>
#include <cstdint>
#include <numbers>

// Sine, exponential and tanh from plain IEEE arithmetic only, so that the generated material is
// bit for bit the same with every compiler and C library.
namespace material {

inline double detSin(double x) {
    constexpr double kTwoPi = 2.0 * std::numbers::pi;
    double r = x - kTwoPi * std::nearbyint(x / kTwoPi); // -pi..pi
    const double r2 = r * r;
    double term = r;
    double sum = r;
    for (int n = 1; n <= 14; ++n) {
        term = -term * r2 / static_cast<double>((2 * n) * (2 * n + 1));
        sum += term;
    }
    return sum;
}

inline double detCos(double x) {
    return detSin(x + 0.5 * std::numbers::pi);
}

inline double detExp(double x) {
    if (x < -700.0)
        return 0.0;
    constexpr double kLn2 = std::numbers::ln2;
    const double k = std::nearbyint(x / kLn2);
    const double r = x - k * kLn2; // |r| <= ln2 / 2
    double term = 1.0;
    double sum = 1.0;
    for (int n = 1; n <= 20; ++n) {
        term = term * r / static_cast<double>(n);
        sum += term;
    }
    return std::ldexp(sum, static_cast<int>(k));
}

inline double detTanh(double x) {
    const double e = detExp(-2.0 * std::fabs(x));
    const double t = (1.0 - e) / (1.0 + e);
    return x < 0.0 ? -t : t;
}

// Seeded integer noise (xorshift32), white in -1..1.
class IntegerNoise {
public:
    explicit IntegerNoise(uint32_t seed) : state(seed != 0 ? seed : 0x9E3779B9u) {}

    double next() {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        return static_cast<double>(static_cast<int32_t>(state)) / 2147483648.0;
    }

private:
    uint32_t state;
};

} // namespace material
