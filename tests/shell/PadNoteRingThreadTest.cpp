// Run under ThreadSanitizer: the user-interface thread pushes while the audio thread drains.

#include "shell/PadNoteRing.h"

#include <gtest/gtest.h>

#include <thread>

namespace {

TEST(PadNoteRingThreads, NothingLostTornOrReordered) {
    constexpr int32_t kEvents = 200000;
    PadNoteRing ring;
    std::thread producer([&] {
        for (int32_t i = 0; i < kEvents; ++i) {
            const NoteEvent event{i, static_cast<uint8_t>(i % 2 == 0 ? 0x90 : 0x80), static_cast<uint8_t>(i & 0x7F),
                                  static_cast<uint8_t>((i >> 7) & 0x7F)};
            while (!ring.push(event))
                std::this_thread::yield();
        }
    });

    int32_t expected = 0;
    bool intact = true;
    while (expected < kEvents) {
        ring.drain([&](const NoteEvent& event) {
            intact = intact && event.deltaFrames == expected && event.note == (expected & 0x7F) &&
                     event.velocity == ((expected >> 7) & 0x7F) &&
                     event.status == (expected % 2 == 0 ? 0x90 : 0x80);
            ++expected;
        });
    }
    producer.join();
    EXPECT_TRUE(intact);
    EXPECT_EQ(expected, kEvents);
}

} // namespace
