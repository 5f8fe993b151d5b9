#include "shell/BlockSlicer.h"

#include <gtest/gtest.h>

#include <string>

namespace {

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

TEST(BlockSlicer, EventsActOnTheirOwnFrames) {
    EXPECT_EQ(slices({}, 512), "r0+512 ");
    EXPECT_EQ(slices({{100, 0x90, 36, 100}, {300, 0x80, 36, 0}}, 512), "r0+100 on100 r100+200 off300 r300+212 ");
    EXPECT_EQ(slices({{0, 0x90, 36, 100}}, 64), "on0 r0+64 ");
    EXPECT_EQ(slices({{63, 0x90, 36, 100}}, 64), "r0+63 on63 r63+1 ");
    // Several at one frame act in arrival order with nothing rendered between them.
    EXPECT_EQ(slices({{10, 0x90, 1, 1}, {10, 0x80, 1, 0}, {10, 0x90, 2, 1}}, 20), "r0+10 on10 off10 on10 r10+10 ");
}

TEST(BlockSlicer, OutOfOrderAndOutOfBlockEvents) {
    // An event behind the position acts where the rendering is; one past the end is not applied.
    EXPECT_EQ(slices({{300, 0x90, 1, 1}, {100, 0x80, 1, 0}}, 512), "r0+300 on300 off100 r300+212 ");
    EXPECT_EQ(slices({{512, 0x90, 1, 1}, {9000, 0x80, 1, 0}}, 512), "r0+512 ");
    EXPECT_EQ(slices({{-5, 0x90, 1, 1}}, 8), "on-5 r0+8 ");
    EXPECT_EQ(slices({{0, 0x90, 1, 1}}, 0), "");
}

} // namespace
