// The instrument as a host sees it through the built library: entry points, record, names,
// state and MIDI.

#include "LoadedPlugin.h"
#include "tools/host/Render.h"

#include <cstring>
#include <tuple>

namespace {

class PluginTest : public LoadedPlugin {
protected:
    void SetUp() override {
        instance = create(host);
        ASSERT_NE(instance, nullptr);
        instance->start(44100.0f, 512);
        host.clearCalls();
    }

    static std::vector<uint8_t> chunk(host::PluginInstance& of) {
        void* data = nullptr;
        const VstIntPtr size = of.dispatch(effGetChunk, 0, 0, &data);
        return {static_cast<const uint8_t*>(data), static_cast<const uint8_t*>(data) + size};
    }
    // The buffer starts full of 'x', so a text that is not written shows, and so does a byte
    // written after the text's NUL (a host may give no more than the nominal length plus one).
    static std::string text(host::PluginInstance& of, VstInt32 opcode, VstInt32 index = 0) {
        char buffer[128];
        std::memset(buffer, 'x', sizeof buffer - 1);
        buffer[sizeof buffer - 1] = 0;
        of.dispatch(opcode, index, 0, buffer);
        const std::size_t length = std::strlen(buffer);
        EXPECT_TRUE(length + 1 >= sizeof buffer - 1 || buffer[length + 1] == 'x') << "written past the NUL: " << opcode;
        return buffer;
    }
    float parameter(VstInt32 index) { return instance->effect()->getParameter(instance->effect(), index); }
    void setParameter(VstInt32 index, float value) { instance->effect()->setParameter(instance->effect(), index, value); }

