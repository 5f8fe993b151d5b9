#pragma once

#include "shell/NoteEvent.h"

#include <array>
#include <cstdint>

// The note events of one block, in arrival order, at most 256. When it is full a note-off still
// gets in by taking the place of the newest queued note-on (which is dropped), so that no note
// is left hanging; a note-on arriving at a full queue is dropped.
class NoteQueue {
public:
    static constexpr int32_t kCapacity = 256;

    // False when the event was dropped.
    bool push(const NoteEvent& event);
    void clear() { count_ = 0; }

    int32_t size() const { return count_; }
    const NoteEvent& operator[](int32_t i) const { return events_[static_cast<std::size_t>(i)]; }
    const NoteEvent* begin() const { return events_.data(); }
    const NoteEvent* end() const { return events_.data() + count_; }

    static bool isNoteOff(const NoteEvent& event) { return event.status == 0x80 || (event.velocity & 0x7F) == 0; }

private:
    int32_t count_ = 0;
    std::array<NoteEvent, kCapacity> events_{};
};
