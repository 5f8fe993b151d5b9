#pragma once

#include <cmath>
#include <cstdint>
#include <limits>

// Conversions of the bitmap font's measurements: NaN gives 0 and values beyond 32 bits saturate,
// so no size, scale or text length turns into an undefined integer.
namespace FontMath {

inline int32_t toInt32(double value)
{
    if (!(value == value))
        return 0;
    if (value <= double(std::numeric_limits<int32_t>::min()))
        return std::numeric_limits<int32_t>::min();
    if (value >= double(std::numeric_limits<int32_t>::max()))
        return std::numeric_limits<int32_t>::max();
    return int32_t(value);
}

} // namespace FontMath
