#pragma once

#include <cstdint>

namespace platform {

// The Windows performance counter: a count that only grows, and its counts per second. The real
// calls on Windows; a monotonic clock counting nanoseconds elsewhere. Both return false, leaving
// the value as it was, only for a null pointer or when the system refuses.
bool QueryPerformanceCounter(int64_t* count);
bool QueryPerformanceFrequency(int64_t* frequency);

} // namespace platform
