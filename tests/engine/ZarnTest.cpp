#include "engine/Zarn.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <memory>
#include <string>

#include "engine/FactoryBank.h"

namespace {

// Usable before the host sets a rate, yet the first real rate change still resamples.
TEST(ZarnTest, NewEngineHoldsProgramZeroTheBankAndMaterialAt44100) {
    auto engine = std::make_unique<Zarn>();
    EXPECT_EQ(std::memcmp(engine->programBank, factoryBank, sizeof(engine->programBank)), 0);
    EXPECT_EQ(std::memcmp(engine->paramValues.get(), factoryBank[0].values, sizeof(factoryBank[0].values)), 0);
    EXPECT_EQ(engine->programIndex, 0);
    EXPECT_TRUE(engine->stateWordA == 2 && engine->stateWordB == 15 && engine->stateWordC == -1) << "the state chunk's words";
    EXPECT_EQ(engine->sampleRate, 44100.0);
    EXPECT_EQ(engine->attackSample4Length, 226);
    EXPECT_EQ(engine->lastIntRate, -1);
    engine->setSampleRate(44100.0);
    EXPECT_EQ(engine->lastIntRate, 44100);
}

// The tables filled at construction: the LFO triangle, the shared sine, model 4's decoded click
// (silent past its 226 values) and model 5's single cycle.
TEST(ZarnTest, TablesFilledAtConstruction) {
    auto engine = std::make_unique<Zarn>();
    const float* sine = Zarn::sineTable();
    const float* lfo = engine->lfoTable.get();
    const float* click = engine->model4ClickSource.data();
    const struct { const float* table; int32_t index; float value; } entries[] = {
        {lfo, 0, 0.0f},
        {lfo, 1, 1.0f / 32768.0f},
        {lfo, 32767, 32767.0f / 32768.0f},
        {lfo, 32768, 1.0f},
        {lfo, 49152, 0.5f},
        {lfo, 65535, 1.0f / 32768.0f},
        {sine, 0, 0.0f},
        {sine, 1024, static_cast<float>(std::sin(1024 * 0.0001220703125 * 2.0 * 3.141592653589793) * 0.4000000059604645)},
        {sine, 2048, 0.4f},
        {sine, 6144, -0.4f},
        {click, 0, 635.0f / 32.0f},
        {click, 1, 30305.0f / 32.0f},
        {click, 225, -10328.0f / 32.0f},
        {engine->attackSample4.get(), 225, -10328.0f / 32768.0f},
        {engine->cycleWave.get(), 0, 1.0f / 32768.0f},
    };
    for (const auto& e : entries)
        EXPECT_EQ(e.table[e.index], e.value) << e.index;
    EXPECT_LT(std::fabs(sine[8192]), 1e-16f);
    EXPECT_TRUE(std::all_of(click + 226, click + Zarn::kModel4ClickSourceSize, [](float v) { return v == 0.0f; }));
    const float* cycle = engine->cycleWave.get();
    const auto [low, high] = std::minmax_element(cycle, cycle + Zarn::kCycleWaveSize);
    EXPECT_EQ(*low, -32700.0f / 32768.0f);
    EXPECT_EQ(*high, 31375.0f / 32768.0f);
    EXPECT_NEAR(low - cycle, 16384, 2048);
    EXPECT_NEAR(high - cycle, 49152, 2048);
    auto second = std::make_unique<Zarn>();
    EXPECT_EQ(Zarn::sineTable(), sine) << "shared and filled once";
}

TEST(ZarnTest, NoteFrequenciesAndTimeCoefficients) {
    const std::pair<int32_t, double> notes[] = {{0, 8.1757989156}, {3, 9.72271824}, {4, 10.30086115},
                                                {60, 261.625565}, {69, 440.0}, {96, 2093.004522}};
    for (const auto& [note, hz] : notes)
        EXPECT_NEAR(Zarn::noteFrequency(note), hz, 1e-6) << note;
    EXPECT_EQ(Zarn::noteFrequency(69), 440.0);
    auto engine = std::make_unique<Zarn>();
    engine->setSampleRate(48000.0);
    EXPECT_NEAR(std::pow(engine->timeCoef(0.5, 10.0), 480.0), 0.5, 1e-12) << "halves in 10 ms";
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
