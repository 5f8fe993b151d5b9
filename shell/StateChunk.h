#pragma once

#include "engine/SynthProgram.h"

#include <bit>
#include <cstddef>
#include <cstdint>

// The plug-in's whole state as the host saves it: a header of ten little-endian 32-bit words,
// then the 64 programs.
struct StateChunk {
    int32_t paramCount;     // 22
    int32_t programCount;   // 64
    int32_t currentProgram; // 0 to 63
    int32_t stateWordA;     // the engine's words, carried as they stand
    int32_t stateWordB;
    int32_t stateWordC;
    int32_t formatMarker;   // -2
    int32_t formatVersion;  // 2200
    int32_t reserved[2];    // 0
    SynthProgram programs[kNumPrograms];
};

inline constexpr int32_t kStateFormatMarker = -2;
inline constexpr int32_t kStateFormatVersion = 2200;

static_assert(std::endian::native == std::endian::little, "the chunk is stored in native byte order");
static_assert(sizeof(StateChunk) == 8232);
static_assert(offsetof(StateChunk, currentProgram) == 8);
static_assert(offsetof(StateChunk, stateWordA) == 12);
static_assert(offsetof(StateChunk, formatMarker) == 24);
static_assert(offsetof(StateChunk, formatVersion) == 28);
static_assert(offsetof(StateChunk, programs) == 40);
