// Run under ThreadSanitizer: the user-interface thread queues pad notes while the audio thread
// drains them.

#include "shell/PadNoteRing.h"
#include "shell/VstXSynth.h"
#include "tools/host/Host.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

namespace {

// Every field differs from entry to entry, so a torn or reordered entry shows.
NoteEvent nth(int32_t i) {
    return {i, static_cast<uint8_t>(i % 2 == 0 ? 0x90 : 0x80), static_cast<uint8_t>(i & 0x7F), static_cast<uint8_t>((i >> 7) & 0x7F)};
}

TEST(PadNoteRingThreads, NothingLostTornOrReordered) {
    constexpr int32_t kEvents = 200000;
    PadNoteRing ring;
    std::thread producer([&] {
        for (int32_t i = 0; i < kEvents; ++i)
            while (!ring.push(nth(i)))
                std::this_thread::yield();
    });
    int32_t next = 0;
    bool intact = true;
    while (next < kEvents) {
        ring.drain([&](const NoteEvent& event) {
            const NoteEvent e = nth(next++);
            intact = intact && event.deltaFrames == e.deltaFrames && event.status == e.status && event.note == e.note &&
                     event.velocity == e.velocity;
        });
    }
    producer.join();
    EXPECT_TRUE(intact);
}

// Rounds of note-ons for keys 1 to 96, then their note-offs: a lost or reordered note-off would
// leave a key held at the end.
TEST(PadNoteRingThreads, TapPadNotesReachTheEngineWhileBlocksRender) {
    host::Host host;
    auto synth = host.construct<VstXSynth>();
    synth->setSampleRate(48000.0f);

    std::atomic<bool> done{false};
    std::thread userInterface([&] {
        for (int round = 0; round < 40; ++round) {
            for (uint8_t status : {uint8_t{0x90}, uint8_t{0x80}})
                for (uint8_t note = 1; note <= 96; ++note)
                    while (!synth->queueNoteEvent(status, note, 0))
                        std::this_thread::yield();
        }
        done.store(true, std::memory_order_release);
    });

    std::vector<float> left(64), right(64);
    float* outputs[2] = {left.data(), right.data()};
    while (!done.load(std::memory_order_acquire))
        synth->processReplacing(nullptr, outputs, 64);
    userInterface.join();
    synth->processReplacing(nullptr, outputs, 64);

    for (int note = 0; note < 128; ++note)
        EXPECT_EQ(synth->getEngine().keyDown[static_cast<std::size_t>(note)], 0) << note;
}

} // namespace
