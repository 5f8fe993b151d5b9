#include "shell/NoteQueue.h"
#include "shell/PadNoteRing.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

NoteEvent on(uint8_t note, int32_t frame = 0) { return {frame, 0x90, note, 100}; }
NoteEvent off(uint8_t note, int32_t frame = 0) { return {frame, 0x80, note, 64}; }

std::vector<int> notesOf(const NoteQueue& queue) {
    std::vector<int> notes;
    for (const NoteEvent& event : queue)
        notes.push_back(event.note);
    return notes;
}

TEST(NoteQueue, KeepsArrivalOrderUpToItsCapacity) {
    NoteQueue queue;
    for (int i = 0; i < NoteQueue::kCapacity; ++i)
        ASSERT_TRUE(queue.push(on(static_cast<uint8_t>(i % 128), i)));
    EXPECT_EQ(queue.size(), 256);
    EXPECT_EQ(queue[255].deltaFrames, 255);
    EXPECT_FALSE(queue.push(on(1)));
    EXPECT_EQ(queue.size(), 256);
    queue.clear();
    EXPECT_EQ(queue.size(), 0);
}

TEST(NoteQueue, AFullQueueMakesRoomForNoteOffsByDroppingTheNewestNoteOn) {
    NoteQueue queue;
    for (int i = 0; i < 255; ++i)
        queue.push(i % 2 == 0 ? on(10) : off(10));
    queue.push(on(20)); // the newest note-on, at the end
    ASSERT_EQ(queue.size(), 256);

    EXPECT_TRUE(queue.push(off(30)));
    EXPECT_EQ(queue.size(), 256);
    EXPECT_EQ(queue[255].note, 30);
    EXPECT_EQ(queue[254].note, 10); // note 20's note-on is gone, nothing else moved

    // A note-on with velocity 0 counts as a note-off; so does a 0x90 whose velocity masks to 0.
    EXPECT_TRUE(queue.push({0, 0x90, 31, 0}));
    EXPECT_TRUE(queue.push({0, 0x90, 32, 0x80}));
    EXPECT_EQ(notesOf(queue).back(), 32);
}

TEST(NoteQueue, AQueueFullOfNoteOffsDropsFurtherEvents) {
    NoteQueue queue;
    for (int i = 0; i < NoteQueue::kCapacity; ++i)
        queue.push(off(static_cast<uint8_t>(i % 128)));
    EXPECT_FALSE(queue.push(off(99)));
    EXPECT_FALSE(queue.push(on(99)));
    EXPECT_EQ(queue[255].note, 255 % 128);
}

TEST(PadNoteRing, DeliversInOrderAndRefusesWhenFull) {
    PadNoteRing ring;
    for (uint32_t i = 0; i < PadNoteRing::kCapacity; ++i)
        ASSERT_TRUE(ring.push(on(static_cast<uint8_t>(i))));
    EXPECT_FALSE(ring.push(on(99)));

    std::vector<int> drained;
    ring.drain([&](const NoteEvent& event) { drained.push_back(event.note); });
    ASSERT_EQ(drained.size(), PadNoteRing::kCapacity);
    for (uint32_t i = 0; i < PadNoteRing::kCapacity; ++i)
        EXPECT_EQ(drained[i], static_cast<int>(i));

    // Room again, and the indices wrap around the slots.
    EXPECT_TRUE(ring.push(off(7)));
    drained.clear();
    ring.drain([&](const NoteEvent& event) { drained.push_back(event.note); });
    EXPECT_EQ(drained, std::vector<int>{7});
    ring.drain([&](const NoteEvent&) { FAIL() << "nothing left"; });
}

} // namespace
