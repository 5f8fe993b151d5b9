#pragma once

#include <cstdint>

// 4-point cubic (Catmull-Rom) resampling of recorded material. The read position starts at 0
// and grows by ratio per output sample; positions at or past sourceLength (samples, or frames
// for the stereo form) read as silence, so a source needs no padding after its end.
void resampleCubic(const float* source, int32_t sourceLength, float* destination, double ratio, int32_t count);
// As resampleCubic, with every source value scaled by 1/1024 first.
void resampleCubicScaled(const float* source, int32_t sourceLength, float* destination, double ratio, int32_t count);
// Interleaved stereo: both channels at the same positions; count and sourceLength in frames.
void resampleCubicStereo(const float* source, int32_t sourceLength, float* destination, double ratio, int32_t count);
