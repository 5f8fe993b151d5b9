#pragma once

#include "shell/NoteEvent.h"

#include <array>
#include <atomic>
#include <cstdint>

// Hands the editor's tap-pad notes from the user-interface thread (one producer) to the audio
// thread (one consumer) without locks: the producer never blocks, the consumer never waits, and
// entries arrive whole and in order. A push into a full ring is refused.
class PadNoteRing {
public:
    static constexpr uint32_t kCapacity = 256; // a power of two; as many as a block queues

    // User-interface thread.
    bool push(const NoteEvent& event) {
        const uint32_t tail = tail_.load(std::memory_order_relaxed);
        if (tail - head_.load(std::memory_order_acquire) >= kCapacity)
            return false;
        slots_[tail & (kCapacity - 1)] = event;
        tail_.store(tail + 1, std::memory_order_release);
        return true;
    }

    // Audio thread: calls apply(event) for every entry pushed so far, oldest first.
    template <typename Apply>
    void drain(Apply&& apply) {
        uint32_t head = head_.load(std::memory_order_relaxed);
        const uint32_t tail = tail_.load(std::memory_order_acquire);
        while (head != tail) {
            apply(slots_[head & (kCapacity - 1)]);
            ++head;
            head_.store(head, std::memory_order_release);
        }
    }

private:
    static_assert((kCapacity & (kCapacity - 1)) == 0);
    std::array<NoteEvent, kCapacity> slots_{};
    alignas(64) std::atomic<uint32_t> head_{0};
    alignas(64) std::atomic<uint32_t> tail_{0};
};
