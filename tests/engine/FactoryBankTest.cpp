#include "engine/FactoryBank.h"

#include <array>
#include <cstring>
#include <gtest/gtest.h>
#include <memory>
#include <set>
#include <string>

#include "engine/Zarn.h"

namespace {

// Names end in zeros within their field, reserved bytes are zero, values lie in 0..1, the nine
// named programs come first, and the designed ones cover every model and differ from each other.
TEST(FactoryBankTest, RecordsAreWellFormedAndTheDesignedOnesSpreadOverAllModels) {
    const char* firstNames[] = {"2012 QZ",    "Acoustic QZ",   "Morvik QZ",  "Classic 808 QZ", "Classic 909 QZ",
                                "Da Kikk XQ", "Deep Kick OKU", "Model E QZ", "V-Kick UWA"};
    std::set<std::string> names;
    std::set<std::string> sounds;
    std::array<int, 8> perModel{};
    for (int p = 0; p < kNumPrograms; ++p) {
        const SynthProgram& program = factoryBank[p];
        const std::size_t length = strnlen(program.name, SynthProgram::kNameSize);
        ASSERT_LT(length, SynthProgram::kNameSize) << p;
        EXPECT_GT(length, 0u) << p;
        for (std::size_t i = length; i < SynthProgram::kNameSize; ++i)
            EXPECT_EQ(program.name[i], '\0') << p;
        for (uint8_t byte : program.reserved)
            EXPECT_EQ(byte, 0) << p;
        for (float value : program.values)
            EXPECT_TRUE(value >= 0.0f && value <= 1.0f) << p;
        names.insert(program.name);
        if (p < 9) {
            EXPECT_STREQ(program.name, firstNames[p]);
            EXPECT_EQ(program.values[kMidi], 1.0f) << p;
            continue;
        }
        auto engine = std::make_unique<Zarn>();
        engine->setParameter(kModel, program.values[kModel]);
        ASSERT_TRUE(engine->model >= 0 && engine->model <= 7) << p;
        ++perModel[static_cast<std::size_t>(engine->model)];
        sounds.insert(std::string(reinterpret_cast<const char*>(program.values), sizeof(program.values)));
    }
    EXPECT_EQ(names.size(), 64u) << "program names are distinct";
    EXPECT_EQ(sounds.size(), 55u);
    for (int count : perModel)
        EXPECT_GE(count, 6);
}

} // namespace
