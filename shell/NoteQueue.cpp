#include "shell/NoteQueue.h"

bool NoteQueue::push(const NoteEvent& event) {
    if (count_ < kCapacity) {
        events_[static_cast<std::size_t>(count_++)] = event;
        return true;
    }
    if (!isNoteOff(event))
        return false;
    for (int32_t i = count_ - 1; i >= 0; --i) {
        if (!isNoteOff(events_[static_cast<std::size_t>(i)])) {
            for (int32_t j = i; j < count_ - 1; ++j)
                events_[static_cast<std::size_t>(j)] = events_[static_cast<std::size_t>(j + 1)];
            events_[static_cast<std::size_t>(count_ - 1)] = event;
            return true;
        }
    }
    return false;
}
