#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>

// Number helpers of the raster canvas: every float that becomes an index goes through toIndex,
// so NaN, infinities and huge values land far outside any buffer instead of being undefined.
namespace CanvasMath {

// Far outside any buffer, yet small enough that sums and products of a few of them stay in 64 bits.
inline constexpr int64_t kFarAway = int64_t(1) << 40;

// Truncation toward zero, saturated to +-kFarAway; NaN gives -kFarAway.
inline int64_t toIndex(double value)
{
    if (!(value > -double(kFarAway)))
        return -kFarAway;
    if (value >= double(kFarAway))
        return kFarAway;
    return static_cast<int64_t>(value);
}

// The fractional part of |value|; 0 where it has none (non-finite).
inline float fraction(float value)
{
    const float magnitude = std::fabs(value);
    if (!(magnitude < float(kFarAway)))
        return 0.f;
    return magnitude - std::trunc(magnitude);
}

// Clamp in which NaN takes the lower bound.
template <typename T> inline T clampOrLow(T value, T low, T high)
{
    if (!(value >= low))
        return low;
    return value > high ? high : value;
}

inline bool allFinite(float a, float b, float c, float d)
{
    return std::isfinite(a) && std::isfinite(b) && std::isfinite(c) && std::isfinite(d);
}

} // namespace CanvasMath
