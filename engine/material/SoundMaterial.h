#pragma once

#include <cstdint>

// The engine's embedded sound material, recorded at 44.1 kHz. The sources in this folder are
// written by tools/material-gen; regenerate them with that tool rather than by hand.

inline constexpr int32_t kMaterialRate = 44100;

inline constexpr int32_t kModel4ClickLength = 226;  // int16 deltas
inline constexpr int32_t kModel5ClickLength = 887;  // floats in units of 1/1024
inline constexpr int32_t kModel2ClickLength = 29;   // floats
inline constexpr int32_t kModel1AttackFrames = 2047; // interleaved stereo
inline constexpr int32_t kModel7AttackLength = 14996;
inline constexpr int32_t kModel6AttackFrames = 14992; // interleaved stereo
inline constexpr int32_t kModel0AttackFrames = 3809;  // interleaved stereo
inline constexpr int32_t kModel3AttackFrames = 4624;  // interleaved stereo, read in place
inline constexpr int32_t kCycleLength = 65536;        // int8 deltas
inline constexpr int32_t kWavetableLength = 8192;

// Model 4's click as deltas of 16-bit sample values (value k is the sum of deltas 0 to k).
extern const int16_t kModel4ClickDeltas[kModel4ClickLength];
extern const float kModel5Click[kModel5ClickLength];
extern const float kModel2Click[kModel2ClickLength];
extern const float kModel1Attack[2 * kModel1AttackFrames];
extern const float kModel7Attack[kModel7AttackLength];
extern const float kModel6Attack[2 * kModel6AttackFrames];
extern const float kModel0Attack[2 * kModel0AttackFrames];
extern const float attackSample3[2 * kModel3AttackFrames];
// Model 5's single cycle as deltas of 16-bit values.
extern const int8_t kSingleCycleDeltas[kCycleLength];
extern const float wavetable0[kWavetableLength];
extern const float wavetable1[kWavetableLength];
extern const float wavetable2a[kWavetableLength];
extern const float wavetable2b[kWavetableLength];
