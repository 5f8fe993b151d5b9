#include "engine/SynthProgram.h"

#include <gtest/gtest.h>

namespace {

TEST(SynthProgramTest, CompareProgramNames) {
    struct Case { const char* a; const char* b; int32_t expected; };
    const Case cases[] = {
        {"-init", "Alpha", 100},  {"-a", "-b", 100},   {"Alpha", "-init", -100}, {"Alpha", "Alpha", 0},
        {"Alpha", "Beta", -1},    {"Beta", "Alpha", 1}, {"Alp", "Alpha", -1},    {"Alpha", "Alp", 1},
        {"\xE9t\xE9", "zed", 1}, // bytes compare unsigned
        {"", "", 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(compareProgramNames(c.a, c.b), c.expected) << c.a << " / " << c.b;
}

} // namespace
