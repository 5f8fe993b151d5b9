// Loads the built plug-in through its exported entry points, as a host does.

#include "LoadedPlugin.h"
#include "tools/host/Render.h"

namespace {

class EntryPointTest : public LoadedPlugin {
protected:
    host::Host hostA;
    host::Host hostB;
};

TEST_F(EntryPointTest, BothEntriesCreateAnInstrumentRecord) {
    for (const char* name : {"VSTPluginMain", "Main"}) {
        SCOPED_TRACE(name);
        auto entry = reinterpret_cast<VstPluginMainProc>(library->symbol(name));
        ASSERT_NE(entry, nullptr);
        auto instance = host::PluginInstance::create(entry, hostA);
        ASSERT_NE(instance, nullptr);
        const AEffect& record = *instance->effect();
        EXPECT_EQ(record.magic, kEffectMagic);
        EXPECT_EQ(record.numParams, 22);
        EXPECT_EQ(record.numPrograms, 64);
        EXPECT_EQ(record.numInputs, 0);
        EXPECT_EQ(record.numOutputs, 2);
        EXPECT_EQ(record.flags, effFlagsCanReplacing | effFlagsProgramChunks | effFlagsIsSynth);
        EXPECT_EQ(record.uniqueID, vst2::fourCC("ZRNP"));
        EXPECT_EQ(record.version, 1);
        EXPECT_EQ(record.ioRatio, 1.0f);
        EXPECT_EQ(record.initialDelay, 0);
        EXPECT_NE(record.object, nullptr);

        EXPECT_EQ(instance->dispatch(effGetVstVersion), 2400);
        EXPECT_EQ(instance->dispatch(effIdentify), vst2::fourCC("NvEf"));
        EXPECT_EQ(instance->dispatch(effGetPlugCategory), kPlugCategSynth);
        EXPECT_EQ(instance->close(), 1);

        const auto versionAsks = hostA.callsWith(audioMasterVersion);
        ASSERT_FALSE(versionAsks.empty());
        EXPECT_FALSE(versionAsks.front().hadEffect);
        hostA.clearCalls();
    }
}

TEST_F(EntryPointTest, HostsThatAnswerNoVersionOrHaveNoCallbackGetNothing) {
    hostA.versionAnswer = 0;
    EXPECT_EQ(create(hostA), nullptr);
    EXPECT_EQ(library->entry()(nullptr), nullptr);
    auto main = reinterpret_cast<VstPluginMainProc>(library->symbol("Main"));
    EXPECT_EQ(main(nullptr), nullptr);
}

TEST_F(EntryPointTest, InstancesAreIndependent) {
    auto first = create(hostA);
    auto second = create(hostB);
    ASSERT_TRUE(first && second);
    EXPECT_NE(first->effect(), second->effect());
    EXPECT_NE(first->effect()->object, second->effect()->object);

    first->dispatch(effSetProgram, 0, 5);
    EXPECT_EQ(first->dispatch(effGetProgram), 5);
    EXPECT_EQ(second->dispatch(effGetProgram), 0);

    EXPECT_EQ(first->close(), 1);
    second->dispatch(effSetProgram, 0, 7);
    EXPECT_EQ(second->dispatch(effGetProgram), 7);
    EXPECT_EQ(second->dispatch(effGetVstVersion), 2400);
}

TEST_F(EntryPointTest, ResumeAsksForMidiAndRenderingOverwritesTheBuffers) {
    auto instance = create(hostA);
    ASSERT_NE(instance, nullptr);
    instance->start(48000.0f, 256);
    const auto wants = hostA.callsWith(audioMasterWantMidi);
    ASSERT_EQ(wants.size(), 1u);
    EXPECT_EQ(wants[0].value, 1);

    const host::StereoBuffer out =
        host::render(*instance, {{0, {0x90, 36, 100}}, {300, {0x80, 36, 0}}}, 2048, 256);
    EXPECT_EQ(out.left.size(), 2048u);
    EXPECT_LE(host::peakOf(out), 1.0f);

    // An idle instance replaces whatever the buffers held with silence.
    auto idle = create(hostB);
    idle->start(48000.0f, 64);
    std::vector<float> left(64, 7.0f), right(64, 7.0f);
    float* channels[2] = {left.data(), right.data()};
    idle->processReplacing(channels, 64);
    EXPECT_EQ(left[63], 0.0f);
    EXPECT_EQ(right[0], 0.0f);
}

} // namespace
