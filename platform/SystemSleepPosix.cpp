#include "platform/SystemSleep.h"

#include <cerrno>
#include <ctime>

namespace platform {

void systemSleep(uint32_t ms)
{
    timespec remaining{time_t(ms / 1000), long(ms % 1000) * 1000000L};
    // A signal cuts nanosleep short; the rest is slept, as the Windows call would.
    while (nanosleep(&remaining, &remaining) == -1 && errno == EINTR) {
    }
}

} // namespace platform
