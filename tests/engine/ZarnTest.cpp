#include "engine/Zarn.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <gtest/gtest.h>
#include <memory>

#include "engine/FactoryBank.h"

namespace {

TEST(ZarnTest, NewEngineHoldsProgramZeroAndTheBank) {
    auto engine = std::make_unique<Zarn>();
    SynthProgram* programs = engine->getPrograms();
    EXPECT_EQ(programs, engine->programBank);
    EXPECT_STREQ(programs[0].name, "2012 QZ");
    for (int i = 0; i < kNumParams; ++i)
        EXPECT_EQ(engine->paramValues[i], factoryBank[0].values[i]) << i;
    EXPECT_EQ(std::memcmp(engine->programBank, factoryBank, sizeof(engine->programBank)), 0);
    EXPECT_EQ(engine->programIndex, 0);
    EXPECT_EQ(engine->stateWordA, 2);
    EXPECT_EQ(engine->stateWordB, 15);
    EXPECT_EQ(engine->stateWordC, -1);
}

TEST(ZarnTest, ConstructionState) {
    auto engine = std::make_unique<Zarn>();
    EXPECT_EQ(engine->model, 1);
    EXPECT_EQ(engine->activeModel, 1);
    EXPECT_EQ(engine->noiseState, 0x12345768u);
    EXPECT_EQ(engine->bendFactor, 1.0);
    EXPECT_EQ(engine->bendSmoothed, 0.0);
    EXPECT_EQ(engine->prevVolumeGain, -1.0);
    EXPECT_EQ(engine->pitchEnvLevel, 1.0);
    EXPECT_EQ(engine->ampCurveSmoothed, 0.5);
    EXPECT_EQ(engine->fadeGain, 1.0);
    EXPECT_EQ(engine->lfoDone, 1);
    EXPECT_EQ(engine->voiceActive, 0);
    // Derived parameter fields wait for the first application of the parameters.
    EXPECT_EQ(engine->coarseFactor, 0.0);
    EXPECT_EQ(engine->volumeGain, 0.0);
    for (uint8_t key : engine->keyDown)
        EXPECT_EQ(key, 0);
}

// Usable before the host sets a rate, yet the first real rate change still resamples.
TEST(ZarnTest, FreshEngineHasMaterialAt44100) {
    auto engine = std::make_unique<Zarn>();
    EXPECT_EQ(engine->sampleRate, 44100.0);
    EXPECT_EQ(engine->lastIntRate, -1);
    EXPECT_EQ(engine->attackSample4Length, 226);
    EXPECT_EQ(engine->attackSample6Length, 14992);
    EXPECT_EQ(engine->attackSample0Offset, 264);
    EXPECT_EQ(engine->attackSample4[225], -10328.0f / 32768.0f);
    engine->setSampleRate(44100.0);
    EXPECT_EQ(engine->lastIntRate, 44100);
}

TEST(ZarnTest, LfoTableIsATriangle) {
    auto engine = std::make_unique<Zarn>();
    const float* lfo = engine->lfoTable.get();
    EXPECT_EQ(lfo[0], 0.0f);
    EXPECT_EQ(lfo[1], 1.0f / 32768.0f);
    EXPECT_EQ(lfo[32767], 32767.0f / 32768.0f);
    EXPECT_EQ(lfo[32768], 1.0f);
    EXPECT_EQ(lfo[49152], 0.5f);
    EXPECT_EQ(lfo[65535], 1.0f / 32768.0f);
}

TEST(ZarnTest, SineTableIsSharedAndFilledOnce) {
    auto first = std::make_unique<Zarn>();
    const float* table = Zarn::sineTable();
    EXPECT_EQ(table[0], 0.0f);
    EXPECT_EQ(table[2048], 0.4f);
    EXPECT_EQ(table[6144], -0.4f);
    EXPECT_LT(std::fabs(table[8192]), 1e-16f);
    EXPECT_EQ(table[1024], static_cast<float>(std::sin(1024 * 0.0001220703125 * 2.0 * 3.141592653589793) *
                                              0.4000000059604645));
    auto second = std::make_unique<Zarn>();
    EXPECT_EQ(Zarn::sineTable(), table);
}

TEST(ZarnTest, DecodedClickAndCycle) {
    auto engine = std::make_unique<Zarn>();
    EXPECT_EQ(engine->model4ClickSource[0], 635.0f / 32.0f);
    EXPECT_EQ(engine->model4ClickSource[1], 30305.0f / 32.0f);
    EXPECT_EQ(engine->model4ClickSource[225], -10328.0f / 32.0f);
    for (int i = 226; i < Zarn::kModel4ClickSourceSize; ++i)
        EXPECT_EQ(engine->model4ClickSource[i], 0.0f);
    const float* cycle = engine->cycleWave.get();
    EXPECT_EQ(cycle[0], 1.0f / 32768.0f);
    const auto [low, high] = std::minmax_element(cycle, cycle + Zarn::kCycleWaveSize);
    EXPECT_EQ(*low, -32700.0f / 32768.0f);
    EXPECT_EQ(*high, 31375.0f / 32768.0f);
    EXPECT_NEAR(low - cycle, 16384, 2048);
    EXPECT_NEAR(high - cycle, 49152, 2048);
}

TEST(ZarnTest, NoteFrequencies) {
    EXPECT_NEAR(Zarn::noteFrequency(0), 8.1757989156, 1e-9);
    EXPECT_NEAR(Zarn::noteFrequency(3), 9.7227, 1e-4);
    EXPECT_NEAR(Zarn::noteFrequency(4), 10.3009, 1e-4);
    EXPECT_NEAR(Zarn::noteFrequency(60), 261.625565, 1e-6);
    EXPECT_EQ(Zarn::noteFrequency(69), 440.0);
    EXPECT_NEAR(Zarn::noteFrequency(96), 2093.004522, 1e-6);
}

TEST(ZarnTest, TimeCoefAtTheCurrentRate) {
    auto engine = std::make_unique<Zarn>();
    engine->setSampleRate(48000.0);
    EXPECT_DOUBLE_EQ(engine->timeCoef(0.5, 10.0), std::pow(0.5, 1000.0 / 480000.0));
    EXPECT_NEAR(std::pow(engine->timeCoef(0.5, 10.0), 480.0), 0.5, 1e-12);
}

#ifndef _WIN32
// The dump goes to a file literally named "e:\params.txt" here; run it in a scratch folder.
TEST(ZarnTest, DumpProgramsAppendsTheBankAsText) {
    const std::filesystem::path previous = std::filesystem::current_path();
    const std::filesystem::path scratch = std::filesystem::temp_directory_path() / "zarn-dump-test";
    std::filesystem::remove_all(scratch);
    std::filesystem::create_directories(scratch);
    std::filesystem::current_path(scratch);
    auto engine = std::make_unique<Zarn>();
    EXPECT_EQ(engine->dumpPrograms(), 1);
    EXPECT_EQ(engine->dumpPrograms(), 1);
    std::ifstream file("e:\\params.txt");
    std::string first;
    std::getline(file, first);
    int lines = 1;
    for (std::string line; std::getline(file, line);)
        ++lines;
    std::filesystem::current_path(previous);
    std::filesystem::remove_all(scratch);
    EXPECT_EQ(first, "{2012 QZ,0.18500f,0.50500f,0.53000f,0.00000f,0.54000f,0.61500f,0.52000f,0.53500f,0.58500f,"
                     "0.76500f,0.48500f,0.89000f,0.00000f,0.75500f,0.00000f,0.00000f,0.00000f,0.00000f,1.00000f,"
                     "0.00000f,1.00000f,0.65500f,},");
    EXPECT_EQ(lines, 128) << "appended, not replaced";
}
#endif

} // namespace
