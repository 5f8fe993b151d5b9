#pragma once

#include <chrono>
#include <cstdint>

namespace VSTGUI {

// Lets this thread's timers follow the real clock: each tick advances the timer queue by the time
// since the last tick. Window back ends tick it at every frame idle.
class RealTimeTimerClock {
public:
    // A stalled host must not make a periodic timer fire many times in a row when idle returns
    // (no window system's timers do that): longer gaps count as this much.
    static constexpr int64_t kMaxCatchUpMs = 250;

    RealTimeTimerClock();
    void tick();

private:
    std::chrono::steady_clock::time_point last;
};

} // namespace VSTGUI
