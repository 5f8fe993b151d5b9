#include "platform/PerformanceCounter.h"

#include <ctime>

namespace platform {

bool QueryPerformanceCounter(int64_t* count)
{
    timespec now{};
    if (!count || clock_gettime(CLOCK_MONOTONIC, &now) != 0)
        return false;
    *count = int64_t(now.tv_sec) * 1000000000 + int64_t(now.tv_nsec);
    return true;
}

bool QueryPerformanceFrequency(int64_t* frequency)
{
    if (!frequency)
        return false;
    *frequency = 1000000000;
    return true;
}

} // namespace platform
