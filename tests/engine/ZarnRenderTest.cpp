#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <vector>

#include "RecordingOwner.h"
#include "engine/Zarn.h"

namespace {

using Samples = std::vector<float>;

// Drives the output stage through a voice whose model (8) adds nothing: with replacing off, the
// stage acts on what the buffers already hold.
class ZarnRenderTest : public ::testing::Test {
protected:
    Zarn engine;
    RecordingOwner owner{engine};
    Samples left, right;

    void sounding(int32_t model, double volumeGain) {
        engine.voiceActive = 1;
        engine.activeModel = model;
        engine.volumeGain = engine.prevVolumeGain = volumeGain;
        engine.ampEnvLevel = 0.5;
        engine.sustainTime = 1.0f;
    }

    void renderOver(Samples input, bool replacing = false) {
        left = right = input;
        float* outputs[2] = {left.data(), right.data()};
        engine.render(static_cast<int32_t>(input.size()), outputs, replacing);
    }
};

TEST_F(ZarnRenderTest, AnIdleVoiceClearsOrLeavesTheBuffers) {
    engine.voiceActive = 0;
    engine.prevVolumeGain = 0.25;
    renderOver({0.5f, -2.0f}, true);
    EXPECT_TRUE(left == Samples(2, 0.0f) && right == Samples(2, 0.0f));
    renderOver({0.5f, -2.0f}, false);
    EXPECT_EQ(left, (Samples{0.5f, -2.0f}));
    EXPECT_EQ(engine.prevVolumeGain, 0.25);
}

TEST_F(ZarnRenderTest, HardClipAndOutputGain) {
    sounding(8, 1.0);
    renderOver({0.5f, -0.25f, 3.0f, -3.0f, 1.0f});
    EXPECT_EQ(left, (Samples{0.5f, -0.25f, 1.0f, -1.0f, 1.0f}));
    owner.nativeHost = true;
    renderOver({3.0f, 0.5f});
    EXPECT_EQ(left[0], 1.9f);
    EXPECT_EQ(right[1], 0.5f * 1.9f);
}

TEST_F(ZarnRenderTest, ModelTwoSoftClipsWithTheGainSquared) {
    sounding(2, 1.0);
    renderOver({1.0f, 0.5f, 3.0f, -1.0f});
    EXPECT_FLOAT_EQ(left[0], 0.6667f);
    EXPECT_EQ(left[1], 0.4583375f);
    EXPECT_FLOAT_EQ(left[2], 0.6667f);
    EXPECT_FLOAT_EQ(right[3], -0.6667f);
    sounding(2, 0.5); // 0.8 x 0.5 x 0.5 = 0.2 enters the clip
    renderOver({0.8f});
    EXPECT_FLOAT_EQ(left[0], 0.2f - 0.3333f * 0.008f);
}

// A Volume change ramps over the next run; the first run since construction (prevVolumeGain -1)
// starts at the current Volume instead of ramping from nothing.
TEST_F(ZarnRenderTest, VolumeChangesRampOverTheNextRun) {
    EXPECT_EQ(engine.prevVolumeGain, -1.0);
    sounding(8, 4.0);
    engine.prevVolumeGain = -1.0;
    renderOver({0.1f, 0.1f});
    EXPECT_FLOAT_EQ(left[0], 0.4f);
    EXPECT_FLOAT_EQ(left[1], 0.4f);

    sounding(8, 1.0);
    engine.volumeGain = 4.0; // Volume 0.5 to 1
    renderOver(Samples(100, 0.01f));
    EXPECT_FLOAT_EQ(left[0], 0.01f);
    EXPECT_FLOAT_EQ(left[50], 0.01f * 2.5f);
    EXPECT_FLOAT_EQ(left[99], 0.01f * 3.97f);
    EXPECT_EQ(engine.prevVolumeGain, 4.0);
    renderOver(Samples(100, 0.01f));
    EXPECT_FLOAT_EQ(left[0], 0.04f);
    EXPECT_FLOAT_EQ(left[99], 0.04f);
}

TEST_F(ZarnRenderTest, TinyValuesAreFlushedAndTheVoiceEndsWhenSilentAfterTheHold) {
    sounding(8, 1.0); // no model renders, so nothing advances
    engine.ampEnvLevel = 5e-11;
    engine.timbreEnvLevel = -1.0;
    engine.clickEnvLevel = 5e-10f;
    engine.bendSmoothed = -5e-10;
    engine.fadeGain = 2e-9;
    engine.sustainTime = 0.0f;
    engine.sampleCount = 0;
    renderOver({0.0f});
    EXPECT_TRUE(engine.ampEnvLevel == 0.0 && engine.timbreEnvLevel == 0.0 && engine.clickEnvLevel == 0.0f);
    EXPECT_EQ(engine.bendSmoothed, 0.0);
    EXPECT_EQ(engine.fadeGain, 2e-9);
    EXPECT_EQ(engine.voiceActive, 0);
    EXPECT_EQ(engine.sampleCount, 0u);

    // The voice lives while held or loud; a huge hold saturates instead of wrapping.
    const struct { float sustainTime; uint32_t sampleCount; double ampLevel; bool ends; } cases[] = {
        {0.001f, 43, 0.0, false}, // hold of 44 samples at 44.1 kHz not yet over
        {0.001f, 44, 0.0, true},
        {0.0f, 100, 0.5, false}, // still loud
        {std::numeric_limits<float>::infinity(), 2000000000u, 0.0, false},
        {std::numeric_limits<float>::max(), 100, 0.0, false},
    };
    for (const auto& c : cases) {
        sounding(8, 1.0);
        engine.sustainTime = c.sustainTime;
        engine.sampleCount = c.sampleCount;
        engine.ampEnvLevel = c.ampLevel;
        engine.timbreEnvLevel = 0.0;
        renderOver({0.0f});
        EXPECT_EQ(engine.voiceActive == 0, c.ends) << c.sustainTime << " " << c.sampleCount;
    }
}

TEST_F(ZarnRenderTest, AHeldKeyInGateModeHoldsTheRelease) {
    sounding(8, 1.0);
    const struct {
        uint8_t gateOpen;
        float sustainTime;
        uint8_t releaseAllowed;
    } runs[] = {{1, 0.0f, 0}, {0, 0.0f, 1}, {1, 0.1f, 1}};
    for (const auto& run : runs) {
        engine.gateOpen = run.gateOpen;
        engine.sustainTime = run.sustainTime;
        renderOver({0.0f});
        EXPECT_EQ(engine.releaseAllowed, run.releaseAllowed) << int{run.gateOpen} << " " << run.sustainTime;
    }
}

// The Volume gain is kept finite, so a huge Volume clips instead of turning silence into NaN.
TEST_F(ZarnRenderTest, AHugeVolumeClipsInsteadOfMakingNaN) {
    sounding(8, 1.0);
    engine.setParameter(kVolume, 1e20f);
    EXPECT_TRUE(std::isfinite(engine.volumeGain));
    renderOver({0.0f, 0.5f, -0.5f, 0.0f});
    renderOver({0.0f, 0.5f, -0.5f, 0.0f});
    EXPECT_EQ(left, (Samples{0.0f, 1.0f, -1.0f, 0.0f}));
}

} // namespace
