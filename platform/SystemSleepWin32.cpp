#include "platform/SystemSleep.h"

#include <windows.h>

namespace platform {

void systemSleep(uint32_t ms)
{
    ::Sleep(ms);
}

} // namespace platform
