#include "platform/Sleep.h"

#include <gtest/gtest.h>

#include <chrono>

namespace {

// An installed sleep replacing the system's is seen through the editor's resize.
TEST(Sleep, TheSystemSleepWaitsAtLeastTheTimeAsked)
{
    const auto start = std::chrono::steady_clock::now();
    platform::Sleep(20);
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(19));
}

} // namespace
