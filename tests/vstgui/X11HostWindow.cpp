// The host window first: it brings googletest, whose headers Xlib's macros would break.
#include "X11HostWindow.h"

namespace testsupport {

std::unique_ptr<HostWindow> makeHostWindow(int32_t width, int32_t height)
{
    auto host = std::make_unique<X11Host>(width, height);
    EXPECT_TRUE(host->ready()) << "no display or no XTest at " << std::getenv("ZARN_WINDOW_TESTS");
    return host->ready() ? std::move(host) : nullptr;
}

} // namespace testsupport
