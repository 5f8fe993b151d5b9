#pragma once

#include <cstdint>

namespace platform {

// Blocks the calling thread for ms milliseconds, as the Windows call does, unless a test has put
// its own sleep in place.
void Sleep(uint32_t ms);

using SleepFunction = void (*)(uint32_t ms);
// Replaces the sleep (null restores the system's); returns the one it replaced. For tests, which
// never wait.
SleepFunction setSleepFunction(SleepFunction function);

} // namespace platform