    host::Host host;
    std::unique_ptr<host::PluginInstance> instance;
};

TEST_F(PluginTest, BothEntriesCreateAnInstrumentRecord) {
    for (const char* name : {"VSTPluginMain", "Main"}) {
        SCOPED_TRACE(name);
        host::Host other;
        auto entry = reinterpret_cast<VstPluginMainProc>(library->symbol(name));
        ASSERT_NE(entry, nullptr);
        auto created = host::PluginInstance::create(entry, other);
        ASSERT_NE(created, nullptr);
        const AEffect& r = *created->effect();
        EXPECT_EQ(std::tie(r.magic, r.numParams, r.numPrograms, r.numInputs, r.numOutputs, r.uniqueID, r.version),
                  std::make_tuple(kEffectMagic, 22, 64, 0, 2, vst2::fourCC("ZRNP"), 1));
        EXPECT_EQ(r.flags, effFlagsHasEditor | effFlagsCanReplacing | effFlagsProgramChunks | effFlagsIsSynth);
        EXPECT_EQ(r.ioRatio, 1.0f);
        EXPECT_EQ(r.initialDelay, 0);
        EXPECT_NE(r.object, nullptr);
        EXPECT_EQ(created->close(), 1);
        const auto versionAsks = other.callsWith(audioMasterVersion);
        ASSERT_FALSE(versionAsks.empty());
        EXPECT_FALSE(versionAsks.front().hadEffect);
    }
}

// What the base classes answer for the operations the instrument leaves alone.
TEST_F(PluginTest, DefaultAnswers) {
    const std::pair<VstInt32, VstIntPtr> answers[] = {
        {effGetVstVersion, 2400},       {effIdentify, vst2::fourCC("NvEf")}, {effGetPlugCategory, kPlugCategSynth},
        {effGetCurrentMidiProgram, -1}, {effCanBeAutomated, 1},              {effSetTotalSampleToProcess, 77}};
    for (const auto& [opcode, answer] : answers) // none of them reads its pointer
        EXPECT_EQ(instance->dispatch(opcode, 3, 77, nullptr), answer) << opcode;
    instance->dispatch(effMainsChanged, 0, 1);
    EXPECT_EQ(host.callsWith(audioMasterWantMidi).size(), 1u) << "a synth asks for MIDI when resumed";
    // A host's arrangement pointers are left as they are.
    auto* input = reinterpret_cast<VstSpeakerArrangement*>(0x10);
    auto* output = reinterpret_cast<VstSpeakerArrangement*>(0x20);
    EXPECT_EQ(instance->dispatch(effGetSpeakerArrangement, 0, reinterpret_cast<VstIntPtr>(&input), &output), 0);
    EXPECT_EQ(input, reinterpret_cast<VstSpeakerArrangement*>(0x10));
    EXPECT_EQ(output, reinterpret_cast<VstSpeakerArrangement*>(0x20));
}

TEST_F(PluginTest, HostsThatAnswerNoVersionOrHaveNoCallbackGetNothing) {
    host::Host old;
    old.versionAnswer = 0;
    EXPECT_EQ(create(old), nullptr);
    EXPECT_EQ(library->entry()(nullptr), nullptr);
    EXPECT_EQ(reinterpret_cast<VstPluginMainProc>(library->symbol("Main"))(nullptr), nullptr);
}

TEST_F(PluginTest, InstancesAreIndependent) {
    host::Host otherHost;
    auto other = create(otherHost);
    ASSERT_NE(other, nullptr);
    EXPECT_NE(other->effect()->object, instance->effect()->object);
    instance->dispatch(effSetProgram, 0, 5);
    EXPECT_EQ(other->dispatch(effGetProgram), 0);
    EXPECT_EQ(instance->close(), 1);
    other->dispatch(effSetProgram, 0, 7);
    EXPECT_EQ(other->dispatch(effGetProgram), 7);
}

TEST_F(PluginTest, NamesLabelsDisplayTextsAndCapabilities) {
    const std::tuple<VstInt32, VstInt32, const char*> texts[] = {
        {effGetParamName, 0, "Pitch-Coarse"}, {effGetParamName, 12, "Timbre-SelfFM"}, {effGetParamName, 21, "Volume"},
        {effGetParamName, 22, ""},            {effGetParamName, -1, ""},             {effGetParamName, 1000, ""},
        {effGetParamLabel, 0, "Unknown "},    {effGetParamLabel, 99, "Unknown "},    {effGetParamDisplay, 22, ""},
        {effGetParamDisplay, -1, ""},         {effGetParamDisplay, 1 << 30, ""},     {effGetEffectName, 0, "Zarn Pro"},
        {effGetProductString, 0, "Zarn Pro"}, {effGetVendorString, 0, "Halvane Audio"},
        {effGetProgramName, 0, "2012 QZ"},    {effGetProgramNameIndexed, 63, "Night Pulse"}};
    for (const auto& [opcode, index, expected] : texts)
        EXPECT_EQ(text(*instance, opcode, index), expected) << opcode << " " << index;
    for (const auto& [value, display] : {std::pair{0.25f, "0.250000"}, {12.5f, "12.50000"}, {-3.0f, "-3.00000"}}) {
        setParameter(4, value);
        EXPECT_EQ(text(*instance, effGetParamDisplay, 4), display);
    }
    EXPECT_EQ(instance->dispatch(effGetVendorVersion), 1);

    for (const auto& [text, answer] : {std::pair{"receiveVstEvents", 1}, {"receiveVstMidiEvent", 1},
                                       {"sendVstMidiEvent", -1}, {"receiveVstEvents ", -1}, {"ReceiveVstEvents", -1}, {"", -1}}) {
        std::string copy = text;
        EXPECT_EQ(instance->dispatch(effCanDo, 0, 0, copy.data()), answer) << text;
    }
    VstPinProperties pin{};
    EXPECT_EQ(instance->dispatch(effGetOutputProperties, 1, 0, &pin), 1);
    EXPECT_STREQ(pin.label, "Vstx 2");
    EXPECT_EQ(pin.flags, kVstPinIsActive | kVstPinIsStereo);
    EXPECT_EQ(instance->dispatch(effGetOutputProperties, 2, 0, &pin), 0);
    EXPECT_EQ(instance->dispatch(effGetOutputProperties, -1, 0, &pin), 0);
    EXPECT_EQ(instance->dispatch(effGetInputProperties, 0, 0, &pin), 0);
}

TEST_F(PluginTest, ChunkLayoutRoundTripAndRefusal) {
    instance->dispatch(effSetProgram, 0, 5);
    setParameter(0, 0.75f);
    std::vector<uint8_t> bytes = chunk(*instance);
    ASSERT_EQ(bytes.size(), 8232u);
    const int32_t header[10] = {22, 64, 5, 2, 15, -1, -2, 2200, 0, 0};
    EXPECT_EQ(std::memcmp(bytes.data(), header, sizeof header), 0);
    float value;
    std::memcpy(&value, bytes.data() + 40 + 128 * 5 + 32, sizeof value);
    EXPECT_EQ(value, 0.75f);
    void* preset = nullptr;
    EXPECT_EQ(instance->dispatch(effGetChunk, 1, 0, &preset), 8232); // a program request gets the whole bank

    // Another instance takes it whole; a name that fills its field is read without its NUL.
    std::memset(bytes.data() + 40 + 128 * 5, 'z', 32);
    host::Host otherHost;
    auto other = create(otherHost);
    ASSERT_NE(other, nullptr);
    EXPECT_EQ(other->dispatch(effSetChunk, 0, static_cast<VstIntPtr>(bytes.size()), bytes.data()), 1);
    EXPECT_EQ(chunk(*other), bytes);
    other->start(44100.0f, 512);
    const std::vector<host::TimedMidi> note = {{0, {0x90, 36, 100}}};
    EXPECT_EQ(host::render(*other, note, 2048, 512).left, host::render(*instance, note, 2048, 512).left)
        << "the engine plays the loaded values";
    EXPECT_EQ(other->dispatch(effGetProgram), 5);
    EXPECT_EQ(other->effect()->getParameter(other->effect(), 0), 0.75f);
    EXPECT_EQ(text(*other, effGetProgramName), std::string(31, 'z'));
    char name[40];
    std::memset(name, 'x', sizeof name);
    other->dispatch(effGetProgramNameIndexed, 5, 0, name);
    EXPECT_EQ(std::string(name), std::string(31, 'z'));

    // Foreign and short chunks are the synth's own tests; a size beyond 32 bits never reaches it.
    EXPECT_EQ(other->dispatch(effSetChunk, 0, (VstIntPtr{1} << 32) + 8232, bytes.data()), 0);
    EXPECT_EQ(chunk(*other), bytes);
}

TEST_F(PluginTest, ControllersAndProgramChangesActAtOnceWithoutEcho) {
    instance->sendMidi({{0, {0xB5, 46, 127}}});
    EXPECT_EQ(parameter(7), 1.0f);
    instance->sendMidi({{0, {0xBF, 46, 0}}});
    EXPECT_EQ(parameter(7), 0.0f);
    EXPECT_TRUE(host.calls().empty()); // no automation, no echo

    // Unmapped controllers, sustain, all-notes-off and aftertouch change no stored value.
    const std::vector<uint8_t> before = chunk(*instance);
    instance->sendMidi({{0, {0xB0, 61, 5}}, {0, {0xB0, 38, 5}}, {0, {0xB0, 64, 127}}, {0, {0xB0, 123, 0}},
                        {0, {0xA0, 46, 0}}, {0, {0xD0, 46, 0}}});
    EXPECT_EQ(chunk(*instance), before);

    instance->sendMidi({{0, {0xC9, 3, 0}}});
    EXPECT_EQ(instance->dispatch(effGetProgram), 3);
    instance->sendMidi({{0, {0xC0, 100, 0}}});
    EXPECT_EQ(instance->dispatch(effGetProgram), 3);
}

TEST_F(PluginTest, AnIdleInstanceOverwritesTheBuffersWithSilence) {
    std::vector<float> left(64, 7.0f), right(64, 7.0f);
    float* channels[2] = {left.data(), right.data()};
    instance->processReplacing(channels, 64);
    EXPECT_EQ(left, std::vector<float>(64, 0.0f));
    EXPECT_EQ(right, std::vector<float>(64, 0.0f));
}

} // namespace
