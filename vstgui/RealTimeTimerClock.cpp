#include "vstgui/RealTimeTimerClock.h"

#include "vstgui/TimerQueue.h"

#include <algorithm>

namespace VSTGUI {

RealTimeTimerClock::RealTimeTimerClock() : last(std::chrono::steady_clock::now()) {}

void RealTimeTimerClock::tick()
{
    const auto elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - last);
    // Whole milliseconds only; the remainder counts towards the next tick.
    last += elapsed;
    TimerQueue::forCurrentThread().advance(uint32_t(std::clamp<int64_t>(elapsed.count(), 0, kMaxCatchUpMs)));
}

} // namespace VSTGUI
