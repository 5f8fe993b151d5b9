#pragma once

#include <cstdint>

// One note event waiting for its frame in the block: status 0x80 or 0x90 (channel removed),
// note and velocity as delivered.
struct NoteEvent {
    int32_t deltaFrames;
    uint8_t status;
    uint8_t note;
    uint8_t velocity;
};

static_assert(sizeof(NoteEvent) == 8);
