#pragma once

#include <cmath>
#include <cstdint>

// Small numeric steps that every model renderer shares: table indexing, sample counts from times,
// the LFO step, the end-of-run flush of filter memories, and the bound on values that come from
// out-of-range parameters.
namespace voice {

inline constexpr int32_t kTableMask = 8191; // 8192-entry single-cycle tables
inline constexpr double kTwoPow63 = 9223372036854775808.0;
inline constexpr double kTwoPow32 = 4294967296.0;
// Memories whose magnitude is below 1e-9 (the float constant, widened) end a run as exact 0.
inline constexpr double kFlushThreshold = 9.999999717180685e-10;

// Limit of per-run values, smoother targets and gains that parameters feed into the voice.
// Values of 0..1 give at most a few kHz and gains of a few units, so in range nothing changes;
// an out-of-range host value (the mapping does not clamp) can then no longer overflow a phase,
// a smoother or a float filter memory, and a NaN product (infinity x 0) counts as 0.
inline constexpr double kValueLimit = 1e6;

inline double bounded(double value) {
    if (value > kValueLimit)
        return kValueLimit;
    if (value < -kValueLimit)
        return -kValueLimit;
    return value == value ? value : 0.0;
}

// Low bits (mask + 1 a power of two) of the whole part of x, truncated towards zero, as a 64-bit
// two's-complement integer would hold them: identical to a 32-bit conversion wherever that one
// is valid, and exact beyond it. Masked rather than taken modulo, so a negative value wraps too;
// a NaN or an infinity gives 0.
inline uint32_t wholePartLowBits(double x, uint32_t mask) {
    if (std::fabs(x) < kTwoPow63)
        return static_cast<uint32_t>(static_cast<uint64_t>(static_cast<int64_t>(x)) & mask);
    if (!std::isfinite(x))
        return 0;
    // Beyond 2^63 a double is a whole number; its remainder is exact.
    const double low = std::fmod(x, static_cast<double>(mask) + 1.0);
    return static_cast<uint32_t>(low < 0.0 ? low + static_cast<double>(mask) + 1.0 : low);
}

// Table entry for phase x 8192: the low 13 bits of the whole part, so a phase beyond 262144
// cycles, where a 32-bit index overflows, still reads the right entry.
inline int32_t tableEntry(double scaledPhase) {
    return static_cast<int32_t>(wholePartLowBits(scaledPhase, kTableMask));
}

// Model 5's noise: the next state of the linear congruential generator, and bits 16 to 31 of it
// read as a signed 16-bit number.
inline int32_t nextNoise(uint32_t& state) {
    state = state * 214013u + 2531011u;
    return static_cast<int16_t>(static_cast<uint16_t>(state >> 16));
}

// Whole part of a sample count as the unsigned hold comparison reads it: truncated into 32 bits,
// saturating where no 32-bit integer holds the product (an infinite hold time), as render's
// end-of-voice test does.
inline uint32_t wholeSamples(double samples) {
    if (!(samples < 2147483648.0))
        return 0x7FFFFFFFu;
    if (samples <= -2147483649.0)
        return 0x80000000u;
    return static_cast<uint32_t>(static_cast<int32_t>(samples));
}

// Phase step per sample of an LFO at rateHz, a full cycle being 2^32; the whole part is taken
// modulo 2^32, and a rate no double step can hold gives no motion.
inline uint32_t lfoStep(double rateHz, double sampleRate) {
    const double steps = rateHz * kTwoPow32 / sampleRate;
    if (steps >= 0.0 && steps < kTwoPow32)
        return static_cast<uint32_t>(steps);
    if (!std::isfinite(steps))
        return 0;
    const double wrapped = std::fmod(steps, kTwoPow32);
    return static_cast<uint32_t>(static_cast<int64_t>(wrapped < 0.0 ? wrapped + kTwoPow32 : wrapped));
}

// A memory at the end of a run: negligible values become 0 (never subnormal), the rest is
// kept in single precision.
inline float flushedMemory(double value) {
    return (value > -kFlushThreshold && value < kFlushThreshold) ? 0.0f : static_cast<float>(value);
}

// Adds a model's sample into an output element: the sum in double, stored as float.
inline void addInto(float& output, double value) {
    output = static_cast<float>(static_cast<double>(output) + value);
}

} // namespace voice
