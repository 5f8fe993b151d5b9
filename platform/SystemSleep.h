#pragma once

#include <cstdint>

namespace platform {

// The operating system's own sleep, one file per system.
void systemSleep(uint32_t ms);

} // namespace platform
