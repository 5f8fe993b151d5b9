#include "engine/material/SoundMaterial.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

// FNV-1a over the stored bytes: a change of material shows here, apart from engine changes.
template <typename T, std::size_t N>
uint64_t digest(const T (&values)[N]) {
    uint64_t hash = 0xCBF29CE484222325ull;
    const auto* bytes = reinterpret_cast<const unsigned char*>(values);
    for (std::size_t i = 0; i < sizeof(values); ++i) {
        hash ^= bytes[i];
        hash *= 0x100000001B3ull;
    }
    return hash;
}

// Decodes deltas in 32-bit sums, so that a wrong delta cannot hide behind a narrow type.
template <typename T, std::size_t N>
std::vector<int32_t> runningSums(const T (&deltas)[N]) {
    std::vector<int32_t> sums(N);
    int32_t sum = 0;
    for (std::size_t i = 0; i < N; ++i)
        sums[i] = sum += deltas[i];
    return sums;
}

struct FloatTable {
    const char* name;
    const float* values;
    std::size_t size;
    int channels;
    float lowest;  // range the material must stay in
    float highest;
    uint64_t digest;
};

template <std::size_t N>
FloatTable table(const char* name, const float (&values)[N], int channels, float lowest, float highest,
                 uint64_t pinned) {
    EXPECT_EQ(digest(values), pinned) << name;
    return {name, values, N, channels, lowest, highest, pinned};
}

TEST(SoundMaterialTest, FloatTablesLengthsRangesAndSilentEnds) {
    const FloatTable tables[] = {
        table("model 5 click", kModel5Click, 1, -40.0f, 960.0f, 16709080103019172202ull),
        table("model 2 click", kModel2Click, 1, -1.0f, 1.0f, 7380820364356808596ull),
        table("model 1 attack", kModel1Attack, 2, -1.0f, 1.0f, 8151803125018612453ull),
        table("model 7 attack", kModel7Attack, 1, -1.0f, 1.0f, 3355647142483040081ull),
        table("model 6 attack", kModel6Attack, 2, -1.0f, 1.0f, 12152062194851530206ull),
        table("model 0 attack", kModel0Attack, 2, -1.0f, 1.0f, 9634218385520219578ull),
        table("model 3 attack", attackSample3, 2, -1.0f, 1.0f, 6998811084952706833ull),
        table("wavetable0", wavetable0, 1, -1.0f, 1.0f, 2226557096118312785ull),
        table("wavetable1", wavetable1, 1, -1.0f, 1.0f, 6135874787392118207ull),
        table("wavetable2a", wavetable2a, 1, -1.0f, 1.0f, 12744773926298073260ull),
        table("wavetable2b", wavetable2b, 1, -1.0f, 1.0f, 648200275812010806ull),
    };
    EXPECT_EQ(tables[0].size, 887u);
    EXPECT_EQ(tables[1].size, 29u);
    EXPECT_EQ(tables[2].size, 2u * 2047u);
    EXPECT_EQ(tables[3].size, 14996u);
    EXPECT_EQ(tables[4].size, 2u * 14992u);
    EXPECT_EQ(tables[5].size, 2u * 3809u);
    EXPECT_EQ(tables[6].size, 2u * 4624u);
    for (int w = 7; w < 11; ++w)
        EXPECT_EQ(tables[w].size, 8192u);
    for (const FloatTable& t : tables) {
        const auto [low, high] = std::minmax_element(t.values, t.values + t.size);
        EXPECT_GE(*low, t.lowest) << t.name;
        EXPECT_LE(*high, t.highest) << t.name;
        // Peaks near full scale.
        EXPECT_GE(std::max(-*low, *high), 0.9f * std::max(-t.lowest, t.highest)) << t.name;
        for (float v : std::vector<float>(t.values, t.values + t.size))
            ASSERT_TRUE(std::isfinite(v)) << t.name;
    }
    // Recorded material ends in silence, so nothing clicks when it runs out.
    for (int m = 0; m < 7; ++m)
        for (int c = 0; c < tables[m].channels; ++c)
            EXPECT_EQ(tables[m].values[tables[m].size - 1 - static_cast<std::size_t>(c)], 0.0f) << tables[m].name;
    EXPECT_NEAR(*std::min_element(kModel5Click, kModel5Click + kModel5ClickLength), -35.0f, 1.0f);
    EXPECT_NEAR(*std::max_element(kModel5Click, kModel5Click + kModel5ClickLength), 951.0f, 1.0f);
    // The table oscillators start their cycle at zero.
    for (const float* w : {wavetable0, wavetable1, wavetable2a, wavetable2b})
        EXPECT_NEAR(w[0], 0.0f, 1e-6f);
}

TEST(SoundMaterialTest, Model4ClickDeltas) {
    EXPECT_EQ(digest(kModel4ClickDeltas), 6811064086685955903ull);
    const std::vector<int32_t> sums = runningSums(kModel4ClickDeltas);
    EXPECT_EQ(sums[0], 635);
    EXPECT_EQ(sums[1], 30305);
    EXPECT_EQ(sums[225], -10328);
    for (int32_t value : sums) {
        EXPECT_GE(value, -32768);
        EXPECT_LE(value, 32767);
    }
}

TEST(SoundMaterialTest, SingleCycleDeltas) {
    EXPECT_EQ(digest(kSingleCycleDeltas), 3936213801665535571ull);
    const std::vector<int32_t> sums = runningSums(kSingleCycleDeltas);
    EXPECT_EQ(sums[0], 1);
    const auto [low, high] = std::minmax_element(sums.begin(), sums.end());
    EXPECT_EQ(*low, -32700);
    EXPECT_EQ(*high, 31375);
    EXPECT_NEAR(low - sums.begin(), 16384, 2048);
    EXPECT_NEAR(high - sums.begin(), 49152, 2048);
    // A smooth wave that closes its cycle.
    EXPECT_LE(std::abs(sums.back() - sums.front()), 16);
}

} // namespace
