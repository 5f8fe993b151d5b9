#include "engine/material/SoundMaterial.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <gtest/gtest.h>
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

struct Table {
    const char* name;
    const float* values;
    std::size_t size;
    uint64_t digest;
    uint64_t pinned;
    std::size_t expectedSize;
    int channels; // recorded material (channels > 0) ends in silence, so nothing clicks when it runs out
    float lowest; // range the material must stay in, with a peak near full scale
    float highest;
};

template <std::size_t N>
Table table(const char* name, const float (&values)[N], uint64_t pinned, std::size_t size, int channels,
            float lowest = -1.0f, float highest = 1.0f) {
    return {name, values, N, digest(values), pinned, size, channels, lowest, highest};
}

TEST(SoundMaterialTest, FloatTablesDigestsLengthsRangesAndSilentEnds) {
    const Table tables[] = {
        table("model 5 click", kModel5Click, 16709080103019172202ull, 887, 1, -40.0f, 960.0f),
        table("model 2 click", kModel2Click, 7380820364356808596ull, 29, 1),
        table("model 1 attack", kModel1Attack, 8151803125018612453ull, 2 * 2047, 2),
        table("model 7 attack", kModel7Attack, 3355647142483040081ull, 14996, 1),
        table("model 6 attack", kModel6Attack, 12152062194851530206ull, 2 * 14992, 2),
        table("model 0 attack", kModel0Attack, 9634218385520219578ull, 2 * 3809, 2),
        table("model 3 attack", attackSample3, 6998811084952706833ull, 2 * 4624, 2),
        table("wavetable0", wavetable0, 2226557096118312785ull, 8192, 0),
        table("wavetable1", wavetable1, 6135874787392118207ull, 8192, 0),
        table("wavetable2a", wavetable2a, 12744773926298073260ull, 8192, 0),
        table("wavetable2b", wavetable2b, 648200275812010806ull, 8192, 0),
    };
    for (const Table& t : tables) {
        EXPECT_EQ(t.digest, t.pinned) << t.name;
        EXPECT_EQ(t.size, t.expectedSize) << t.name;
        ASSERT_TRUE(std::all_of(t.values, t.values + t.size, [](float v) { return std::isfinite(v); })) << t.name;
        const auto [low, high] = std::minmax_element(t.values, t.values + t.size);
        EXPECT_GE(*low, t.lowest) << t.name;
        EXPECT_LE(*high, t.highest) << t.name;
        EXPECT_GE(std::max(-*low, *high), 0.9f * std::max(-t.lowest, t.highest)) << t.name;
        for (int c = 0; c < t.channels; ++c)
            EXPECT_EQ(t.values[t.size - 1 - static_cast<std::size_t>(c)], 0.0f) << t.name;
        // A table oscillator starts its cycle at zero.
        EXPECT_TRUE(t.channels > 0 || std::fabs(t.values[0]) < 1e-6f) << t.name;
    }
    EXPECT_NEAR(*std::min_element(kModel5Click, kModel5Click + kModel5ClickLength), -35.0f, 1.0f);
    EXPECT_NEAR(*std::max_element(kModel5Click, kModel5Click + kModel5ClickLength), 951.0f, 1.0f);
}

// The engine decodes these deltas (see ZarnTest); here their digests, and running sums in 32 bits
// that must stay within 16 bits, the single cycle closing on itself.
TEST(SoundMaterialTest, DeltaTablesStayWithinSixteenBits) {
    EXPECT_EQ(digest(kModel4ClickDeltas), 6811064086685955903ull);
    EXPECT_EQ(digest(kSingleCycleDeltas), 3936213801665535571ull);
    const std::vector<int32_t> click = runningSums(kModel4ClickDeltas);
    const std::vector<int32_t> cycle = runningSums(kSingleCycleDeltas);
    for (const auto* sums : {&click, &cycle}) {
        const auto [low, high] = std::minmax_element(sums->begin(), sums->end());
        EXPECT_TRUE(*low >= -32768 && *high <= 32767);
    }
    EXPECT_LE(std::abs(cycle.back() - cycle.front()), 16);
}

} // namespace
