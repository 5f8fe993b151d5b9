#include "platform/PerformanceCounter.h"

#include <windows.h>

namespace platform {

bool QueryPerformanceCounter(int64_t* count)
{
    LARGE_INTEGER value;
    if (!count || !::QueryPerformanceCounter(&value))
        return false;
    *count = value.QuadPart;
    return true;
}

bool QueryPerformanceFrequency(int64_t* frequency)
{
    LARGE_INTEGER value;
    if (!frequency || !::QueryPerformanceFrequency(&value))
        return false;
    *frequency = value.QuadPart;
    return true;
}

} // namespace platform
