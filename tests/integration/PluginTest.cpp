// The instrument as a host sees it through the built library: names, programs, state, MIDI.

#include "LoadedPlugin.h"
#include "tools/host/Render.h"

#include <cmath>
#include <cstring>

namespace {

class PluginTest : public LoadedPlugin {
protected:
    void SetUp() override {
        instance = create(host);
        ASSERT_NE(instance, nullptr);
        instance->start(44100.0f, 512);
        host.clearCalls();
    }

    std::vector<uint8_t> chunk() {
        void* data = nullptr;
        const VstIntPtr size = instance->dispatch(effGetChunk, 0, 0, &data);
        const auto* bytes = static_cast<const uint8_t*>(data);
        return {bytes, bytes + size};
    }

    host::Host host;
    std::unique_ptr<host::PluginInstance> instance;
};

TEST_F(PluginTest, NamesLabelsAndDisplays) {
    EXPECT_EQ(instance->getString(effGetParamName, 0), "Pitch-Coarse");
    EXPECT_EQ(instance->getString(effGetParamName, 21), "Volume");
    EXPECT_EQ(instance->getString(effGetParamName, 22), "");
    EXPECT_EQ(instance->getString(effGetParamLabel, 3), "Unknown ");
    instance->effect()->setParameter(instance->effect(), 4, 0.25f);
    EXPECT_EQ(instance->effect()->getParameter(instance->effect(), 4), 0.25f);
    EXPECT_EQ(instance->getString(effGetParamDisplay, 4), "0.250000");
    EXPECT_EQ(instance->getString(effGetEffectName), "Zarn Pro");
    EXPECT_EQ(instance->getString(effGetVendorString), "Halvane Audio");
    EXPECT_FALSE(instance->getString(effGetProgramName).empty());
    for (VstInt32 program = 0; program < 64; ++program) {
        char name[64] = {};
        EXPECT_EQ(instance->dispatch(effGetProgramNameIndexed, program, 0, name), 1);
        EXPECT_GT(std::strlen(name), 0u) << program;
    }
}

TEST_F(PluginTest, ChunkRoundTripAndRefusal) {
    instance->dispatch(effSetProgram, 0, 2);
    instance->effect()->setParameter(instance->effect(), 0, 0.75f);
    std::vector<uint8_t> saved = chunk();
    ASSERT_EQ(saved.size(), 8232u);
    int32_t header[10];
    std::memcpy(header, saved.data(), sizeof header);
    EXPECT_EQ(header[2], 2);
    EXPECT_EQ(header[7], 2200);

    host::Host otherHost;
    auto other = create(otherHost);
    ASSERT_NE(other, nullptr);
    EXPECT_EQ(other->dispatch(effSetChunk, 0, static_cast<VstIntPtr>(saved.size()), saved.data()), 1);
    EXPECT_EQ(other->dispatch(effGetProgram), 2);
    EXPECT_EQ(other->effect()->getParameter(other->effect(), 0), 0.75f);

    std::vector<uint8_t> foreign = saved;
    foreign[0] = 23;
    EXPECT_EQ(other->dispatch(effSetChunk, 0, static_cast<VstIntPtr>(foreign.size()), foreign.data()), 0);
    EXPECT_EQ(other->dispatch(effSetChunk, 0, 100, saved.data()), 0);
    void* data = nullptr;
    ASSERT_EQ(other->dispatch(effGetChunk, 0, 0, &data), 8232);
    EXPECT_EQ(std::memcmp(data, saved.data(), saved.size()), 0);
}

TEST_F(PluginTest, MidiControllersProgramsAndTheEcho) {
    instance->sendMidi({{0, {0xB0, 46, 127}}, {0, {0xC0, 3, 0}}});
    EXPECT_EQ(instance->dispatch(effGetProgram), 3);
    instance->sendMidi({{0, {0xBF, 46, 0}}});
    EXPECT_EQ(instance->effect()->getParameter(instance->effect(), 7), 0.0f);
    instance->sendMidi({{0, {0xB0, 61, 127}}, {0, {0xC0, 100, 0}}});
    EXPECT_EQ(instance->dispatch(effGetProgram), 3);
    EXPECT_TRUE(host.callsWith(audioMasterAutomate).empty());
    EXPECT_TRUE(host.callsWith(audioMasterProcessEvents).empty());

    std::vector<float> left(512), right(512);
    float* outputs[2] = {left.data(), right.data()};
    instance->sendMidi({{100, {0x90, 36, 100}}, {300, {0x99, 36, 0}}});
    instance->processReplacing(outputs, 512);
    for (float sample : left)
        ASSERT_LE(std::fabs(sample), 1.0f);
}

TEST_F(PluginTest, OpeningAsksTheHostForItsVendorString) {
    host::Host makers;
    makers.vendorString = "Halvane Audio";
    auto native = create(makers);
    ASSERT_NE(native, nullptr);
    native->start(44100.0f, 512);
    EXPECT_FALSE(makers.callsWith(audioMasterGetVendorString).empty());
}

} // namespace
