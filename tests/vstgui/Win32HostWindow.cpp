#include "Win32HostWindow.h"

namespace testsupport {

std::unique_ptr<HostWindow> makeHostWindow(int32_t width, int32_t height)
{
    auto host = std::make_unique<Win32Host>(width, height);
    EXPECT_NE(host->window, nullptr) << "no window station: wine needs its null graphics driver";
    return host->window ? std::move(host) : nullptr;
}

} // namespace testsupport
