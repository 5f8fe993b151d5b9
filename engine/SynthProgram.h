#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>

#include "engine/ParamIndex.h"

// One program as stored in the bank and in the state chunk: 128 bytes, little-endian floats.
struct SynthProgram {
    static constexpr std::size_t kNameSize = 32;

    char name[kNameSize];     // NUL-terminated and NUL-padded
    float values[kNumParams]; // in ParamIndex order, each 0..1
    uint8_t reserved[8];      // always zero
};

static_assert(sizeof(SynthProgram) == 128, "SynthProgram is a 128-byte record");
static_assert(offsetof(SynthProgram, values) == 32);
static_assert(offsetof(SynthProgram, reserved) == 120);

inline constexpr int32_t kNumPrograms = 64;

// A value of the bank as read and written while another thread may do the same (the audio thread
// for automation and MIDI, the user-interface thread for the editor): each float goes whole.
inline float loadProgramValue(const SynthProgram& program, int32_t index)
{
    return std::atomic_ref<float>(const_cast<float&>(program.values[index])).load(std::memory_order_relaxed);
}
inline void storeProgramValue(SynthProgram& program, int32_t index, float value)
{
    std::atomic_ref<float>(program.values[index]).store(value, std::memory_order_relaxed);
}

// Sort order of program names: names beginning with '-' go after all others, the rest compare
// byte by byte as unsigned characters. Returns 100, -100, or -1/0/1.
int32_t compareProgramNames(const char* a, const char* b);
