#include "engine/FactoryBank.h"

#include <array>
#include <cstring>
#include <gtest/gtest.h>
#include <memory>
#include <set>
#include <string>

#include "engine/Zarn.h"

namespace {

int mappedModel(float value) {
    auto engine = std::make_unique<Zarn>();
    engine->setParameter(kModel, value);
    return engine->model;
}

TEST(FactoryBankTest, RecordsAreWellFormed) {
    std::set<std::string> names;
    for (int p = 0; p < kNumPrograms; ++p) {
        const SynthProgram& program = factoryBank[p];
        const std::size_t length = strnlen(program.name, SynthProgram::kNameSize);
        ASSERT_LT(length, SynthProgram::kNameSize) << p;
        EXPECT_GT(length, 0u) << p;
        for (std::size_t i = length; i < SynthProgram::kNameSize; ++i)
            EXPECT_EQ(program.name[i], '\0') << p;
        for (uint8_t byte : program.reserved)
            EXPECT_EQ(byte, 0) << p;
        for (float value : program.values) {
            EXPECT_GE(value, 0.0f) << p;
            EXPECT_LE(value, 1.0f) << p;
        }
        names.insert(program.name);
    }
    EXPECT_EQ(names.size(), 64u) << "program names are distinct";
}

TEST(FactoryBankTest, FirstNinePrograms) {
    const char* names[] = {"2012 QZ",     "Acoustic QZ",    "Morvik QZ",  "Classic 808 QZ", "Classic 909 QZ",
                           "Da Kikk XQ",  "Deep Kick OKU",  "Model E QZ", "V-Kick UWA"};
    const int models[] = {0, 7, 1, 4, 5, 0, 0, 6, 3};
    for (int p = 0; p < 9; ++p) {
        EXPECT_STREQ(factoryBank[p].name, names[p]);
        EXPECT_EQ(mappedModel(factoryBank[p].values[kModel]), models[p]) << p;
        EXPECT_EQ(factoryBank[p].values[kMidi], 1.0f) << p;
    }
    // Spot checks of the nearest-float values.
    EXPECT_EQ(factoryBank[0].values[kPitchCoarse], 0.185f);
    EXPECT_EQ(factoryBank[6].values[kPitchCoarse], 0.53375f);
    EXPECT_EQ(factoryBank[8].values[kLfoFree], 1.0f);
    EXPECT_EQ(factoryBank[8].values[kModel], 0.42857f);
    EXPECT_EQ(factoryBank[7].values[kVolume], 0.78f);
}

// The designed programs cover every model and differ from each other.
TEST(FactoryBankTest, DesignedProgramsSpreadOverAllModels) {
    std::array<int, 8> perModel{};
    std::set<std::string> sounds;
    for (int p = 9; p < kNumPrograms; ++p) {
        const int model = mappedModel(factoryBank[p].values[kModel]);
        ASSERT_GE(model, 0);
        ASSERT_LE(model, 7);
        ++perModel[static_cast<std::size_t>(model)];
        sounds.insert(std::string(reinterpret_cast<const char*>(factoryBank[p].values), sizeof(factoryBank[p].values)));
    }
    for (int count : perModel)
        EXPECT_GE(count, 6);
    EXPECT_EQ(sounds.size(), 55u);
}

} // namespace
