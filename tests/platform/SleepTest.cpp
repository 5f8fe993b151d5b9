#include "platform/Sleep.h"

#include <gtest/gtest.h>

#include <chrono>
#include <vector>

namespace {

std::vector<uint32_t> recordedSleeps;

void recordSleep(uint32_t ms)
{
    recordedSleeps.push_back(ms);
}

TEST(Sleep, AnInstalledSleepReplacesTheSystemsUntilItIsRemoved)
{
    recordedSleeps.clear();
    EXPECT_EQ(platform::setSleepFunction(recordSleep), nullptr);
    platform::Sleep(200);
    platform::Sleep(0);
    EXPECT_EQ(recordedSleeps, (std::vector<uint32_t>{200, 0}));
    EXPECT_EQ(platform::setSleepFunction(nullptr), recordSleep);
    platform::Sleep(1); // the system's again: not recorded
    EXPECT_EQ(recordedSleeps.size(), 2u);
}

TEST(Sleep, TheSystemSleepWaitsAtLeastTheTimeAsked)
{
    const auto start = std::chrono::steady_clock::now();
    platform::Sleep(20);
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(19));
}

} // namespace
