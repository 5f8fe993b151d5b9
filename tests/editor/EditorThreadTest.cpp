// Run under ThreadSanitizer: the host's audio thread renders and delivers automation, MIDI
// controllers and program changes while the user-interface thread idles, opens and closes the
// editor.

#include "EditorRig.h"

#include <atomic>
#include <thread>

namespace editortest {

TEST(EditorThreads, ChangesFromTheAudioThreadNeverTouchTheControlsOnTheirOwn)
{
    EditorRig rig;
    rig.plugin->start(48000.0f, 64);
    std::atomic<bool> done{false};
    std::thread audio([&] {
        float left[64], right[64];
        float* outputs[] = {left, right};
        for (uint32_t block = 0; !done.load(std::memory_order_relaxed); ++block) {
            rig.plugin->sendMidi({{0, {0xB0, uint8_t(39 + block % 22), uint8_t(block % 128)}}, {1, {0xC0, uint8_t(block % 9), 0}}});
            rig.plugin->effect()->setParameter(rig.plugin->effect(), int32_t(block % 22), float(block % 100) / 100.0f);
            rig.plugin->processReplacing(outputs, 64);
        }
    });
    for (int cycle = 0; cycle < 60; ++cycle) {
        EXPECT_TRUE(rig.open()); // opens and idles; no ASSERT: the audio thread must be joined
        rig.plugin->dispatch(effEditClose);
    }
    done = true;
    audio.join();
}

} // namespace editortest
