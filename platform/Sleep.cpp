#include "platform/Sleep.h"

#include "platform/SystemSleep.h"

#include <atomic>

namespace platform {
namespace {
std::atomic<SleepFunction> sleepOverride{nullptr};
}

void Sleep(uint32_t ms)
{
    if (const SleepFunction function = sleepOverride.load(std::memory_order_acquire))
        function(ms);
    else
        systemSleep(ms);
}

SleepFunction setSleepFunction(SleepFunction function)
{
    return sleepOverride.exchange(function, std::memory_order_acq_rel);
}

} // namespace platform
