#include "engine/Resampler.h"

#include <gtest/gtest.h>
#include <vector>

namespace {

TEST(ResamplerTest, CatmullRomBetweenSamples) {
    const float source[] = {0.0f, 1.0f, 2.0f, 3.0f, 4.0f};
    float out[9] = {};
    resampleCubic(source, 5, out, 0.5, 9);
    // Inside the source a straight line stays straight; before the start and past the end the
    // missing neighbours read as silence and bend the curve.
    EXPECT_EQ(out[0], 0.0f);
    EXPECT_EQ(out[1], 0.4375f);
    EXPECT_EQ(out[3], 1.5f);
    EXPECT_EQ(out[5], 2.5f);
    EXPECT_EQ(out[7], 3.8125f);
    EXPECT_EQ(out[8], 4.0f);
}

TEST(ResamplerTest, ScaledAndStereo) {
    const float mono[] = {1024.0f, 2048.0f, -512.0f};
    float out[3] = {};
    resampleCubicScaled(mono, 3, out, 1.0, 3);
    EXPECT_EQ(out[0], 1.0f);
    EXPECT_EQ(out[1], 2.0f);
    EXPECT_EQ(out[2], -0.5f);

    const float stereo[] = {1.0f, -1.0f, 2.0f, -2.0f, 3.0f, -3.0f};
    float pair[8] = {};
    resampleCubicStereo(stereo, 3, pair, 0.5, 4);
    EXPECT_EQ(pair[0], 1.0f);
    EXPECT_EQ(pair[1], -1.0f);
    EXPECT_EQ(pair[4], 2.0f);
    EXPECT_EQ(pair[5], -2.0f);
    EXPECT_EQ(pair[2], -pair[3]) << "both channels at the same position";
}

TEST(ResamplerTest, NothingForEmptyCountsAndNoReadPastTheSource) {
    std::vector<float> source(4, 1.0f);
    float out[4] = {7.0f, 7.0f, 7.0f, 7.0f};
    resampleCubic(source.data(), 4, out, 1.0, 0);
    resampleCubic(source.data(), 4, out, 1.0, -3);
    EXPECT_EQ(out[0], 7.0f);
    // Reads beyond the source length give silence (the sanitizer build checks the bounds).
    float far[4] = {};
    resampleCubic(source.data(), 4, far, 3.0, 4);
    EXPECT_EQ(far[0], 1.0f);
    EXPECT_EQ(far[1], 1.0f);
    EXPECT_EQ(far[2], 0.0f);
}

} // namespace
