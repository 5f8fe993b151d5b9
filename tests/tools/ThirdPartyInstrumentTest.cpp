#include "tools/host/PluginInstance.h"
#include "tools/host/PluginLibrary.h"
#include "tools/host/Render.h"

#include <gtest/gtest.h>

namespace {

// A third-party instrument proves the host: a fault here is the host's, not the plug-in's.
TEST(PluginLibrary, PlaysANoteThroughAThirdPartyInstrument) {
    std::string error;
    auto library = host::PluginLibrary::load("/usr/lib/vst/amsynth_vst.so", error);
    ASSERT_NE(library, nullptr) << error;
    host::Host host;
    auto instance = host::PluginInstance::create(library->entry(), host);
    ASSERT_NE(instance, nullptr);
    EXPECT_GT(instance->effect()->numOutputs, 0);
    instance->start(44100.0f, 512);

    const host::StereoBuffer silence = host::render(*instance, {}, 4096, 512);
    EXPECT_LT(host::peakOf(silence), 1e-4f);

    // Odd block sizes and an event inside a block exercise the offsets.
    const host::StereoBuffer note = host::render(*instance, {{700, {0x90, 60, 110}}, {30000, {0x80, 60, 0}}}, 44100, 0,
                                                 [](int64_t start) { return static_cast<VstInt32>(97 + start % 300); });
    const host::StereoBuffer head{{note.left.begin(), note.left.begin() + 700}, {note.right.begin(), note.right.begin() + 700}};
    EXPECT_LT(host::peakOf(head), 1e-4f);
    EXPECT_GT(host::peakOf(note), 0.01f);
}

} // namespace
