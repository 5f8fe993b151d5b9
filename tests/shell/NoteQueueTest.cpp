#include "shell/BlockSlicer.h"
#include "shell/NoteQueue.h"
#include "shell/PadNoteRing.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

namespace {

NoteEvent on(int note, int32_t frame = 0) { return {frame, 0x90, static_cast<uint8_t>(note), 100}; }
NoteEvent off(int note) { return {0, 0x80, static_cast<uint8_t>(note), 64}; }

std::string slices(std::initializer_list<NoteEvent> events, int32_t frames) {
    NoteQueue queue;
    for (const NoteEvent& event : events)
        queue.push(event);
    std::string log;
    renderInSlices(
        queue, frames,
        [&](int32_t offset, int32_t count) { log.append("r").append(std::to_string(offset)).append("+").append(std::to_string(count)).append(" "); },
        [&](const NoteEvent& event) { log.append(event.status == 0x90 ? "on" : "off").append(std::to_string(event.deltaFrames)).append(" "); });
    return log;
}

// Events act on their own frames; several at one frame act in arrival order with nothing rendered
// between them; an event behind the position acts where the rendering is; one past the end is
// not applied.
TEST(BlockSlicer, EventsActOnTheirOwnFrames) {
    EXPECT_EQ(slices({}, 512), "r0+512 ");
    EXPECT_EQ(slices({{100, 0x90, 36, 100}, {300, 0x80, 36, 0}}, 512), "r0+100 on100 r100+200 off300 r300+212 ");
    EXPECT_EQ(slices({{0, 0x90, 36, 100}}, 64), "on0 r0+64 ");
    EXPECT_EQ(slices({{63, 0x90, 36, 100}}, 64), "r0+63 on63 r63+1 ");
    EXPECT_EQ(slices({{10, 0x90, 1, 1}, {10, 0x80, 1, 0}, {10, 0x90, 2, 1}}, 20), "r0+10 on10 off10 on10 r10+10 ");
    EXPECT_EQ(slices({{300, 0x90, 1, 1}, {100, 0x80, 1, 0}}, 512), "r0+300 on300 off100 r300+212 ");
    EXPECT_EQ(slices({{512, 0x90, 1, 1}, {9000, 0x80, 1, 0}}, 512), "r0+512 ");
    EXPECT_EQ(slices({{-5, 0x90, 1, 1}}, 8), "on-5 r0+8 ");
    EXPECT_EQ(slices({{0, 0x90, 1, 1}}, 0), "");
}

// 256 events in arrival order; then a note-off (0x80, or a note-on whose velocity masks to 0) takes
// the place of the newest note-on, and a note-on, or a note-off when no note-on is left, is refused.
TEST(NoteQueue, HoldsTwoHundredFiftySixAndMakesRoomOnlyForNoteOffs) {
    NoteQueue queue;
    for (int i = 0; i < 256; ++i)
        ASSERT_TRUE(queue.push(i == 0 || i == 255 ? on(i % 128, i) : off(i % 128)));
    EXPECT_FALSE(queue.push(on(1)));
    EXPECT_TRUE(queue.push(off(30)));
    EXPECT_TRUE(queue.push({0, 0x90, 31, 0x80}));
    // Both note-ons are gone, the newest first; the rest moved up.
    EXPECT_EQ(std::tuple(queue.size(), +queue[0].note, +queue[253].note, +queue[254].note, +queue[255].note),
              std::tuple(256, 1, 254 % 128, 30, 31));
    EXPECT_FALSE(queue.push(off(99)));
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
