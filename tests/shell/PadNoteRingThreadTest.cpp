// Run under ThreadSanitizer: the user-interface thread queues pad notes while the audio thread
// renders blocks and drains them.

#include "shell/VstXSynth.h"
#include "tools/host/Host.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <thread>
#include <vector>

namespace {

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

    const auto& keys = synth->getEngine().keyDown;
    EXPECT_EQ(std::count(keys.begin(), keys.end(), 0), 128);
}

} // namespace
