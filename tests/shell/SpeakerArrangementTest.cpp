#include "ProbeEffect.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

// The leak checker of the sanitizer build sees every block that is replaced without being freed.
TEST(SpeakerArrangement, AllocateReplacesAndRefusesBadCounts) {
    PlainEffect effect;
    VstSpeakerArrangement* arrangement = nullptr;
    ASSERT_TRUE(effect.allocateArrangement(&arrangement, 0));
    EXPECT_EQ(arrangement->numChannels, 0);
    EXPECT_EQ(arrangement->speakers[1].name[0], 0); // never smaller than the declared record
    ASSERT_TRUE(effect.allocateArrangement(&arrangement, 12));
    EXPECT_EQ(arrangement->numChannels, 12);
    EXPECT_EQ(arrangement->type, 0);
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
}

TEST(SpeakerArrangement, CopySpeakerCutsTheNameInsideItsField) {
    PlainEffect effect;
    VstSpeakerProperties from{0.5f, -0.25f, 2.0f, 0.0f, {}, 7, {}};
    std::memset(from.name, 'n', sizeof from.name); // no NUL anywhere
    std::memset(from.future, 9, sizeof from.future);
    VstSpeakerProperties to;
    std::memset(&to, 0x55, sizeof to);
    ASSERT_TRUE(effect.copySpeaker(&to, &from));
    EXPECT_EQ(std::memcmp(&to, &from, offsetof(VstSpeakerProperties, name)), 0);
    EXPECT_EQ(std::strlen(to.name), 63u);
    EXPECT_EQ(to.type, 7);
    EXPECT_EQ(to.future[27], 9);
    EXPECT_FALSE(effect.copySpeaker(nullptr, &from));
    EXPECT_FALSE(effect.copySpeaker(&to, nullptr));
    EXPECT_TRUE(effect.copySpeaker(&to, &to));
}

TEST(SpeakerArrangement, MatchCopiesTypeAndEverySpeakerAndRefusesBadCounts) {
    PlainEffect effect;
    VstSpeakerArrangement* source = nullptr;
    VstSpeakerArrangement* target = nullptr;
    ASSERT_TRUE(effect.allocateArrangement(&source, 3));
    ASSERT_TRUE(effect.allocateArrangement(&target, 1));
    source->type = 5;
    source->speakers[2].type = 12;
    std::strcpy(source->speakers[2].name, "S2");
    ASSERT_TRUE(effect.matchArrangement(&target, source));
    EXPECT_EQ(target->type, 5);
    EXPECT_EQ(target->numChannels, 3);
    EXPECT_EQ(target->speakers[2].type, 12);
    EXPECT_STREQ(target->speakers[2].name, "S2");

    EXPECT_FALSE(effect.matchArrangement(&target, nullptr));
    source->numChannels = -4;
    EXPECT_FALSE(effect.matchArrangement(&target, source));
    EXPECT_EQ(target, nullptr); // the old target was released before the refused allocation
    effect.deallocateArrangement(&source);
}

} // namespace
