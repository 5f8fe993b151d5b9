#include "shell/NoteQueue.h"
#include "shell/PadNoteRing.h"

#include <gtest/gtest.h>

namespace {

NoteEvent on(int note, int32_t frame = 0) { return {frame, 0x90, static_cast<uint8_t>(note), 100}; }
NoteEvent off(int note) { return {0, 0x80, static_cast<uint8_t>(note), 64}; }

// 256 events in arrival order; then a note-off (0x80, or a note-on whose velocity masks to 0) takes
// the place of the newest note-on, and a note-on, or a note-off when no note-on is left, is refused.
TEST(NoteQueue, HoldsTwoHundredFiftySixAndMakesRoomOnlyForNoteOffs) {
    NoteQueue queue;
    for (int i = 0; i < 256; ++i)
        ASSERT_TRUE(queue.push(i == 0 || i == 255 ? on(i % 128, i) : off(i % 128)));
    EXPECT_FALSE(queue.push(on(1)));
    EXPECT_TRUE(queue.push(off(30)));
    EXPECT_TRUE(queue.push({0, 0x90, 31, 0x80}));
    EXPECT_EQ(queue.size(), 256);
    EXPECT_EQ(queue[0].note, 1); // both note-ons are gone, the newest first; the rest moved up
    EXPECT_EQ(queue[253].note, 254 % 128);
    EXPECT_EQ(queue[254].note, 30);
    EXPECT_EQ(queue[255].note, 31);
    EXPECT_FALSE(queue.push(off(99)));
    queue.clear();
    EXPECT_EQ(queue.size(), 0);
}

// Wrapping around the slots is exercised by the threaded test.
TEST(PadNoteRing, RefusesAPushIntoAFullRingAndDeliversTheRestInOrder) {
    PadNoteRing ring;
    for (int32_t i = 0; i < 256; ++i)
        ASSERT_TRUE(ring.push(on(i % 128, i)));
    EXPECT_FALSE(ring.push(on(99)));
    int32_t next = 0;
    ring.drain([&](const NoteEvent& event) { EXPECT_EQ(event.deltaFrames, next++); });
    EXPECT_EQ(next, 256);
    ring.drain([](const NoteEvent&) { FAIL() << "nothing left"; });
}

} // namespace
