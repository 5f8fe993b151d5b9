#pragma once

#include "engine/ParamIndex.h"

#include <array>
#include <atomic>
#include <cstdint>

// Parameter values handed from any thread (the host's automation and MIDI arrive on the audio
// thread) to the user-interface thread, which alone touches the controls: the latest value of
// each parameter and a mask of those waiting. Lock-free; posting never waits or allocates.
class ParameterMailbox {
public:
    // Any thread. Indices outside 0 to 21 are ignored.
    void post(int32_t index, float value)
    {
        if (static_cast<uint32_t>(index) >= static_cast<uint32_t>(kNumParams))
            return;
        values[size_t(index)].store(value, std::memory_order_relaxed);
        // Release: whoever takes the bit also sees this value (or a later one).
        pending.fetch_or(uint32_t(1) << index, std::memory_order_release);
    }

    // User-interface thread: hands every waiting parameter's latest value to apply(index, value).
    template <typename Apply> void deliver(Apply apply)
    {
        uint32_t waiting = pending.exchange(0, std::memory_order_acquire);
        for (int32_t index = 0; waiting != 0; ++index, waiting >>= 1) {
            if (waiting & 1)
                apply(index, values[size_t(index)].load(std::memory_order_relaxed));
        }
    }

    // Forgets what waits (the receiver is about to read every value afresh).
    void discard() { pending.store(0, std::memory_order_relaxed); }

    bool hasPending() const { return pending.load(std::memory_order_relaxed) != 0; }

private:
    static_assert(kNumParams <= 32, "one pending bit per parameter");
    std::array<std::atomic<float>, kNumParams> values{};
    std::atomic<uint32_t> pending{0};
};
