#include "shell/NoteQueue.h"
#include "shell/PadNoteRing.h"

#include <gtest/gtest.h>

namespace {

NoteEvent on(int note, int32_t frame = 0) { return {frame, 0x90, static_cast<uint8_t>(note), 100}; }
NoteEvent off(int note) { return {0, 0x80, static_cast<uint8_t>(note), 64}; }

TEST(NoteQueue, KeepsArrivalOrderUpToItsCapacityThenRefusesNoteOns) {
    NoteQueue queue;
    for (int i = 0; i < NoteQueue::kCapacity; ++i)
        ASSERT_TRUE(queue.push(on(i % 128, i)));
    EXPECT_FALSE(queue.push(on(1)));
    EXPECT_EQ(queue.size(), 256);
    EXPECT_EQ(queue[255].deltaFrames, 255);
    queue.clear();
    EXPECT_EQ(queue.size(), 0);
}

TEST(NoteQueue, AFullQueueMakesRoomForNoteOffsByDroppingTheNewestNoteOn) {
    NoteQueue queue;
    for (int i = 0; i < 255; ++i)
        queue.push(i % 2 == 0 ? on(10) : off(10));
    queue.push(on(20)); // the newest note-on, at the end
    EXPECT_TRUE(queue.push(off(30)));
    EXPECT_EQ(queue.size(), 256);
    EXPECT_EQ(queue[255].note, 30);
    EXPECT_EQ(queue[254].note, 10); // note 20's note-on is gone, nothing else moved

    // A note-on with velocity 0 counts as a note-off; so does a 0x90 whose velocity masks to 0.
    EXPECT_TRUE(queue.push({0, 0x90, 31, 0}));
    EXPECT_TRUE(queue.push({0, 0x90, 32, 0x80}));
    EXPECT_EQ(queue[255].note, 32);
}

TEST(NoteQueue, AQueueFullOfNoteOffsDropsFurtherEvents) {
    NoteQueue queue;
    for (int i = 0; i < NoteQueue::kCapacity; ++i)
        queue.push(off(i % 128));
    EXPECT_FALSE(queue.push(off(99)));
    EXPECT_FALSE(queue.push(on(99)));
    EXPECT_EQ(queue[255].note, 255 % 128);
}

// Wrapping around the slots is exercised by the threaded test.
TEST(PadNoteRing, RefusesAPushIntoAFullRingAndDeliversTheRestInOrder) {
    PadNoteRing ring;
    for (int32_t i = 0; i < static_cast<int32_t>(PadNoteRing::kCapacity); ++i)
        ASSERT_TRUE(ring.push(on(i % 128, i)));
    EXPECT_FALSE(ring.push(on(99)));
    int32_t next = 0;
    ring.drain([&](const NoteEvent& event) { EXPECT_EQ(event.deltaFrames, next++); });
    EXPECT_EQ(next, 256);
    ring.drain([](const NoteEvent&) { FAIL() << "nothing left"; });
}

} // namespace
