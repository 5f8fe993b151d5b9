// Run under ThreadSanitizer: the host's audio thread renders and delivers automation, MIDI
// controllers and program changes while the user-interface thread idles, opens and closes the
// editor.

#include "EditorRig.h"

#include <atomic>
#include <thread>

namespace editortest {
namespace {

TEST(EditorThreads, ChangesFromTheAudioThreadNeverTouchTheControlsOnTheirOwn)
{
    EditorRig rig;
    rig.plugin->start(48000.0f, 64);
    std::atomic<bool> done{false};
    std::thread audio([&] {
        float left[64], right[64];
        float* outputs[] = {left, right};
        for (uint32_t block = 0; !done.load(std::memory_order_relaxed); ++block) {
            const uint8_t program = uint8_t(block % 9);
            rig.plugin->sendMidi({{0, {0xB0, uint8_t(39 + block % 22), uint8_t(block % 128)}}, {1, {0xC0, program, 0}}});
            rig.setParameter(int32_t(block % 22), float(block % 100) / 100.0f);
            rig.plugin->processReplacing(outputs, 64);
        }
    });
    for (int cycle = 0; cycle < 60; ++cycle) {
        EXPECT_TRUE(rig.open()); // no ASSERT: the audio thread must be joined
        rig.idle();
        rig.plugin->dispatch(effEditClose);
    }
    done = true;
    audio.join();

    // Once the audio thread is quiet: the open shows the current program, a program change shows
    // at the next idle, and indices outside 0 to 21 move nothing.
    rig.plugin->dispatch(effSetProgram, 0, 7);
    ASSERT_TRUE(rig.open());
    const auto expectShown = [&](VstInt32 program) {
        for (int32_t tag = 0; tag < kNumParams; ++tag)
            EXPECT_EQ(rig.control(tag)->getValue(), rig.synth->getEngine().getPrograms()[program].values[tag]) << tag;
    };
    expectShown(7);
    rig.plugin->dispatch(effSetProgram, 0, 12);
    for (int32_t index : {22, 23, -1, 100})
        rig.editor->setParameter(index, 0.75f);
    rig.idle();
    expectShown(12);
    EXPECT_EQ(rig.control(kTapPadTag)->getValue() + rig.control(kSplashTag)->getValue(), 0.0f);
}

} // namespace
} // namespace editortest
