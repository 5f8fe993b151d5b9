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

// Table entry for phase x 8192: the whole part (towards zero) keeps its low 13 bits. Taken in
// 64 bits, so a phase beyond 262144 cycles still reads the right entry, and masked rather than
// taken modulo, so a negative phase wraps too. From 2^63 up a double has no bits below 2^13, so
// entry 0 is exact there; a NaN also reads entry 0.
inline int32_t tableEntry(double scaledPhase) {
    if (!(std::fabs(scaledPhase) < kTwoPow63))
        return 0;
    return static_cast<int32_t>(static_cast<int64_t>(scaledPhase) & kTableMask);
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
