#include "shell/AudioEffectX.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

class Effect : public AudioEffectX {
public:
    Effect() : AudioEffectX(nullptr, 1, 1) {}
    void processReplacing(float**, float**, VstInt32) override {}
};

TEST(SpeakerArrangement, AllocateReplacesAndRefusesBadCounts) {
    Effect effect;
    VstSpeakerArrangement* arrangement = nullptr;
    ASSERT_TRUE(effect.allocateArrangement(&arrangement, 2));
    EXPECT_EQ(arrangement->numChannels, 2);
    EXPECT_EQ(arrangement->type, 0);
    EXPECT_EQ(arrangement->speakers[1].name[0], 0);

    // Reallocating frees the previous block (the leak checker sees it otherwise).
    ASSERT_TRUE(effect.allocateArrangement(&arrangement, 12));
    EXPECT_EQ(arrangement->numChannels, 12);
    VstSpeakerProperties* speakers = arrangement->speakers; // the whole count is usable
    speakers[11].type = 3;

    VstSpeakerArrangement* const kept = arrangement;
    EXPECT_FALSE(effect.allocateArrangement(&arrangement, -1));
    EXPECT_EQ(arrangement, kept);
    EXPECT_FALSE(effect.allocateArrangement(nullptr, 2));

    EXPECT_TRUE(effect.deallocateArrangement(&arrangement));
    EXPECT_EQ(arrangement, nullptr);
    EXPECT_TRUE(effect.deallocateArrangement(&arrangement));
    EXPECT_TRUE(effect.deallocateArrangement(nullptr));

    ASSERT_TRUE(effect.allocateArrangement(&arrangement, 0));
    EXPECT_EQ(arrangement->numChannels, 0);
    effect.deallocateArrangement(&arrangement);
}

TEST(SpeakerArrangement, CopySpeakerCutsTheNameInsideItsField) {
    Effect effect;
    VstSpeakerProperties from{};
    from.azimuth = 0.5f;
    from.elevation = -0.25f;
    from.radius = 2.0f;
    from.type = 7;
    std::memset(from.name, 'n', sizeof from.name); // no NUL anywhere
    std::memset(from.future, 9, sizeof from.future);
    VstSpeakerProperties to;
    std::memset(&to, 0x55, sizeof to);

    ASSERT_TRUE(effect.copySpeaker(&to, &from));
    EXPECT_EQ(to.azimuth, 0.5f);
    EXPECT_EQ(to.elevation, -0.25f);
    EXPECT_EQ(to.radius, 2.0f);
    EXPECT_EQ(to.type, 7);
    EXPECT_EQ(std::strlen(to.name), 63u);
    EXPECT_EQ(to.name[63], 0);
    EXPECT_EQ(to.future[27], 9);

    EXPECT_FALSE(effect.copySpeaker(nullptr, &from));
    EXPECT_FALSE(effect.copySpeaker(&to, nullptr));
    EXPECT_TRUE(effect.copySpeaker(&to, &to));
}

TEST(SpeakerArrangement, MatchCopiesTypeAndEverySpeaker) {
    Effect effect;
    VstSpeakerArrangement* source = nullptr;
    ASSERT_TRUE(effect.allocateArrangement(&source, 3));
    source->type = 5;
    for (int i = 0; i < 3; ++i) {
        source->speakers[i].type = 10 + i;
        std::snprintf(source->speakers[i].name, sizeof source->speakers[i].name, "S%d", i);
    }

    VstSpeakerArrangement* target = nullptr;
    ASSERT_TRUE(effect.allocateArrangement(&target, 1));
    ASSERT_TRUE(effect.matchArrangement(&target, source));
    EXPECT_EQ(target->type, 5);
    EXPECT_EQ(target->numChannels, 3);
    EXPECT_EQ(target->speakers[2].type, 12);
    EXPECT_STREQ(target->speakers[2].name, "S2");

    EXPECT_FALSE(effect.matchArrangement(&target, nullptr));
    source->numChannels = -4;
    EXPECT_FALSE(effect.matchArrangement(&target, source));
    EXPECT_EQ(target, nullptr); // the old target was released before the refused allocation
    source->numChannels = 3;
    effect.deallocateArrangement(&source);
}

} // namespace
